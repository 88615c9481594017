// SPDX-License-Identifier: MIT
// The chart window as laid out: places, texts, fonts, tab order, focus,
// colours and tool tips, and that every caption fits its box.
#include "testsupport.h"

#include "runtime/controls.h"
#include "runtime/errors.h"
#include "ui/chartwindow.h"
#include "ui/fonts.h"

#include <QAccessible>
#include <QtTest>

using namespace rt;

class TestLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<ui::ChartWindow> w;

private slots:
    void init() { w = std::make_unique<ui::ChartWindow>(); }
    void cleanup() { w.reset(); }

    void window()
    {
        QCOMPARE(w->objectName(), QStringLiteral("Form1"));
        QCOMPARE(w->windowTitle(), QStringLiteral(" Air End : KRTd258"));
        QCOMPARE(w->size(), QSize(687, 317));
        QVERIFY(!w->windowIcon().isNull());
        QVERIFY(w->isWindow());
        QVERIFY(!w->parentWidget());
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("captionFont");
        auto row = [](const char* n, int l, int t, int wd, int h, const char* text, bool f) {
            QTest::newRow(n) << QString::fromLatin1(n) << QRect(l, t, wd, h) << QString::fromLatin1(text) << f;
        };
        row("Picture1", 32, 24, 407, 227, "", false);
        row("VScroll1", 448, 8, 17, 257, "", false);
        row("HScroll1", 16, 272, 441, 17, "", false);
        row("Label1", 488, 16, 65, 17, " PK (kW) :", true);
        row("Text1", 576, 16, 49, 19, "", false);
        row("Label3", 488, 40, 81, 17, "nHR (1/min) :", true);
        row("Label4", 576, 40, 49, 19, "", false);
        row("Label5", 488, 64, 81, 17, "dif. P (bar) :", true);
        row("Text2", 576, 64, 49, 19, "", false);
        row("Label19", 488, 104, 81, 17, "Q1 (m3/min) :", true);
        row("Label20", 576, 104, 49, 20, "", true);
        row("Label21", 632, 106, 49, 17, "@ 7 bar", false);
        row("Command1", 488, 136, 89, 25, "Calculate ", true);
        row("Command4", 592, 136, 73, 25, "Air End", true);
        row("Label2", 488, 184, 73, 17, "Motor RPM :", true);
        row("Text3", 576, 184, 49, 19, "", false);
        row("Label22", 488, 208, 81, 17, "Motor Pulley :", true);
        row("Text4", 576, 208, 49, 19, "", false);
        row("Label24", 488, 232, 89, 17, "AirEnd Pulley :", true);
        row("Text5", 576, 232, 49, 19, "", false);
        row("Command2", 488, 264, 89, 25, "Calculate", true);
        row("Command3", 592, 264, 73, 25, "Close", true);
        row("Label7", 11, 19, 17, 17, "75", false);
        row("Label8", 11, 80, 17, 17, "55", false);
        row("Label9", 11, 108, 17, 17, "45", false);
        row("Label10", 11, 133, 17, 17, "37", false);
        row("Label11", 11, 152, 17, 17, "30", false);
        row("Label12", 11, 177, 17, 17, "22", false);
        row("Label13", 11, 199, 17, 17, "15", false);
        row("Label14", 16, 252, 41, 15, "1500", false);
        row("Label15", 147, 252, 41, 15, "3000", false);
        row("Label16", 236, 252, 41, 15, "4000", false);
        row("Label17", 328, 252, 41, 15, "5000", false);
        row("Label18", 392, 252, 41, 15, "5700", false);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, captionFont);
        FIND(QWidget, c, w.get(), name);
        QCOMPARE(c->geometry(), geometry);
        QVERIFY(c->isVisibleTo(w.get()) && c->isEnabled());
        if (c->property("text").isValid())
            QCOMPARE(c->property("text").toString(), text);
        const QFont f = c->font();
        QCOMPARE(f.family(), captionFont ? ui::captionFont().family() : ui::defaultFont().family());
        QCOMPARE(f.pixelSize(), captionFont ? 13 : 11);
        QVERIFY(!f.bold() && !f.italic() && !f.underline() && !f.strikeOut());
    }

    void captionFontIsNamed()
    {
        const QString family = ui::captionFont().family();
        QVERIFY(family == QLatin1String("MS Sans Serif") || family == QLatin1String(ui::FallbackFace));
        QCOMPARE(QFontInfo(ui::captionFont()).family(), family); // the face is really installed
        QCOMPARE(QFontInfo(ui::captionFont()).pixelSize(), 13);
    }

    // Every caption fits inside its box, borders excluded.
    void captionsFit()
    {
        FIND(QWidget, band, w.get(), "Label21");
        FIND(QWidget, delivery, w.get(), "Label20");
        band->setProperty("text", QStringLiteral("@ 13 bar"));
        for (QLabel* l : w->findChildren<QLabel*>()) {
            const QFontMetrics m(l->font());
            const QRect room = l->contentsRect();
            QVERIFY2(m.horizontalAdvance(l->text()) <= room.width() && m.height() <= room.height(),
                     qPrintable(l->objectName() + QLatin1String(": ") + l->text()));
        }
        for (QPushButton* b : w->findChildren<QPushButton*>())
            QVERIFY2(QFontMetrics(b->font()).horizontalAdvance(b->text()) + 8 <= b->width(), qPrintable(b->text()));
        // The widest figures the evaluation writes.
        const QFontMetrics m(delivery->font());
        QVERIFY(m.horizontalAdvance(QStringLiteral("11.2")) <= delivery->contentsRect().width());
    }

    void framedLabels()
    {
        for (const char* n : {"Label4", "Label20"}) {
            FIND(QLabel, l, w.get(), n);
            QCOMPARE(l->frameShadow(), QFrame::Sunken);
            QCOMPARE(l->indent(), 0);
            // White in the standard scheme; the figure boxes follow the text boxes in others.
            QCOMPARE(l->palette().color(l->backgroundRole()), QColor(Qt::white));
            QCOMPARE(l->backgroundRole(), QPalette::Base);
            QVERIFY(l->autoFillBackground());
        }
        FIND(QFrame, picture, w.get(), "Picture1");
        QCOMPARE(picture->frameWidth(), 1);
        QCOMPARE(picture->contentsRect().size(), QSize(405, 225));
    }

    void alignments()
    {
        FIND(QLabel, powerFigure, w.get(), "Label7");
        FIND(QLabel, speedFigure, w.get(), "Label14");
        FIND(QLabel, caption, w.get(), "Label1");
        FIND(QLineEdit, box, w.get(), "Text1");
        QCOMPARE(powerFigure->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(speedFigure->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(caption->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void crossHairItems()
    {
        for (const char* n : {"Line1", "Line2"}) {
            FIND(Line, line, w.get(), n);
            QCOMPARE(line->BorderColor(), rgb(255, 192, 192));
        }
        FIND(ShapeControl, marker, w.get(), "Shape2");
        QCOMPARE(marker->BorderColor(), rgb(255, 192, 192));
        QCOMPARE(marker->Height(), 7.8f);
    }

    void toolTipsAndButtons()
    {
        const QPair<const char*, const char*> tips[] = {{"Command1", "Power, Pressure, RPM"},
                                                        {"Command3", "Power, Pressure, RPM"},
                                                        {"Command2", "Calculate AirEnd RPM for above pulleys"},
                                                        {"Command4", ""}};
        for (const auto& [button, tip] : tips) {
            FIND(QPushButton, b, w.get(), button);
            QCOMPARE(b->toolTip(), QString::fromLatin1(tip));
        }
        for (QPushButton* b : w->findChildren<QPushButton*>())
            QVERIFY(!b->isDefault() && !b->autoDefault());
    }

    void textBoxes()
    {
        // Text boxes of the runtime, which take text of any length (the
        // controls test).
        for (const char* n : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
            FIND(TextBox, t, w.get(), n);
            QVERIFY(t->text().isEmpty());
        }
    }

    // Before the first change the figures read as their captions alone.
    void accessibleNames()
    {
        const QPair<const char*, const char*> pairs[] = {{"Text1", "PK (kW) :"},      {"Label4", "nHR (1/min) :"},
                                                         {"Text2", "dif. P (bar) :"}, {"Label20", "Q1 (m3/min) :"},
                                                         {"Text3", "Motor RPM :"},    {"Text4", "Motor Pulley :"},
                                                         {"Text5", "AirEnd Pulley :"}};
        for (const auto& [field, caption] : pairs) {
            FIND(QWidget, f, w.get(), field);
            QCOMPARE(QAccessible::queryAccessibleInterface(f)->text(QAccessible::Name), QString::fromLatin1(caption));
        }
    }

    // Focus starts in Text1; Tab walks the described order and back.
    void tabOrder()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        FIND(QWidget, first, w.get(), "Text1");
        QCOMPARE(QApplication::focusWidget(), first);
        const QStringList expected{"HScroll1", "Text2",    "Command1", "Command4", "Text3",    "Text4",
                                   "Text5",    "Command2", "Command3", "Picture1", "VScroll1", "Text1"};
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
        for (QLabel* l : w->findChildren<QLabel*>())
            QCOMPARE(l->focusPolicy(), Qt::NoFocus);
    }

    // Enter and Esc in a text box start nothing; the window stays.
    void enterAndEscapeDoNothing()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        FIND(QLineEdit, t, w.get(), "Text1");
        FIND(QLineEdit, pressure, w.get(), "Text2");
        t->setText(QStringLiteral("30"));
        QTest::keyClick(t, Qt::Key_Return);
        QTest::keyClick(t, Qt::Key_Enter);
        QTest::keyClick(t, Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QCOMPARE(pressure->text(), QString()); // nothing evaluated
        QCOMPARE(t->text(), QStringLiteral("30"));
    }

    void resizingMovesNothing()
    {
        QList<QRect> before;
        const QList<QWidget*> all = w->findChildren<QWidget*>();
        for (QWidget* c : all)
            before << c->geometry();
        w->resize(1000, 600);
        w->resize(300, 200);
        for (int i = 0; i < all.size(); ++i)
            QCOMPARE(all[i]->geometry(), before[i]);
    }

    // At 200% every chart pixel is a 2 x 2 block and the layout scales whole.
    void chartIsPixelExactAtTwice()
    {
        FIND(PictureBox, picture, w.get(), "Picture1");
        FIND(ScrollBar, speed, w.get(), "HScroll1");
        FIND(ScrollBar, power, w.get(), "VScroll1");
        speed->assignValue(Integer(223));
        power->assignValue(Integer(226));
        QImage shot(407 * 2, 227 * 2, QImage::Format_RGB32);
        shot.setDevicePixelRatio(2);
        picture->render(&shot);
        const QImage& chart = picture->picture();
        int mismatches = 0;
        for (int y = 0; y < 225; ++y)
            for (int x = 0; x < 405; ++x) {
                const QRgb expected = (x == 199 || y == 112) ? qRgb(255, 192, 192) : chart.pixel(x, y);
                if (std::abs(x - 199) <= 4 && std::abs(y - 112) <= 4)
                    continue; // the marker
                for (int d = 0; d < 4; ++d)
                    if (shot.pixel(2 * (x + 1) + d % 2, 2 * (y + 1) + d / 2) != expected)
                        ++mismatches;
            }
        QCOMPARE(mismatches, 0);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
