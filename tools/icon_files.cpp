// SPDX-License-Identifier: MIT
#include "icon_files.h"

#include <array>
#include <cassert>

namespace icon {

namespace {

constexpr int kPngInIcoFrom = 256;

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v & 0xff));
    out.push_back(std::uint8_t((v >> 8) & 0xff));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    putLe16(out, v & 0xffff);
    putLe16(out, v >> 16);
}

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t((v >> shift) & 0xff));
}

// A BMP without its file header, as .ico stores it: the height counts the
// colour rows and the AND mask rows together; rows are stored bottom-up.
std::vector<std::uint8_t> icoBitmap(const Picture& p)
{
    const std::uint32_t n = std::uint32_t(p.size);
    const std::uint32_t maskStride = ((n + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    putLe32(out, 40);
    putLe32(out, n);
    putLe32(out, 2 * n);
    putLe16(out, 1);  // planes
    putLe16(out, 32); // bits per pixel
    putLe32(out, 0);  // no compression
    putLe32(out, n * n * 4 + maskStride * n);
    putLe32(out, 0); // pixels per metre, x and y
    putLe32(out, 0);
    putLe32(out, 0); // no palette
    putLe32(out, 0);
    for (int y = p.size - 1; y >= 0; --y) {
        for (int x = 0; x < p.size; ++x) {
            const std::size_t at = std::size_t(y) * n + std::size_t(x);
            const std::uint8_t g = p.greys[at];
            out.insert(out.end(), {g, g, g, p.alphas[at]}); // blue, green, red, alpha (not premultiplied)
        }
    }
    out.insert(out.end(), maskStride * n, 0); // every pixel shown
    return out;
}

} // namespace

std::vector<std::uint8_t> icoFile(std::span<const Picture> pictures)
{
    std::vector<std::vector<std::uint8_t>> images;
    for (const Picture& p : pictures) {
        assert(p.size >= 1 && p.size <= 256);
        images.push_back(p.size >= kPngInIcoFrom ? p.png : icoBitmap(p));
    }

    std::vector<std::uint8_t> out;
    putLe16(out, 0); // reserved
    putLe16(out, 1); // icon, not cursor
    putLe16(out, std::uint32_t(pictures.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::uint8_t side = std::uint8_t(pictures[i].size & 0xff); // 256 is stored as 0
        out.insert(out.end(), {side, side, 0, 0});                       // width, height, no palette, reserved
        putLe16(out, 1);                                                 // planes
        putLe16(out, 32);                                                // bits per pixel
        putLe32(out, std::uint32_t(images[i].size()));
        putLe32(out, offset);
        offset += std::uint32_t(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

std::vector<std::uint8_t> icnsFile(std::span<const Picture> pictures)
{
    struct Type {
        std::array<char, 4> code;
        int pixels;
    };
    static constexpr std::array<Type, 8> kTypes{{{{'i', 'c', 'p', '4'}, 16},
                                                 {{'i', 'c', 'p', '5'}, 32},
                                                 {{'i', 'c', 'p', '6'}, 64},
                                                 {{'i', 'c', '0', '7'}, 128},
                                                 {{'i', 'c', '0', '8'}, 256},
                                                 {{'i', 'c', '1', '1'}, 32},
                                                 {{'i', 'c', '1', '2'}, 64},
                                                 {{'i', 'c', '1', '3'}, 256}}};

    std::vector<std::uint8_t> body;
    for (const Type& type : kTypes) {
        for (const Picture& p : pictures) {
            if (p.size != type.pixels)
                continue;
            body.insert(body.end(), type.code.begin(), type.code.end());
            putBe32(body, 8 + std::uint32_t(p.png.size())); // the length counts the entry header
            body.insert(body.end(), p.png.begin(), p.png.end());
        }
    }
    std::vector<std::uint8_t> out{'i', 'c', 'n', 's'};
    putBe32(out, 8 + std::uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

} // namespace icon
