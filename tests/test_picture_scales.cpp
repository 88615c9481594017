// SPDX-License-Identifier: MIT
// At the screen scale this program runs at (QT_SCALE_FACTOR or
// QT_SCREEN_SCALE_FACTORS, set by CTest; EXPECTED_SCALE names it), a press
// on any device pixel of the picture selects the picture pixel drawn there,
// and the picture meets its border without a gap.
#include "runtime/controls.h"

#include <QtTest>

using namespace rt;

namespace {

// Every pixel its own colour: red and the blue offset hold x, green holds y.
constexpr int BlueBase = 100;

QImage distinctPicture(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y, qRgb(x % 256, y, BlueBase + x / 256));
    return img;
}

// The picture pixel a drawn colour stands for; (-1, -1) for anything else.
QPoint pictureOf(QRgb c)
{
    const int b = qBlue(c) - BlueBase;
    if (b < 0 || b > 1)
        return {-1, -1};
    return {qRed(c) + 256 * b, qGreen(c)};
}

} // namespace

class TestPictureScales : public QObject {
    Q_OBJECT

    qreal scale = 0;

private slots:
    void initTestCase()
    {
        bool ok = false;
        scale = qEnvironmentVariable("EXPECTED_SCALE").toDouble(&ok);
        QVERIFY2(ok, "EXPECTED_SCALE is not set");
        QWidget probe;
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        // The scale really is the one asked for, not rounded to a whole one.
        QCOMPARE(probe.devicePixelRatioF(), scale);
    }

    void pressSelectsTheDrawnPixel_data()
    {
        QTest::addColumn<bool>("sunken");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("alongRow");  // a device row across, or a column down
        const QRect chart(32, 24, 407, 227); // the chart window's Picture1
        QTest::newRow("chart box, row") << false << chart << true;
        QTest::newRow("chart box, column") << false << chart << false;
        QTest::newRow("sunken at odd offsets, row") << true << QRect(7, 5, 41, 27) << true;
        QTest::newRow("sunken at odd offsets, column") << true << QRect(7, 5, 41, 27) << false;
        QTest::newRow("flat at 1,3, row") << false << QRect(1, 3, 22, 19) << true;
        QTest::newRow("flat at 1,3, column") << false << QRect(1, 3, 22, 19) << false;
    }
    void pressSelectsTheDrawnPixel()
    {
        QFETCH(bool, sunken);
        QFETCH(QRect, geometry);
        QFETCH(bool, alongRow);
        QWidget window;
        window.resize(687, 317);
        PictureBox box(sunken ? PictureBox::Border::Sunken : PictureBox::Border::Flat, &window);
        box.setGeometry(geometry);
        const QSize size = box.contentsRect().size();
        box.setPicture(distinctPicture(size.width(), size.height()));
        QPointF got;
        int presses = 0;
        connectHandler(&box, &PictureBox::MouseDown, [&](Integer, Integer, Single x, Single y) {
            got = QPointF(x, y);
            ++presses;
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), scale);
        // The device line through the middle of the picture, crossing the box
        // from outside to outside.
        const QRect inner = box.contentsRect().translated(box.pos());
        const int across = int((alongRow ? inner.center().y() : inner.center().x()) * scale);
        const int from = int(std::floor((alongRow ? geometry.left() : geometry.top()) * scale)) - 2;
        const int to = int(std::ceil((alongRow ? geometry.right() + 1 : geometry.bottom() + 1) * scale)) + 2;
        auto at = [&](int d) { return alongRow ? QPoint(d, across) : QPoint(across, d); };

        int checked = 0, mismatches = 0, first = -1, last = -1;
        for (int d = from; d < to; ++d) {
            const QPoint device = at(d);
            const QPoint drawn = pictureOf(shot.pixel(device));
            if (drawn.x() < 0)
                continue;
            if (first < 0)
                first = d;
            last = d;
            // Where a mouse on that device pixel is reported: its corner, as
            // X11 gives it, and inside it, as fractional positions may.
            for (qreal within : {0.0, 0.5}) {
                const QPointF pos = (QPointF(device) + QPointF(within, within)) / scale;
                const int before = presses;
                qt_handleMouseEvent(window.windowHandle(), pos, window.mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                                    QEvent::MouseButtonPress, Qt::NoModifier, 0);
                qt_handleMouseEvent(window.windowHandle(), pos, window.mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                                    QEvent::MouseButtonRelease, Qt::NoModifier, 0);
                ++checked;
                if (presses != before + 1 || got != QPointF(drawn)) {
                    if (mismatches < 5)
                        qWarning() << "device pixel" << device << "+" << within << "shows" << drawn << "press gives"
                                   << got;
                    ++mismatches;
                }
            }
        }
        qInfo("scale %g: %d presses checked, %d mismatches", scale, checked, mismatches);
        QVERIFY(first >= 0);
        QCOMPARE(mismatches, 0);

        // The picture is whole along the line: every picture pixel from the
        // first to the last shows, in order, each over floor(scale) or
        // ceil(scale) device pixels, and nothing else shows between them.
        const int count = alongRow ? size.width() : size.height();
        int expected = 0, run = 0;
        for (int d = first; d <= last; ++d) {
            const QPoint drawn = pictureOf(shot.pixel(at(d)));
            const int k = alongRow ? drawn.x() : drawn.y();
            if (k == expected + 1) {
                QVERIFY2(run >= int(std::floor(scale)) && run <= int(std::ceil(scale)), qPrintable(QString::number(d)));
                ++expected;
                run = 0;
            }
            QVERIFY2(k == expected,
                     qPrintable(QStringLiteral("device %1 shows %2, not %3").arg(d).arg(k).arg(expected)));
            ++run;
        }
        QCOMPARE(expected, count - 1);

        // No seam: the device pixels just outside the picture are the
        // border's, not the background showing through.
        const QColor background = window.palette().color(QPalette::Window);
        for (int d : {first - 1, last + 1}) {
            const QColor c(shot.pixel(at(d)));
            QVERIFY2(c != background, qPrintable(QStringLiteral("seam at device %1").arg(d)));
            if (!sunken)
                QCOMPARE(c, box.palette().color(QPalette::WindowText));
        }
    }
};

QTEST_MAIN(TestPictureScales)
#include "test_picture_scales.moc"
