// SPDX-License-Identifier: MIT
// Format checks of the built-in dimension drawing and window icon, read byte
// by byte from the BMP files without an image loader.

#include <QObject>
#include <QSet>
#include <QtTest>

#include <cmath>
#include <cstdint>

#include "bmp_reader.h"

namespace {

const QString kDrawing = QStringLiteral(ASSETS_DIR "/drawing.bmp");
const QString kIcon = QStringLiteral(ASSETS_DIR "/icon.bmp");

// The grey levels the drawing may use; palette index i is grey i.
const QSet<int> kAllowedLevels{0, 124, 128, 153, 157, 226, 230, 255};
constexpr int kBlack = 0;
constexpr int kPaper = 255;

// The end view of the drive side: the shaft axis at pixel (420, 136), drawn
// at 0.8 px/mm, so the square flange (150) spans 360..480 x 76..196 with its
// edges 2 px thick, and the pitch circle (160) has a radius of 64 px with
// bolt holes at 45, 135, 225 and 315 degrees.
constexpr double kEndViewX = 420.0;
constexpr double kEndViewY = 136.0;
constexpr double kPitchRadius = 64.0;

struct Area {
    int x0, x1, y0, y1;
};

} // namespace

Q_DECLARE_METATYPE(Area)

// Grey levels of a table row. A plain struct, not a Qt container: Qt's
// container metatypes need std::function across the Qt ABI, which a libc++
// build cannot link against a libstdc++ Qt.
struct Levels {
    std::vector<int> values;
};
Q_DECLARE_METATYPE(Levels)

namespace {

} // namespace

class TestDrawingAssets : public QObject {
    Q_OBJECT

private:
    BmpReader drawing_;
    BmpReader icon_;
    bool drawingOk_ = false;
    bool iconOk_ = false;

private slots:
    void initTestCase()
    {
        drawingOk_ = drawing_.load(kDrawing);
        iconOk_ = icon_.load(kIcon);
    }

