// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The face that stands in for "MS Sans Serif" where the system lacks it:
// a sans-serif face whose widths let every caption fit its box.
extern const char* const FallbackFace;

// "MS Sans Serif" regular, 13 pixels high (9.75 pt at 96 pixels per inch),
// where the system has it, else the fallback face at that size.
QFont captionFont();

// The window's default font, for every control without a font of its own.
QFont defaultFont();

} // namespace ui
