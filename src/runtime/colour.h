// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace rt {

// Colours are Long values: blue * 65536 + green * 256 + red.
constexpr Long rgb(int red, int green, int blue)
{
    return Long(blue) * 65536 + Long(green) * 256 + Long(red);
}

QColor toQColor(Long colour);
Long fromQRgb(QRgb rgb);

// Draws a widget's text of the given role in a colour value.
void setTextColour(QWidget* widget, QPalette::ColorRole role, Long colour);

} // namespace rt
