// SPDX-License-Identifier: MIT
// Writes the KRTd258 performance chart: shaft power (rows, 75 kW at the top,
// 1 kW per 3 rows) over air-end speed (columns, 1500 + (x + 1) * 100 / 9 1/min)
// for the differential pressures 13, 10, 7 and 4 bar, as a 24-bit BMP.
//
// Usage: make_chart <output.bmp>
//
// Each curve is given by its rightmost column on every row it lies on. On a
// row the curve's run spans from the next row's rightmost column up to this
// row's, so the runs of neighbouring rows share a column and the stroke stays
// connected; the curve's last row holds only its rightmost pixel. A run takes
// the light colour when its row belongs to the curve's light (high-speed)
// segment, the dark colour otherwise.

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "bmp_writer.h"
#include "chart/colors.h"
#include "chart_curves.h"

namespace {

using namespace chart_curves;
namespace colors = chart::colors;

constexpr int kWidth = 405;
constexpr int kHeight = 225;

// The picture's file carries no image size, 2834 pixels per metre and two
// zero bytes after the pixels.
constexpr bmp::Options kFileOptions{.pixelsPerMetre = 2834, .recordImageSize = false, .trailingBytes = 2};

// The colour code the program's row scan reads the curves by; colour values
// are blue * 65536 + green * 256 + red.
constexpr std::uint32_t color(colors::Long value)
{
    return static_cast<std::uint32_t>(value);
}
constexpr std::uint32_t kWhite = color(colors::Background);
constexpr std::uint32_t kGrey = color(colors::Grid);

struct Curve {
    int firstRow;
    int lastLightRow; // rows firstRow..lastLightRow form the light segment
    std::uint32_t dark;
    std::uint32_t light;
    std::span<const int> rightmost;
};

constexpr std::array<Curve, 4> kCurves = {{
    {kFirstRow13, kLastLightRow13, color(colors::Bar13Dark), color(colors::Bar13Light), kRight13},
    {kFirstRow10, kLastLightRow10, color(colors::Bar10Dark), color(colors::Bar10Light), kRight10},
    {kFirstRow7, kLastLightRow7, color(colors::Bar7Dark), color(colors::Bar7Light), kRight7},
    {kFirstRow4, kLastLightRow4, color(colors::Bar4Dark), color(colors::Bar4Light), kRight4},
}};

using Picture = std::vector<std::uint32_t>; // kWidth * kHeight, top row first

void set(Picture& pic, int x, int y, std::uint32_t color)
{
    pic[static_cast<std::size_t>(y) * kWidth + x] = color;
}

void drawGrid(Picture& pic)
{
    for (int x : {0, 44, 89, 134, 179, 224, 269, 314, 359, 404})
        for (int y = 0; y < kHeight; ++y)
            set(pic, x, y, kGrey);

    auto horizontal = [&pic](int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x)
            set(pic, x, y, kGrey);
    };
    for (int y = 0; y <= 210; y += 15) // every 5 kW
        horizontal(y, 0, kWidth - 1);
    horizontal(kHeight - 1, 0, kWidth - 1);
    for (int y = 0; y <= 222; y += 3) // every 1 kW
        horizontal(y, 0, 5);

    // Every 100 1/min along the bottom; the 1700 1/min tick sits one column
    // to the right of its exact place.
    for (int k = 0; k <= 8; ++k) {
        for (int offset : {8, 17, 26, 35}) {
            const int x = (k == 0 && offset == 17) ? 18 : 45 * k + offset;
            for (int y = 219; y <= 223; ++y)
                set(pic, x, y, kGrey);
        }
    }
}

void drawCurve(Picture& pic, const Curve& curve)
{
    const int rows = static_cast<int>(curve.rightmost.size());
    for (int i = 0; i < rows; ++i) {
        const int y = curve.firstRow + i;
        const int right = curve.rightmost[i];
        const int left = i + 1 < rows ? curve.rightmost[i + 1] : right;
        const std::uint32_t color = y <= curve.lastLightRow ? curve.light : curve.dark;
        for (int x = left; x <= right; ++x)
            set(pic, x, y, color);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.bmp>\n", argv[0]);
        return 2;
    }

    Picture pic(static_cast<std::size_t>(kWidth) * kHeight, kWhite);
    drawGrid(pic);
    for (const Curve& curve : kCurves)
        drawCurve(pic, curve);

    if (!bmp::writeFile(argv[1], bmp::encodeColor(kWidth, kHeight, pic, kFileOptions))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
