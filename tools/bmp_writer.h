// SPDX-License-Identifier: MIT
#pragma once

// The one BMP writer of the picture generators: uncompressed, bottom-up
// Windows BMP files with a 40-byte info header, in 24-bit colour or in 8-bit
// grey over a palette in which entry i is grey i.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bmp {

struct Options {
    std::uint32_t pixelsPerMetre = 3780;
    bool recordImageSize = true;     // image size field: pixel bytes, or 0
    std::uint32_t trailingBytes = 0; // zero bytes after the pixels, counted in the file size
};

// Colour values are blue * 65536 + green * 256 + red, top row first.
std::vector<std::uint8_t> encodeColor(int width, int height, std::span<const std::uint32_t> colors,
                                      const Options& options);

// Grey levels (palette indices), top row first.
std::vector<std::uint8_t> encodeGrey(int width, int height, std::span<const std::uint8_t> levels,
                                     const Options& options);

// Writes the bytes to `path`, replacing the file; false when that fails.
bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace bmp
