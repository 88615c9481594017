// SPDX-License-Identifier: MIT
// The colours figures are drawn in: black as the colour scheme's text colour,
// red kept where it stands out and moved within its hue where it does not;
// the colour values themselves never change.
#include "testsupport.h"

#include "runtime/color.h"
#include "runtime/label.h"
#include "runtime/textbox.h"

#include <QApplication>
#include <QtTest>

using rt::contrastRatio;
using rt::drawnTextColor;
using rt::Long;

namespace {

constexpr Long Black = 0;
constexpr Long Red = 255;

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Base, QColor(0x40, 0x40, 0x40));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    return p;
}

} // namespace

class TestTextColors : public QObject {
    Q_OBJECT

    static void checkReadable(Long color, const QColor& background, const QColor& drawn, const QColor& normal)
    {
        if (color == Black) {
            QVERIFY2(contrastRatio(drawn, background) >= rt::MinTextContrast, qPrintable(drawn.name()));
            return;
        }
        QVERIFY2(contrastRatio(drawn, background) >= rt::MinWarningContrast, qPrintable(drawn.name()));
        QCOMPARE(drawn.hslHue(), 0); // still red
        QCOMPARE(drawn.hslSaturation(), 255);
        QVERIFY(drawn != normal);
    }

    const testsupport::ApplicationSettings initial = testsupport::ApplicationSettings::now();

private slots:
    void cleanup() { CHECK_APPLICATION_SETTINGS(initial); }

    void contrastRatios_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 3.998;
        QTest::newRow("red on black") << QColor(Qt::red) << QColor(Qt::black) << 5.252;
        QTest::newRow("grey 777777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.478;
        QTest::newRow("same color") << QColor(0x40, 0x40, 0x40) << QColor(0x40, 0x40, 0x40) << 1.0;
    }
    void contrastRatios()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.001, qPrintable(QString::number(contrastRatio(a, b))));
    }

    // Where the plain colour is readable it is drawn exactly; an invalid
    // expected colour means "moved": then only readability is checked.
    void drawnColors_data()
    {
        QTest::addColumn<Long>("color");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("schemeText");
        QTest::addColumn<QColor>("expected");
        const QColor white(Qt::white), black(Qt::black), red(Qt::red), moved;
        const QColor light(0xee, 0xee, 0xee), darkBox(0x40, 0x40, 0x40);
        QTest::newRow("black, light scheme") << Black << white << black << black;
        QTest::newRow("red on white") << Red << white << black << red;
        QTest::newRow("red on light grey") << Red << QColor(0xef, 0xef, 0xef) << black << red;
        QTest::newRow("black, dark scheme") << Black << darkBox << light << light;
        QTest::newRow("red on a dark box") << Red << darkBox << light << moved;
        QTest::newRow("black, high contrast") << Black << black << white << white;
        QTest::newRow("red on black") << Red << black << white << red;
        QTest::newRow("red on navy") << Red << QColor(0, 0, 0x80) << white << red;
        QTest::newRow("red on mid grey") << Red << QColor(0x80, 0x80, 0x80) << black << moved;
        QTest::newRow("red on dark red") << Red << QColor(0x80, 0, 0) << white << moved;
        QTest::newRow("unreadable scheme text") << Black << darkBox << QColor(0x50, 0x50, 0x50) << white;
        QTest::newRow("unreadable light scheme text") << Black << white << QColor(0xc0, 0xc0, 0xc0) << black;
    }
    void drawnColors()
    {
        QFETCH(Long, color);
        QFETCH(QColor, background);
        QFETCH(QColor, schemeText);
        QFETCH(QColor, expected);
        const QColor drawn = drawnTextColor(color, background, schemeText);
        if (expected.isValid())
            QCOMPARE(drawn, expected);
        else
            QVERIFY2(drawn != rt::toQColor(color), "a color without enough contrast is drawn as it is");
        checkReadable(color, background, drawn, drawnTextColor(Black, background, schemeText));
    }

    // Whatever the box's background, both figures stay readable and apart.
    void everyBackground()
    {
        for (int r = 0; r < 256; r += 17)
            for (int g = 0; g < 256; g += 17)
                for (int b = 0; b < 256; b += 17) {
                    const QColor background(r, g, b);
                    const QColor normal = drawnTextColor(Black, background, QColor(0x80, 0x80, 0x80));
                    checkReadable(Black, background, normal, normal);
                    checkReadable(Red, background, drawnTextColor(Red, background, QColor(Qt::black)), normal);
                    if (QTest::currentTestFailed())
                        QFAIL(qPrintable(background.name()));
                }
    }

    // The controls keep the values the program writes and draw them in the
    // colour scheme in force, also when it changes while they show a figure.
    void controlsFollowTheScheme()
    {
        const testsupport::KeepApplicationSettings keep; // the standard scheme, however the test ends
        const QPalette light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        rt::TextBox box;
        rt::Label label;
        label.setBoxColors();
        for (rt::Long color : {Black, Red}) {
            box.setForeColor(color);
            label.setForeColor(color);
            QCoreApplication::sendPostedEvents(); // the colours are drawn once the handler has finished
            QCOMPARE(box.ForeColor(), color);
            QCOMPARE(label.ForeColor(), color);
            const QColor base = darkPalette().color(QPalette::Base);
            QCOMPARE(label.palette().color(label.backgroundRole()), base);
            for (const QColor& drawn : {box.palette().color(QPalette::Text), label.palette().color(QPalette::Text)}) {
                if (color == Black)
                    QCOMPARE(drawn, darkPalette().color(QPalette::Text));
                checkReadable(color, base, drawn, darkPalette().color(QPalette::Text));
            }
        }
        box.setForeColor(Black);
        label.setForeColor(Black);
        QApplication::setPalette(light); // back to the standard scheme: black on white
        QTRY_COMPARE(box.palette().color(QPalette::Text), QColor(Qt::black)); // the change is posted
        QCOMPARE(label.palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(label.palette().color(label.backgroundRole()), QColor(Qt::white));
        box.setForeColor(Red);
        QCOMPARE(box.ForeColor(), Red);
        QTRY_COMPARE(box.palette().color(QPalette::Text), QColor(Qt::red));
    }
};

QTEST_MAIN(TestTextColors)
#include "test_text_colors.moc"
