// SPDX-License-Identifier: MIT
#include "bmp_writer.h"

#include <cassert>
#include <cstdio>

namespace bmp {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;

// Writes little-endian fields into a file laid out in full beforehand, so
// that nothing is appended (and the vector never grows) while it is written.
class Cursor {
public:
    explicit Cursor(std::vector<std::uint8_t>& out) : out_(out) {}
    void put8(std::uint32_t v) { out_[at_++] = std::uint8_t(v & 0xff); }
    void put16(std::uint32_t v)
    {
        put8(v);
        put8(v >> 8);
    }
    void put32(std::uint32_t v)
    {
        put16(v & 0xffff);
        put16(v >> 16);
    }
    void skip(std::uint32_t bytes) { at_ += bytes; }

private:
    std::vector<std::uint8_t>& out_;
    std::size_t at_ = 0;
};

// Rows are padded to whole 4-byte words.
std::uint32_t stride(int width, int bitsPerPixel)
{
    return ((std::uint32_t(width) * std::uint32_t(bitsPerPixel) + 31) / 32) * 4;
}

// The whole file, zero-filled, with its file and info header and a palette
// of `paletteEntries` greys written; the pixels follow from the cursor on.
// Row padding and trailing bytes stay zero.
std::vector<std::uint8_t> start(int width, int height, int bitsPerPixel, std::uint32_t paletteEntries,
                                const Options& options)
{
    const std::uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * paletteEntries;
    const std::uint32_t pixelBytes = stride(width, bitsPerPixel) * std::uint32_t(height);
    const std::uint32_t fileSize = pixelOffset + pixelBytes + options.trailingBytes;

    std::vector<std::uint8_t> out(fileSize, 0);
    Cursor c(out);
    c.put8('B');
    c.put8('M');
    c.put32(fileSize);
    c.put32(0); // two reserved 16-bit fields
    c.put32(pixelOffset);
    c.put32(kInfoHeaderBytes);
    c.put32(std::uint32_t(width));
    c.put32(std::uint32_t(height)); // positive: the bottom row is stored first
    c.put16(1);                     // planes
    c.put16(std::uint32_t(bitsPerPixel));
    c.put32(0); // no compression
    c.put32(options.recordImageSize ? pixelBytes : 0);
    c.put32(options.pixelsPerMetre);
    c.put32(options.pixelsPerMetre);
    c.put32(paletteEntries);
    c.put32(0); // all colours important
    for (std::uint32_t i = 0; i < paletteEntries; ++i) {
        c.put8(i); // blue
        c.put8(i); // green
        c.put8(i); // red
        c.put8(0);
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeColor(int width, int height, std::span<const std::uint32_t> colors,
                                      const Options& options)
{
    assert(colors.size() == std::size_t(width) * std::size_t(height));
    std::vector<std::uint8_t> out = start(width, height, 24, 0, options);
    Cursor c(out);
    c.skip(kFileHeaderBytes + kInfoHeaderBytes);
    const std::uint32_t pad = stride(width, 24) - 3 * std::uint32_t(width);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c24 = colors[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            c.put8(c24 >> 16); // blue
            c.put8(c24 >> 8);  // green
            c.put8(c24);       // red
        }
        c.skip(pad);
    }
    return out;
}

std::vector<std::uint8_t> encodeGrey(int width, int height, std::span<const std::uint8_t> levels,
                                     const Options& options)
{
    assert(levels.size() == std::size_t(width) * std::size_t(height));
    std::vector<std::uint8_t> out = start(width, height, 8, 256, options);
    Cursor c(out);
    c.skip(kFileHeaderBytes + kInfoHeaderBytes + 4 * 256);
    const std::uint32_t pad = stride(width, 8) - std::uint32_t(width);
    for (int y = height - 1; y >= 0; --y) {
        for (const std::uint8_t level : levels.subspan(std::size_t(y) * std::size_t(width), std::size_t(width)))
            c.put8(level);
        c.skip(pad);
    }
    return out;
}

bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace bmp
