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
#include <fstream>
#include <span>
#include <vector>

#include "bmp_header.h"
#include "chart_curves.h"

namespace {

using namespace chart_curves;

constexpr int kWidth = 405;
constexpr int kHeight = 225;
constexpr int kRowBytes = kWidth * 3 + 1;  // one zero pad byte per row
constexpr int kHeaderBytes = 54;
constexpr int kTrailingBytes = 2;
constexpr int kFileBytes = kHeaderBytes + kHeight * kRowBytes + kTrailingBytes;
constexpr std::uint32_t kPixelsPerMetre = 2834;

// Colour values are blue * 65536 + green * 256 + red.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x767676;

struct Curve {
    int firstRow;
    int lastLightRow;  // rows firstRow..lastLightRow form the light segment
    std::uint32_t dark;
    std::uint32_t light;
    std::span<const int> rightmost;
};

constexpr std::array<Curve, 4> kCurves = {{
    {kFirstRow13, kLastLightRow13, 0xFF0000, 0xFFFF00, kRight13},  // 13 bar: blue / cyan
    {kFirstRow10, kLastLightRow10, 0x00FF00, 0x00FFFF, kRight10},  // 10 bar: green / yellow
    {kFirstRow7, kLastLightRow7, 0x0000FF, 0xFF00FF, kRight7},     // 7 bar: red / magenta
    {kFirstRow4, kLastLightRow4, 0x708040, 0xA6A653, kRight4},     // 4 bar: dark / light blue-green
}};

using Picture = std::vector<std::uint32_t>;  // kWidth * kHeight, top row first

void set(Picture &pic, int x, int y, std::uint32_t colour)
{
    pic[static_cast<std::size_t>(y) * kWidth + x] = colour;
}

void drawGrid(Picture &pic)
{
    for (int x : {0, 44, 89, 134, 179, 224, 269, 314, 359, 404})
        for (int y = 0; y < kHeight; ++y)
            set(pic, x, y, kGrey);

    auto horizontal = [&pic](int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x)
            set(pic, x, y, kGrey);
    };
    for (int y = 0; y <= 210; y += 15)  // every 5 kW
        horizontal(y, 0, kWidth - 1);
    horizontal(kHeight - 1, 0, kWidth - 1);
    for (int y = 0; y <= 222; y += 3)  // every 1 kW
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

void drawCurve(Picture &pic, const Curve &curve)
{
    const int rows = static_cast<int>(curve.rightmost.size());
    for (int i = 0; i < rows; ++i) {
        const int y = curve.firstRow + i;
        const int right = curve.rightmost[i];
        const int left = i + 1 < rows ? curve.rightmost[i + 1] : right;
        const std::uint32_t colour = y <= curve.lastLightRow ? curve.light : curve.dark;
        for (int x = left; x <= right; ++x)
            set(pic, x, y, colour);
    }
}

std::vector<std::uint8_t> encodeBmp(const Picture &pic)
{
    std::vector<std::uint8_t> out;
    out.reserve(kFileBytes);
    bmp::putHeader(out, {kFileBytes, kHeaderBytes, kWidth, kHeight, 24, 0, kPixelsPerMetre, 0});

    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t c = pic[static_cast<std::size_t>(y) * kWidth + x];
            out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));  // blue
            out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));   // green
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));          // red
        }
        out.push_back(0);
    }
    out.insert(out.end(), kTrailingBytes, 0);
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.bmp>\n", argv[0]);
        return 2;
    }

    Picture pic(static_cast<std::size_t>(kWidth) * kHeight, kWhite);
    drawGrid(pic);
    for (const Curve &curve : kCurves)
        drawCurve(pic, curve);

    const std::vector<std::uint8_t> bytes = encodeBmp(pic);
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
