// SPDX-License-Identifier: MIT
// Checks the built-in chart picture byte by byte: BMP header and layout, the
// colour code, the grid, and the course of the four pressure curves.

#include <QtTest>

#include "../tools/chart_curves.h"
#include "bmp_reader.h"
#include "chart/colors.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

constexpr int kWidth = 405;
constexpr int kHeight = 225;
constexpr int kRowBytes = 1216;
constexpr int kPixelOffset = 54;
constexpr qsizetype kFileSize = 273656;

// The program's colour code, which its row scan reads the curves by.
namespace colors = chart::colors;
constexpr quint32 kWhite = quint32(colors::Background);
constexpr quint32 kGrey = quint32(colors::Grid);

constexpr int kCurves = 4; // 13, 10, 7, 4 bar, left to right
constexpr std::array<int, kCurves> kBar = {13, 10, 7, 4};
constexpr std::array<quint32, kCurves> kDark = {quint32(colors::Bar13Dark), quint32(colors::Bar10Dark),
                                                quint32(colors::Bar7Dark), quint32(colors::Bar4Dark)};
constexpr std::array<quint32, kCurves> kLight = {quint32(colors::Bar13Light), quint32(colors::Bar10Light),
                                                 quint32(colors::Bar7Light), quint32(colors::Bar4Light)};

int curveIndex(int bar)
{
    for (int i = 0; i < kCurves; ++i)
        if (kBar[i] == bar)
            return i;
    return -1;
}

// Which curve a colour value belongs to, or -1.
int curveOf(quint32 color)
{
    for (int i = 0; i < kCurves; ++i)
        if (color == kDark[i] || color == kLight[i])
            return i;
    return -1;
}

struct Rect {
    int x0, x1, y0, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// Grid lines and ticks as drawn before the curves.
QList<QPair<QString, Rect>> gridFeatures()
{
    QList<QPair<QString, Rect>> features;
    for (int x : {0, 44, 89, 134, 179, 224, 269, 314, 359, 404})
        features.append({QStringLiteral("vertical line %1").arg(x), {x, x, 0, 224}});
    for (int y = 0; y <= 210; y += 15)
        features.append({QStringLiteral("horizontal line %1").arg(y), {0, 404, y, y}});
    features.append({QStringLiteral("bottom border"), {0, 404, 224, 224}});
    for (int y = 0; y <= 222; y += 3)
        features.append({QStringLiteral("left tick %1").arg(y), {0, 5, y, y}});
    const QList<int> bottomTicks = {8,   18,  26,  35,  53,  62,  71,  80,  98,  107, 116, 125,
                                    143, 152, 161, 170, 188, 197, 206, 215, 233, 242, 251, 260,
                                    278, 287, 296, 305, 323, 332, 341, 350, 368, 377, 386, 395};
    for (int x : bottomTicks)
        features.append({QStringLiteral("bottom tick %1").arg(x), {x, x, 219, 223}});
    return features;
}

// Rightmost column of each curve on the grid rows; -1 where the curve is absent.
struct GridRow {
    int row;
    std::array<int, kCurves> column;
    const char* light; // per curve: 'L' light rightmost pixel, '.' dark or absent
};
constexpr GridRow kGridRows[] = {
    {0, {287, 345, -1, -1}, "LL.."},    {15, {268, 321, 395, -1}, "LLL."},   {30, {244, 296, 365, -1}, "L..."},
    {45, {222, 269, 336, 404}, "...L"}, {60, {197, 243, 305, 372}, "...."},  {75, {171, 214, 273, 337}, "...."},
    {90, {144, 186, 240, 300}, "...."}, {105, {115, 154, 206, 261}, "...."}, {120, {84, 122, 170, 221}, "...."},
    {135, {52, 89, 133, 180}, "...."},  {150, {15, 55, 95, 136}, "...."},    {165, {-1, 17, 53, 90}, "...."},
    {180, {-1, -1, 10, 42}, "...."},
};

// Entry rows, both sides of each light segment's end, and the last rows.
struct TellingRow {
    int bar, row, column;
    bool light;
};
constexpr TellingRow kTellingRows[] = {
    {7, 9, 404, true},   {4, 45, 404, true},   {13, 31, 243, true}, {13, 32, 242, false},
    {10, 24, 306, true}, {10, 25, 304, false}, {7, 23, 378, true},  {7, 24, 376, false},
    {4, 57, 378, true},  {4, 58, 375, false},  {13, 155, 1, false}, {10, 171, 1, false},
    {7, 182, 3, false},  {4, 191, 3, false},   {7, 183, 0, false},  {4, 192, 0, false},
};

struct Run {
    int left = -1;
    int right = -1;
    int pixels = 0;
    bool present() const { return pixels > 0; }
};

} // namespace

Q_DECLARE_METATYPE(Rect)

// The rightmost columns of a curve, row by row. A plain struct, not a Qt
// container: Qt's container metatypes need std::function across the Qt ABI,
// which a libc++ build cannot link against a libstdc++ Qt.
struct Columns {
    std::vector<int> values;
};
Q_DECLARE_METATYPE(Columns)

