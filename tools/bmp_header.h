#pragma once

// The 54-byte header of an uncompressed, bottom-up Windows BMP, written
// little-endian, for the picture generators.

#include <cstdint>
#include <vector>

namespace bmp {

inline void put16(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v & 0xff));
    out.push_back(std::uint8_t((v >> 8) & 0xff));
}

inline void put32(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

struct Header {
    std::uint32_t fileSize;
    std::uint32_t pixelOffset; // 54 + 4 bytes per palette entry
    std::uint32_t width;
    std::uint32_t height;      // positive: the bottom row is stored first
    std::uint16_t bitsPerPixel;
    std::uint32_t imageSize;   // may be 0 when uncompressed
    std::uint32_t pixelsPerMetre;
    std::uint32_t coloursUsed;
};

inline void putHeader(std::vector<std::uint8_t> &out, const Header &h)
{
    out.push_back('B');
    out.push_back('M');
    put32(out, h.fileSize);
    put32(out, 0); // two reserved 16-bit fields
    put32(out, h.pixelOffset);
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, h.width);
    put32(out, h.height);
    put16(out, 1); // planes
    put16(out, h.bitsPerPixel);
    put32(out, 0); // no compression
    put32(out, h.imageSize);
    put32(out, h.pixelsPerMetre);
    put32(out, h.pixelsPerMetre);
    put32(out, h.coloursUsed);
    put32(out, 0); // all colours important
}

} // namespace bmp
