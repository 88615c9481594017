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

QColor toQColor(Long color);
Long fromQRgb(QRgb rgb);

// Relative luminance and contrast ratio as WCAG 2 defines them.
double relativeLuminance(const QColor& color);
double contrastRatio(const QColor& a, const QColor& b);

// The least contrast a text, and a text in a warning colour, keeps against
// its background in any colour scheme.
constexpr double MinTextContrast = 4.5;
constexpr double MinWarningContrast = 3.0;

// The colour in which a colour value is drawn as text on a background.
// Black (0) is the colour scheme's text colour, schemeText. Any other value
// is a warning colour: drawn as it is where it reaches MinWarningContrast,
// else in the same hue, lightened or darkened as little as needed to reach
// a tenth more than that.
QColor drawnTextColor(Long color, const QColor& background, const QColor& schemeText);

// Draws a widget's text of the given role in a colour value, readable on the
// widget's background role.
void setTextColor(QWidget* widget, QPalette::ColorRole role, QPalette::ColorRole background, Long color);

} // namespace rt
