// SPDX-License-Identifier: MIT
#pragma once

#include "geometry.h"

#include "runtime/numbers.h"

// The figures the two axes show for the bars' positions: the window's
// handlers write them, and screen readers hear them as the bars' positions.
namespace chart::axes {

// The air-end speed of an HScroll1 value: 1500 + 10 x H, whole 1/min.
inline QString speed(rt::Integer h)
{
    return rt::format(geometry::RpmPerStep * h + geometry::LowestRpm, "#");
}

// The chart row of a VScroll1 value: half a row per step, from row -1.
inline rt::Single row(rt::Integer v)
{
    return rt::toSingle(v / geometry::StepsPerRow - 1);
}

// The shaft power of a chart row, to a tenth of a kW.
inline QString power(rt::Single row)
{
    return rt::format((geometry::ZeroPowerRow - double(row)) * geometry::KwPerRow, "##.0");
}

} // namespace chart::axes
