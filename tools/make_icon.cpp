// SPDX-License-Identifier: MIT
// Generates the program icon: a grey helical screw rotor with its drive shaft,
// lying diagonally, every pixel a pure grey: on white in the window icon, on
// a transparent ground in the desktop icons, for light and dark panels.
//
//   make_icon ASSETS_DIR     the window icon ASSETS_DIR/icon.bmp and the
//                            desktop icons in ASSETS_DIR/icons/: 16.png ...
//                            256.png, scalable.svg, krtd258.ico, krtd258.icns
//   make_icon [FILE.bmp]     the 32 x 32 window icon only, as a 24-bit BMP
//                            (default: assets/icon.bmp)
//
// Each size is ray-cast from the same geometry with strokes and detail chosen
// for that size (icon_art.h), sampled 8 x 8 times per pixel; the SVG is drawn
// from the same geometry (icon_svg.h).

#include <QBuffer>
#include <QImage>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "icon_art.h"
#include "icon_files.h"
#include "icon_svg.h"

namespace {

constexpr std::array<int, 7> kSizes{16, 24, 32, 48, 64, 128, 256};

std::vector<std::uint8_t> bmpFile(const std::vector<std::uint8_t>& greys)
{
    // Colour values are blue * 65536 + green * 256 + red.
    std::vector<std::uint32_t> colors;
    colors.reserve(greys.size());
    for (std::uint8_t g : greys)
        colors.push_back(std::uint32_t(g) * 0x010101u);
    return bmp::encodeColor(icon::kDesignSize, icon::kDesignSize, colors, {});
}

// An 8-bit RGBA PNG (alpha not premultiplied) of the grey picture.
std::vector<std::uint8_t> pngFile(int size, const icon::Picture& p)
{
    QImage img(size, size, QImage::Format_RGBA8888);
    for (int y = 0; y < size; ++y) {
        uchar* line = img.scanLine(y);
        for (int x = 0; x < size; ++x) {
            const std::size_t at = std::size_t(y) * std::size_t(size) + std::size_t(x);
            line[4 * x] = line[4 * x + 1] = line[4 * x + 2] = p.greys[at];
            line[4 * x + 3] = p.alphas[at];
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG"))
        return {};
    return {bytes.begin(), bytes.end()};
}

bool write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (!bytes.empty() && bmp::writeFile(path.string(), bytes))
        return true;
    std::fprintf(stderr, "make_icon: cannot write %s\n", path.string().c_str());
    return false;
}

bool writeAll(const std::filesystem::path& assets)
{
    const std::filesystem::path dir = assets / "icons";
    std::error_code error;
    std::filesystem::create_directories(dir, error);

    std::vector<icon::Picture> pictures;
    bool ok = true;
    for (int size : kSizes) {
        icon::Coverage art = icon::renderTransparent(size);
        icon::Picture p{size, std::move(art.greys), std::move(art.alphas), {}};
        p.png = pngFile(size, p);
        ok = write(dir / (std::to_string(size) + ".png"), p.png) && ok;
        if (size == icon::kDesignSize)
            ok = write(assets / "icon.bmp", bmpFile(icon::render(size))) && ok;
        pictures.push_back(std::move(p));
    }
    const std::string svg = icon::svgDocument();
    ok = write(dir / "scalable.svg", {svg.begin(), svg.end()}) && ok;
    ok = write(dir / "krtd258.ico", icon::icoFile(pictures)) && ok;
    ok = write(dir / "krtd258.icns", icon::icnsFile(pictures)) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string target = argc > 1 ? argv[1] : "assets/icon.bmp";
    const bool bmpOnly = std::filesystem::path(target).extension() == ".bmp";
    const bool ok = bmpOnly ? write(target, bmpFile(icon::render(icon::kDesignSize))) : writeAll(target);
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
