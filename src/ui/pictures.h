// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>

namespace ui {

// A picture compiled into the program, by its resource name ("chart.bmp").
QImage builtInPicture(const char* name);

// The icon of both windows.
QIcon programIcon();

} // namespace ui
