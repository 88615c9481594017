// SPDX-License-Identifier: MIT
#include "bmp_writer.h"

#include <cassert>
#include <cstdio>

namespace bmp {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v & 0xff));
    out.push_back(std::uint8_t((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// Rows are padded to whole 4-byte words.
std::uint32_t stride(int width, int bitsPerPixel)
{
    return ((std::uint32_t(width) * std::uint32_t(bitsPerPixel) + 31) / 32) * 4;
}

// File and info header, followed by a palette of `paletteEntries` greys.
std::vector<std::uint8_t> start(int width, int height, int bitsPerPixel, std::uint32_t paletteEntries,
                                const Options& options)
{
    const std::uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * paletteEntries;
    const std::uint32_t pixelBytes = stride(width, bitsPerPixel) * std::uint32_t(height);
    const std::uint32_t fileSize = pixelOffset + pixelBytes + options.trailingBytes;

    std::vector<std::uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0); // two reserved 16-bit fields
    put32(out, pixelOffset);
    put32(out, kInfoHeaderBytes);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height)); // positive: the bottom row is stored first
    put16(out, 1);                     // planes
    put16(out, std::uint32_t(bitsPerPixel));
    put32(out, 0); // no compression
    put32(out, options.recordImageSize ? pixelBytes : 0);
    put32(out, options.pixelsPerMetre);
    put32(out, options.pixelsPerMetre);
    put32(out, paletteEntries);
    put32(out, 0); // all colours important
    for (std::uint32_t i = 0; i < paletteEntries; ++i) {
        out.push_back(std::uint8_t(i)); // blue
        out.push_back(std::uint8_t(i)); // green
        out.push_back(std::uint8_t(i)); // red
        out.push_back(0);
    }
    return out;
}

void finish(std::vector<std::uint8_t>& out, const Options& options)
{
    out.insert(out.end(), options.trailingBytes, 0);
}

} // namespace

std::vector<std::uint8_t> encodeColour(int width, int height, std::span<const std::uint32_t> colours,
                                       const Options& options)
{
    assert(colours.size() == std::size_t(width) * std::size_t(height));
    std::vector<std::uint8_t> out = start(width, height, 24, 0, options);
    const std::uint32_t pad = stride(width, 24) - 3 * std::uint32_t(width);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colours[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            out.push_back(std::uint8_t((c >> 16) & 0xff)); // blue
            out.push_back(std::uint8_t((c >> 8) & 0xff));  // green
            out.push_back(std::uint8_t(c & 0xff));         // red
        }
        out.insert(out.end(), pad, 0);
    }
    finish(out, options);
    return out;
}

std::vector<std::uint8_t> encodeGrey(int width, int height, std::span<const std::uint8_t> levels,
                                     const Options& options)
{
    assert(levels.size() == std::size_t(width) * std::size_t(height));
    std::vector<std::uint8_t> out = start(width, height, 8, 256, options);
    const std::uint32_t pad = stride(width, 8) - std::uint32_t(width);
    for (int y = height - 1; y >= 0; --y) {
        const auto row = levels.subspan(std::size_t(y) * std::size_t(width), std::size_t(width));
        out.insert(out.end(), row.begin(), row.end());
        out.insert(out.end(), pad, 0);
    }
    finish(out, options);
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
