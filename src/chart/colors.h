// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/types.h"

// The chart picture's colour code, as colour values (blue * 65536 + green * 256 + red).
namespace chart::colors {

using rt::Long;

constexpr Long Bar13Dark = 0xFF0000;  // blue
constexpr Long Bar13Light = 0xFFFF00; // cyan
constexpr Long Bar10Dark = 0x00FF00;  // green
constexpr Long Bar10Light = 0x00FFFF; // yellow
constexpr Long Bar7Dark = 0x0000FF;   // red
constexpr Long Bar7Light = 0xFF00FF;  // magenta
constexpr Long Bar4Dark = 0x708040;   // dark blue-green
constexpr Long Bar4Light = 0xA6A653;  // light blue-green
constexpr Long Grid = 0x767676;
constexpr Long Background = 0xFFFFFF;

// Text colours set by the evaluation.
constexpr Long Black = 0;
constexpr Long Red = 255;

} // namespace chart::colors
