// SPDX-License-Identifier: MIT
#pragma once

// The eight grey levels the dimension drawing may use, their roles, and the
// reduction of a painted picture to them.

#include <QColor>

#include <array>
#include <cstdint>
#include <vector>

class QImage;

namespace drawing {

constexpr std::array<int, 8> kLevels{0, 124, 128, 153, 157, 226, 230, 255};

// Grey levels by role.
constexpr int kOutline = 0;   // visible and hidden edges, frames
constexpr int kDimLine = 128; // dimension, extension and centre lines
constexpr int kFigure = 124;  // dimension figures
constexpr int kTitle = 153;   // view title
constexpr int kPaper = 255;

inline QColor grey(int g)
{
    return QColor(g, g, g);
}

// The level nearest to grey g; a tie goes to the darker one.
int nearestLevel(int g);

// Every pixel of `img`, top row first, as the level nearest to the mean of
// its red, green and blue.
std::vector<std::uint8_t> reduceToLevels(const QImage& img);

} // namespace drawing
