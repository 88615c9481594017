// SPDX-License-Identifier: MIT
#pragma once

// Icon containers for desktop packaging: a Windows .ico and a macOS .icns,
// both holding the icon drawn at each of its sizes.

#include <cstdint>
#include <span>
#include <vector>

namespace icon {

struct Picture {
    int size = 0;
    std::vector<std::uint8_t> greys;  // size x size grey levels, top row first
    std::vector<std::uint8_t> alphas; // their coverage, 0 (none) to 255
    std::vector<std::uint8_t> png;    // the same picture as a PNG file
};

// Windows icon: pictures below 256 pixels as 32-bit BMP entries (with their
// alpha, and an empty AND mask), 256 as the PNG file itself.
std::vector<std::uint8_t> icoFile(std::span<const Picture> pictures);

// macOS icon: PNG entries of the types that take 16, 32, 64, 128 and 256
// pixels (icp4, icp5, icp6, ic07, ic08) and the double-density types for
// 16, 32 and 128 points (ic11, ic12, ic13); types without a picture are left
// out.
std::vector<std::uint8_t> icnsFile(std::span<const Picture> pictures);

} // namespace icon
