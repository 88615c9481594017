// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace rt {

// The number types the program is written in.
using Integer = std::int16_t; // a result outside -32768 to 32767 is an Overflow error
using Long = std::int32_t;
using Single = float;
using Double = double;

} // namespace rt
