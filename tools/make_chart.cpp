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

namespace {

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

// Rightmost column of each curve, one entry per row from the curve's first row.
constexpr std::array<int, 156> kRight13 = {
    287, 286, 285, 284, 282, 281, 279, 279, 277, 275, 274, 272, 271, 269, 268,  // 0
    268, 265, 264, 262, 261, 260, 259, 257, 255, 253, 252, 250, 249, 247, 246,  // 15
    244, 243, 242, 241, 238, 237, 235, 234, 232, 232, 229, 227, 226, 225, 223,  // 30
    222, 221, 218, 217, 215, 213, 212, 211, 208, 207, 205, 203, 203, 200, 198,  // 45
    197, 196, 194, 193, 190, 188, 188, 185, 183, 183, 181, 179, 176, 175, 174,  // 60
    171, 169, 168, 167, 165, 163, 160, 159, 158, 155, 153, 152, 149, 148, 146,  // 75
    144, 143, 140, 138, 137, 134, 132, 131, 129, 128, 125, 123, 121, 120, 117,  // 90
    115, 114, 111, 109, 107, 105, 104, 101, 99,  98,  94,  92,  91,  88,  86,   // 105
    84,  83,  80,  77,  75,  74,  71,  69,  67,  65,  63,  60,  58,  55,  53,   // 120
    52,  48,  46,  45,  42,  39,  36,  34,  32,  30,  27,  24,  22,  20,  17,   // 135
    15,  12,  9,   7,   4,   1,                                                 // 150
};

constexpr std::array<int, 172> kRight10 = {
    345, 344, 342, 342, 340, 338, 336, 334, 333, 331, 329, 329, 326, 324, 323,  // 0
    321, 319, 319, 316, 314, 313, 311, 309, 308, 306, 304, 302, 302, 299, 297,  // 15
    296, 294, 292, 290, 290, 287, 286, 284, 282, 281, 278, 276, 275, 273, 272,  // 30
    269, 268, 267, 265, 262, 261, 259, 257, 255, 254, 251, 250, 248, 246, 244,  // 45
    243, 240, 239, 237, 235, 234, 231, 229, 227, 225, 225, 222, 220, 218, 217,  // 60
    214, 212, 210, 208, 207, 204, 202, 201, 199, 198, 195, 193, 191, 189, 187,  // 75
    186, 183, 181, 179, 178, 175, 173, 171, 169, 168, 165, 162, 160, 159, 156,  // 90
    154, 152, 151, 148, 146, 144, 142, 141, 137, 135, 134, 131, 129, 127, 125,  // 105
    122, 121, 118, 116, 114, 112, 109, 107, 105, 102, 101, 98,  96,  93,  92,   // 120
    89,  87,  84,  83,  80,  77,  75,  73,  70,  68,  66,  64,  61,  59,  56,   // 135
    55,  51,  49,  47,  44,  43,  39,  38,  34,  32,  29,  27,  25,  22,  19,   // 150
    17,  15,  12,  9,   6,   4,   1,                                            // 165
};

constexpr std::array<int, 175> kRight7 = {
    404, 404, 402, 399, 397, 395, 395, 392, 390, 389, 386, 385, 383, 380, 378,  // 9
    376, 375, 373, 371, 370, 367, 365, 363, 361, 359, 358, 355, 353, 351, 349,  // 24
    347, 346, 343, 341, 339, 337, 336, 333, 331, 329, 327, 325, 324, 321, 319,  // 39
    317, 315, 313, 312, 309, 307, 305, 304, 301, 298, 296, 294, 292, 290, 289,  // 54
    286, 284, 282, 279, 278, 275, 273, 271, 269, 267, 265, 262, 260, 258, 257,  // 69
    253, 251, 249, 247, 245, 243, 240, 238, 236, 233, 232, 229, 227, 224, 222,  // 84
    220, 218, 215, 213, 211, 209, 206, 204, 201, 199, 197, 195, 192, 189, 187,  // 99
    186, 182, 180, 178, 175, 174, 170, 168, 165, 163, 161, 158, 156, 153, 151,  // 114
    149, 146, 143, 141, 139, 135, 133, 130, 128, 126, 123, 120, 118, 115, 113,  // 129
    111, 107, 105, 103, 100, 96,  95,  91,  89,  86,  84,  80,  79,  76,  72,   // 144
    70,  67,  64,  62,  59,  56,  53,  50,  48,  44,  42,  38,  36,  32,  31,   // 159
    27,  24,  22,  18,  15,  13,  10,  6,   3,   0,                            // 174
};

constexpr std::array<int, 148> kRight4 = {
    404, 403, 400, 398, 396, 394, 391, 389, 387, 385, 383, 380, 378, 375, 373,  // 45
    372, 369, 366, 364, 362, 359, 358, 355, 352, 350, 348, 345, 343, 340, 338,  // 60
    337, 333, 331, 328, 327, 325, 322, 319, 316, 314, 312, 309, 306, 305, 303,  // 75
    300, 297, 294, 292, 290, 286, 284, 281, 280, 276, 274, 271, 269, 267, 264,  // 90
    261, 258, 257, 253, 251, 248, 245, 244, 240, 237, 235, 233, 229, 227, 224,  // 105
    221, 220, 216, 213, 210, 209, 205, 202, 199, 197, 195, 191, 188, 186, 183,  // 120
    180, 177, 174, 172, 168, 165, 163, 160, 157, 154, 151, 149, 145, 142, 140,  // 135
    136, 133, 130, 127, 125, 121, 118, 116, 112, 109, 106, 103, 100, 96,  94,   // 150
    90,  87,  84,  80,  78,  74,  71,  69,  64,  62,  58,  55,  52,  49,  44,   // 165
    42,  38,  34,  32,  28,  25,  22,  18,  15,  10,  7,   3,   0,              // 180
};

struct Curve {
    int firstRow;
    int lastLightRow;  // rows firstRow..lastLightRow form the light segment
    std::uint32_t dark;
    std::uint32_t light;
    std::span<const int> rightmost;
};

constexpr std::array<Curve, 4> kCurves = {{
    {0, 31, 0xFF0000, 0xFFFF00, kRight13},   // 13 bar: blue / cyan
    {0, 24, 0x00FF00, 0x00FFFF, kRight10},   // 10 bar: green / yellow
    {9, 23, 0x0000FF, 0xFF00FF, kRight7},    // 7 bar: red / magenta
    {45, 57, 0x708040, 0xA6A653, kRight4},   // 4 bar: dark / light blue-green
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

void put16(std::vector<unsigned char> &out, std::uint16_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char> &out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>((v >> shift) & 0xFF));
}

std::vector<unsigned char> encodeBmp(const Picture &pic)
{
    std::vector<unsigned char> out;
    out.reserve(kFileBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, kFileBytes);
    put16(out, 0);
    put16(out, 0);
    put32(out, kHeaderBytes);
    put32(out, 40);       // BITMAPINFOHEADER
    put32(out, kWidth);
    put32(out, kHeight);  // positive: bottom row stored first
    put16(out, 1);        // planes
    put16(out, 24);       // bits per pixel
    put32(out, 0);        // no compression
    put32(out, 0);        // image size, may be 0 when uncompressed
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);        // colours used
    put32(out, 0);        // colours important

    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t c = pic[static_cast<std::size_t>(y) * kWidth + x];
            out.push_back(static_cast<unsigned char>((c >> 16) & 0xFF));  // blue
            out.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));   // green
            out.push_back(static_cast<unsigned char>(c & 0xFF));          // red
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

    const std::vector<unsigned char> bytes = encodeBmp(pic);
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