class TestChartAsset : public QObject {
    Q_OBJECT

private:
    BmpReader m_bmp;
    std::array<std::array<Run, kHeight>, kCurves> m_runs;

    quint32 field(int offset, int size) const { return m_bmp.field(offset, size); }

    // Colour value (blue * 65536 + green * 256 + red) of column x, row y (0 = top).
    quint32 color(int x, int y) const { return m_bmp.color(x, y); }

    bool isLight(int curve, int x, int y) const { return color(x, y) == kLight[curve]; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_bmp.load(QStringLiteral(ASSETS_DIR "/chart.bmp")));
        QCOMPARE(m_bmp.size(), kFileSize);
        // The pixels are read where the header places them; the header test
        // pins those fields to the chart's layout.
        QVERIFY(m_bmp.pixelsInside());

        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int c = curveOf(color(x, y));
                if (c < 0)
                    continue;
                Run& run = m_runs[c][y];
                if (!run.present())
                    run.left = x;
                run.right = x;
                ++run.pixels;
            }
        }
    }

    void header_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("size");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("signature") << 0 << 2 << quint32('B' | 'M' << 8);
        QTest::newRow("file size") << 2 << 4 << quint32(kFileSize);
        QTest::newRow("reserved 1") << 6 << 2 << 0u;
        QTest::newRow("reserved 2") << 8 << 2 << 0u;
        QTest::newRow("pixel offset") << 10 << 4 << 54u;
        QTest::newRow("info header size") << 14 << 4 << 40u;
        QTest::newRow("width") << 18 << 4 << 405u;
        QTest::newRow("height") << 22 << 4 << 225u;
        QTest::newRow("planes") << 26 << 2 << 1u;
        QTest::newRow("bits per pixel") << 28 << 2 << 24u;
        QTest::newRow("compression") << 30 << 4 << 0u;
        QTest::newRow("image size") << 34 << 4 << 0u;
        QTest::newRow("x resolution") << 38 << 4 << 2834u;
        QTest::newRow("y resolution") << 42 << 4 << 2834u;
        QTest::newRow("colors used") << 46 << 4 << 0u;
        QTest::newRow("colors important") << 50 << 4 << 0u;
    }

    void header()
    {
        QFETCH(int, offset);
        QFETCH(int, size);
        QFETCH(quint32, expected);
        QCOMPARE(field(offset, size), expected);
    }

    void paddingAndTrailingBytesAreZero()
    {
        for (int row = 0; row < kHeight; ++row)
            QCOMPARE(field(kPixelOffset + row * kRowBytes + 3 * kWidth, 1), 0u);
        QCOMPARE(field(kFileSize - 2, 2), 0u);
    }

    void colorSetIsExactlyTheColorCode()
    {
        std::set<quint32> found;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                found.insert(color(x, y));
        std::set<quint32> expected = {kWhite, kGrey};
        expected.insert(kDark.begin(), kDark.end());
        expected.insert(kLight.begin(), kLight.end());
        QCOMPARE(found, expected);
    }

    void gridFeature_data()
    {
        QTest::addColumn<Rect>("rect");
        for (const auto& [name, rect] : gridFeatures())
            QTest::newRow(qPrintable(name)) << rect;
    }

    // Grey wherever no curve is drawn over it.
    void gridFeature()
    {
        QFETCH(Rect, rect);
        int grey = 0;
        for (int y = rect.y0; y <= rect.y1; ++y) {
            for (int x = rect.x0; x <= rect.x1; ++x) {
                const quint32 c = color(x, y);
                QVERIFY2(c == kGrey || curveOf(c) >= 0, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
                grey += c == kGrey;
            }
        }
        QVERIFY(grey > 0);
    }

    void backgroundIsWhiteOffTheGrid()
    {
        const auto features = gridFeatures();
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const quint32 c = color(x, y);
                if (curveOf(c) >= 0)
                    continue;
                const bool onGrid = std::any_of(features.begin(), features.end(),
                                                [x, y](const auto& f) { return f.second.contains(x, y); });
                if (!onGrid)
                    QVERIFY2(c == kWhite, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
    }

    void rightmostColumn_data()
    {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("light");
        for (const GridRow& g : kGridRows) {
            for (int c = 0; c < kCurves; ++c) {
                QTest::addRow("grid row %d, %d bar", g.row, kBar[c])
                    << c << g.row << g.column[c] << (g.light[c] == 'L');
            }
        }
        for (const TellingRow& t : kTellingRows) {
            QTest::addRow("row %d, %d bar", t.row, t.bar) << curveIndex(t.bar) << t.row << t.column << t.light;
        }
    }

    void rightmostColumn()
    {
        QFETCH(int, curve);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, light);
        const Run& run = m_runs[curve][row];
        if (column < 0) {
            QVERIFY(!run.present());
            return;
        }
        QVERIFY(run.present());
        QCOMPARE(run.right, column);
        QCOMPARE(isLight(curve, run.right, row), light);
    }

    // Every row of every curve against the table the picture is drawn from.
    void everyRowOfTheTable_data()
    {
        using namespace chart_curves;
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("lastLightRow");
        QTest::addColumn<Columns>("rightmost");
        QTest::newRow("13 bar") << 0 << kFirstRow13 << kLastLightRow13 << Columns{{kRight13.begin(), kRight13.end()}};
        QTest::newRow("10 bar") << 1 << kFirstRow10 << kLastLightRow10 << Columns{{kRight10.begin(), kRight10.end()}};
        QTest::newRow("7 bar") << 2 << kFirstRow7 << kLastLightRow7 << Columns{{kRight7.begin(), kRight7.end()}};
        QTest::newRow("4 bar") << 3 << kFirstRow4 << kLastLightRow4 << Columns{{kRight4.begin(), kRight4.end()}};
    }

    void everyRowOfTheTable()
    {
        QFETCH(int, curve);
        QFETCH(int, firstRow);
        QFETCH(int, lastLightRow);
        QFETCH(Columns, rightmost);
        for (int row = 0; row < kHeight; ++row) {
            const Run& run = m_runs[curve][row];
            const int i = row - firstRow;
            if (i < 0 || i >= int(rightmost.values.size())) {
                QVERIFY2(!run.present(), qPrintable(QString::number(row)));
                continue;
            }
            QVERIFY2(run.present(), qPrintable(QString::number(row)));
            QCOMPARE(run.right, rightmost.values[std::size_t(i)]);
            QCOMPARE(isLight(curve, run.right, row), row <= lastLightRow);
        }
    }

    void runSpan_data()
    {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("row 100, 13 bar") << 0 << 100 << 123 << 125;
        QTest::newRow("row 100, 10 bar") << 1 << 100 << 162 << 165;
        QTest::newRow("row 100, 7 bar") << 2 << 100 << 215 << 218;
        QTest::newRow("row 100, 4 bar") << 3 << 100 << 271 << 274;
        QTest::newRow("row 183, 7 bar") << 2 << 183 << 0 << 0;
        QTest::newRow("row 192, 4 bar") << 3 << 192 << 0 << 0;
    }

    void runSpan()
    {
        QFETCH(int, curve);
        QFETCH(int, row);
        QFETCH(int, left);
        QFETCH(int, right);
        QCOMPARE(m_runs[curve][row].left, left);
        QCOMPARE(m_runs[curve][row].right, right);
    }

    void curveRows_data()
    {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("lastLightRow");
        QTest::newRow("13 bar") << 0 << 0 << 155 << 31;
        QTest::newRow("10 bar") << 1 << 0 << 171 << 24;
        QTest::newRow("7 bar") << 2 << 9 << 183 << 23;
        QTest::newRow("4 bar") << 3 << 45 << 192 << 57;
    }

    // The curve lies exactly on its rows; its rightmost pixel is light on the
    // rows of the light segment only, and no light pixel lies below them.
    void curveRows()
    {
        QFETCH(int, curve);
        QFETCH(int, firstRow);
        QFETCH(int, lastRow);
        QFETCH(int, lastLightRow);
        for (int y = 0; y < kHeight; ++y) {
            const Run& run = m_runs[curve][y];
            QCOMPARE(run.present(), y >= firstRow && y <= lastRow);
            if (!run.present())
                continue;
            QCOMPARE(isLight(curve, run.right, y), y <= lastLightRow);
            if (y > lastLightRow)
                for (int x = run.left; x <= run.right; ++x)
                    QVERIFY(!isLight(curve, x, y));
        }
    }

    void runProperties_data()
    {
        QTest::addColumn<int>("curve");
        for (int c = 0; c < kCurves; ++c)
            QTest::addRow("%d bar", kBar[c]) << c;
    }

    // One unbroken run of 1 to 6 pixels per row, touching the next row's run,
    // with the rightmost column never increasing going down.
    void runProperties()
    {
        QFETCH(int, curve);
        for (int y = 0; y < kHeight; ++y) {
            const Run& run = m_runs[curve][y];
            if (!run.present())
                continue;
            const QByteArray where = "row " + QByteArray::number(y);
            QVERIFY2(run.pixels == run.right - run.left + 1, (where + ": run is broken").constData());
            QVERIFY2(run.pixels >= 1 && run.pixels <= 6, (where + ": run width").constData());
            if (y + 1 == kHeight || !m_runs[curve][y + 1].present())
                continue;
            const Run& next = m_runs[curve][y + 1];
            QVERIFY2(next.left <= run.right + 1 && next.right >= run.left - 1, (where + ": not connected").constData());
            QVERIFY2(next.right <= run.right, (where + ": rightmost column increases").constData());
        }
    }

    void curvesOrderedWithoutSharedColumns()
    {
        for (int y = 0; y < kHeight; ++y) {
            int previousRight = -1;
            for (int c = 0; c < kCurves; ++c) {
                const Run& run = m_runs[c][y];
                if (!run.present())
                    continue;
                QVERIFY2(run.left > previousRight, qPrintable(QStringLiteral("row %1, %2 bar").arg(y).arg(kBar[c])));
                previousRight = run.right;
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestChartAsset)
#include "test_chart_asset.moc"
