// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"

#include <QColor>

namespace rt {

// Colours are Long values: blue * 65536 + green * 256 + red.
constexpr Long rgb(int red, int green, int blue)
{
    return Long(blue) * 65536 + Long(green) * 256 + Long(red);
}

QColor toQColor(Long colour);
Long fromQRgb(QRgb rgb);

} // namespace rt