    void header_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bitsPerPixel");
        QTest::addColumn<int>("paletteEntries");
        QTest::newRow("drawing") << kDrawing << 560 << 451 << 8 << 256;
        QTest::newRow("icon") << kIcon << 32 << 32 << 24 << 0;
    }

    void header()
    {
        QFETCH(QString, path);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bitsPerPixel);
        QFETCH(int, paletteEntries);

        BmpReader b;
        QVERIFY2(b.load(path), qPrintable(path + QStringLiteral(" is missing or too short")));
        QCOMPARE(b.bytes().at(0), 'B');
        QCOMPARE(b.bytes().at(1), 'M');
        QCOMPARE(b.u32(2), std::uint32_t(b.size())); // file size field
        QCOMPARE(b.u32(14), std::uint32_t(40));      // BITMAPINFOHEADER
        QCOMPARE(b.width(), width);
        QCOMPARE(b.height(), height);          // positive: bottom-up
        QCOMPARE(b.u16(26), std::uint32_t(1)); // planes
        QCOMPARE(b.bitsPerPixel(), bitsPerPixel);
        QCOMPARE(b.u32(30), std::uint32_t(0)); // BI_RGB, no compression
        QCOMPARE(b.pixelOffset(), std::uint32_t(14 + 40 + 4 * paletteEntries));
        const qsizetype pixelBytes = b.stride() * height;
        QCOMPARE(qsizetype(b.size()), qsizetype(b.pixelOffset()) + pixelBytes);
        const std::uint32_t imageSize = b.u32(34);
        QVERIFY2(imageSize == 0 || imageSize == std::uint32_t(pixelBytes),
                 qPrintable(QStringLiteral("image size field %1").arg(imageSize)));
        if (paletteEntries > 0) {
            const std::uint32_t used = b.u32(46);
            QVERIFY2(used == 0 || used == std::uint32_t(paletteEntries),
                     qPrintable(QStringLiteral("colors used %1").arg(used)));
        }
    }

    void drawingPaletteIsGreyRamp()
    {
        QVERIFY(drawingOk_);
        QVERIFY(drawing_.size() >= 54 + 256 * 4);
        for (int i = 0; i < 256; ++i) {
            const qsizetype e = 54 + 4 * i;
            const bool grey =
                drawing_.u8(e) == i && drawing_.u8(e + 1) == i && drawing_.u8(e + 2) == i && drawing_.u8(e + 3) == 0;
            QVERIFY2(grey, qPrintable(QStringLiteral("palette entry %1 is %2,%3,%4,%5 (b,g,r,0)")
                                          .arg(i)
                                          .arg(drawing_.u8(e))
                                          .arg(drawing_.u8(e + 1))
                                          .arg(drawing_.u8(e + 2))
                                          .arg(drawing_.u8(e + 3))));
        }
    }

    void drawingUsesOnlyAllowedLevels()
    {
        QVERIFY(drawingOk_ && drawing_.pixelsInside());
        for (int y = 0; y < drawing_.height(); ++y)
            for (int x = 0; x < drawing_.width(); ++x) {
                const int level = drawing_.index(x, y);
                if (!kAllowedLevels.contains(level))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) has level %3").arg(x).arg(y).arg(level)));
            }
    }

    // Black outlines, grey dimensioning and a white ground must all be there
    // in real amounts: a blank, all-black or outline-only picture fails.
    void drawingContent_data()
    {
        QTest::addColumn<Levels>("levels");
        QTest::addColumn<double>("minShare");
        QTest::newRow("black outlines") << Levels{{0}} << 0.01;
        QTest::newRow("grey dimensioning") << Levels{{124, 128, 153, 157, 226, 230}} << 0.005;
        QTest::newRow("white ground") << Levels{{255}} << 0.5;
    }

    void drawingContent()
    {
        QFETCH(Levels, levels);
        QFETCH(double, minShare);
        QVERIFY(drawingOk_ && drawing_.pixelsInside());
        const QSet<int> wanted(levels.values.cbegin(), levels.values.cend());
        qint64 count = 0;
        for (int y = 0; y < drawing_.height(); ++y)
            for (int x = 0; x < drawing_.width(); ++x)
                count += wanted.contains(drawing_.index(x, y));
        const double share = double(count) / (double(drawing_.width()) * drawing_.height());
        QVERIFY2(share >= minShare, qPrintable(QStringLiteral("share %1").arg(share)));
    }

    // The framed inset sits in the lower-left corner: the longest horizontal
    // black line starting in the left half is its frame, so it must lie in the
    // lower half of the picture. Catches rows written in the wrong order.
    void drawingInsetIsAtLowerLeft()
    {
        QVERIFY(drawingOk_ && drawing_.pixelsInside());
        int bestRow = -1, bestRun = 0;
        for (int y = 0; y < drawing_.height(); ++y) {
            int run = 0;
            for (int x = 0; x < drawing_.width(); ++x) {
                run = drawing_.index(x, y) == 0 ? run + 1 : 0;
                const int start = x - run + 1;
                if (run > bestRun && start < drawing_.width() / 2) {
                    bestRun = run;
                    bestRow = y;
                }
            }
        }
        QVERIFY2(bestRun >= drawing_.width() / 4, qPrintable(QStringLiteral("longest run %1").arg(bestRun)));
        QVERIFY2(bestRow >= drawing_.height() / 2, qPrintable(QStringLiteral("at row %1").arg(bestRow)));
    }

    // Every icon pixel is a grey (red = green = blue); a real part of them is
    // darker than white.
    void iconIsGreyOnWhite()
    {
        QVERIFY(iconOk_ && icon_.pixelsInside());
        int drawn = 0;
        for (int y = 0; y < icon_.height(); ++y)
            for (int x = 0; x < icon_.width(); ++x) {
                const int r = icon_.red(x, y), g = icon_.green(x, y), b = icon_.blue(x, y);
                QVERIFY2(r == g && g == b,
                         qPrintable(QStringLiteral("pixel (%1, %2) is %3,%4,%5").arg(x).arg(y).arg(r).arg(g).arg(b)));
                drawn += r < 255;
            }
        const int total = icon_.width() * icon_.height();
        QVERIFY2(drawn >= total / 10, qPrintable(QStringLiteral("%1 drawn pixels").arg(drawn)));
        QVERIFY2(drawn <= total / 2, qPrintable(QStringLiteral("%1 drawn pixels").arg(drawn)));
    }

    void iconCornerIsWhite_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("top left") << 0 << 0;
        QTest::newRow("top right") << 31 << 0;
        QTest::newRow("bottom left") << 0 << 31;
        QTest::newRow("bottom right") << 31 << 31;
    }

    void iconCornerIsWhite()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QVERIFY(iconOk_ && icon_.pixelsInside());
        QCOMPARE(icon_.red(x, y), 255);
        QCOMPARE(icon_.green(x, y), 255);
        QCOMPARE(icon_.blue(x, y), 255);
    }

    // The rotor lies diagonally: the drawn pixels, weighted by darkness, are
    // strongly correlated in x and y.
    void iconRotorIsDiagonal()
    {
        QVERIFY(iconOk_ && icon_.pixelsInside());
        double w = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
        for (int y = 0; y < icon_.height(); ++y)
            for (int x = 0; x < icon_.width(); ++x) {
                const double d = 255 - icon_.red(x, y);
                w += d;
                sx += d * x;
                sy += d * y;
                sxx += d * x * x;
                syy += d * y * y;
                sxy += d * x * y;
            }
        QVERIFY(w > 0);
        const double vx = sxx / w - (sx / w) * (sx / w);
        const double vy = syy / w - (sy / w) * (sy / w);
        const double cxy = sxy / w - (sx / w) * (sy / w);
        const double corr = cxy / std::sqrt(vx * vy);
        QVERIFY2(std::abs(corr) >= 0.6, qPrintable(QStringLiteral("correlation %1").arg(corr)));
    }

    // The pitch circle is drawn all round, not only where the bolt holes
    // stand on it: away from the holes, most of its course has ink within a
    // pixel of it.
    void drawingPitchCircleIsDrawn()
    {
        QVERIFY(drawingOk_ && drawing_.pixelsInside());
        constexpr double kPi = 3.14159265358979323846;
        int sampled = 0, inked = 0;
        for (int deg = 0; deg < 360; ++deg) {
            const int fromHole = std::abs((deg % 90) - 45);
            if (fromHole < 12)
                continue;
            ++sampled;
            const double a = deg * kPi / 180.0;
            const int cx = int(std::lround(kEndViewX + kPitchRadius * std::cos(a)));
            const int cy = int(std::lround(kEndViewY - kPitchRadius * std::sin(a)));
            bool ink = false;
            for (int y = cy - 1; y <= cy + 1; ++y)
                for (int x = cx - 1; x <= cx + 1; ++x)
                    ink = ink || drawing_.index(x, y) != kPaper;
            inked += ink;
        }
        const double share = double(inked) / sampled;
        QVERIFY2(share >= 0.9, qPrintable(QStringLiteral("ink on %1 of the circle").arg(share)));
    }

    // The housing behind the flange shows only outside the flange square: its
    // outline meets the flange edge and stops there.
    void drawingHousingStopsAtFlange_data()
    {
        QTest::addColumn<Area>("area");
        QTest::addColumn<bool>("black");
        QTest::newRow("left edge above the flange") << Area{370, 373, 72, 74} << true;
        QTest::newRow("left edge inside the flange face") << Area{370, 373, 77, 83} << false;
        QTest::newRow("bottom edge right of the flange") << Area{482, 494, 177, 178} << true;
        QTest::newRow("bottom edge inside the flange face") << Area{472, 478, 176, 179} << false;
    }

    void drawingHousingStopsAtFlange()
    {
        QFETCH(Area, area);
        QFETCH(bool, black);
        QVERIFY(drawingOk_ && drawing_.pixelsInside());
        int count = 0;
        for (int y = area.y0; y <= area.y1; ++y)
            for (int x = area.x0; x <= area.x1; ++x)
                count += drawing_.index(x, y) == kBlack;
        if (black)
            QVERIFY2(count > 0, "no outline where the housing shows");
        else
            QVERIFY2(count == 0, qPrintable(QStringLiteral("%1 outline pixels on the flange face").arg(count)));
    }
};

QTEST_APPLESS_MAIN(TestDrawingAssets)
#include "test_drawing_assets.moc"
