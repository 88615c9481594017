// SPDX-License-Identifier: MIT
// The device pixel under a pointer, read back from the logical position a
// platform hands over: exact, rounded to a Wayland position (1/256 of a
// logical pixel), or in between two device pixels.
#include "runtime/devicegrid.h"

#include <QtTest>

#include <cmath>

class TestDeviceGrid : public QObject {
    Q_OBJECT

private slots:
    void pointerOnEveryDevicePixel_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<qreal>("origin");
        // 0 exact; to Wayland's 1/256: -1 down, +1 up, 2 to the nearest, -2 a
        // whole 1/256 short where the position is one (as sway 1.10 hands
        // logical pixel 37 over as 36.99609375)
        QTest::addColumn<int>("rounding");
        for (const qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 2.25}) {
            for (const qreal origin : {0.0, 49.5, 43.75}) {
                for (const int rounding : {0, -1, 1, 2, -2}) {
                    QTest::addRow("scale %g, origin %g, rounding %d", scale, origin, rounding)
                        << scale << origin << rounding;
                }
            }
        }
    }

    // The pointer on device pixel d (its position d, in whole device pixels
    // from the window's corner) is on the logical pixel drawn over d.
    void pointerOnEveryDevicePixel()
    {
        QFETCH(qreal, scale);
        QFETCH(qreal, origin);
        QFETCH(int, rounding);
        const rt::DeviceGrid grid(scale, QPointF(origin, origin));
        const std::vector<int> drawn = grid.columns(0, 405);
        const int first = grid.edgeX(0);
        for (int i = 0; i < int(drawn.size()); ++i) {
            const int d = first + i;
            qreal logical = d / scale; // the window's logical position
            if (rounding == -1)
                logical = std::floor(logical * 256) / 256;
            else if (rounding == 1)
                logical = std::ceil(logical * 256) / 256;
            else if (rounding == 2)
                logical = std::round(logical * 256) / 256;
            else if (rounding == -2)
                logical = std::ceil(logical * 256) / 256 - 1.0 / 256;
            const qreal device = logical * scale; // as the program's mapping makes it
            const QPoint cell = grid.cellAt(QPointF(device, device));
            if (cell.x() != drawn[size_t(i)] || cell.y() != drawn[size_t(i)])
                QFAIL(qPrintable(QStringLiteral("device pixel %1 (position %2): logical pixel %3, drawn %4")
                                     .arg(d)
                                     .arg(device, 0, 'g', 12)
                                     .arg(cell.x())
                                     .arg(drawn[size_t(i)])));
        }
    }

    // A position between two device pixels (a finger, a fine pointer) is on
    // the one whose square holds it.
    void positionBetweenDevicePixels_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<qreal>("device");
        QTest::addColumn<int>("cell");
        // At 1.5 from origin 0: logical pixel 1 covers device pixel 2, 2
        // covers 3 and 4 (edges 0, 2, 3, 5).
        QTest::newRow("just past pixel 2's edge") << 1.5 << 2.1 << 1;
        QTest::newRow("just short of pixel 3's edge") << 1.5 << 2.9 << 1;
        QTest::newRow("on pixel 3's edge") << 1.5 << 3.0 << 2;
        QTest::newRow("within 2/256 short of pixel 3") << 1.5 << 2.99 << 2;
        QTest::newRow("a fiftieth short of pixel 3") << 1.5 << 2.98 << 1;
        QTest::newRow("scale 1, a hundredth short of pixel 3") << 1.0 << 2.99 << 2;
        QTest::newRow("scale 1, 1/256 short of pixel 3") << 1.0 << 3 - 1.0 / 256 << 3;
    }

    void positionBetweenDevicePixels()
    {
        QFETCH(qreal, scale);
        QFETCH(qreal, device);
        QFETCH(int, cell);
        QCOMPARE(rt::DeviceGrid(scale, QPointF(0, 0)).cellAt(QPointF(device, 0)).x(), cell);
    }
};

QTEST_APPLESS_MAIN(TestDeviceGrid)
#include "test_devicegrid.moc"
