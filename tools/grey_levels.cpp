// SPDX-License-Identifier: MIT
#include "grey_levels.h"

#include <QImage>

#include <cstdlib>

namespace drawing {

int nearestLevel(int g)
{
    int best = kLevels[0];
    for (int level : kLevels)
        if (std::abs(level - g) < std::abs(best - g))
            best = level;
    return best;
}

std::vector<std::uint8_t> reduceToLevels(const QImage& img)
{
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint8_t> levels;
    levels.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x];
            const int g = (qRed(c) + qGreen(c) + qBlue(c) + 1) / 3;
            levels.push_back(std::uint8_t(nearestLevel(g)));
        }
    }
    return levels;
}

} // namespace drawing
