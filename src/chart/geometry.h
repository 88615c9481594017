// SPDX-License-Identifier: MIT
#pragma once

// The chart's geometry: its pixels, and how scroll values, speed and power
// map onto them. Each quotient is formed first, in double, and only then
// multiplied, so every result is the same as with the figures written out.
namespace chart::geometry {

// The picture is 405 x 225 pixels: columns 0 to 404, rows 0 to 224.
constexpr int LastColumn = 404;
constexpr int LastRow = 224;

// VScroll1 moves half a row per step: row V / 2 - 1.
constexpr double StepsPerRow = 2.0;

// HScroll1 runs over 450 steps, the chart over 405 columns from -1.
constexpr double ColumnsPerStep = 405.0 / 450.0;
constexpr double StepsPerColumn = 450.0 / 405.0;

// Air-end speed: 1500 1/min at step 0, 4500 / 450 = 10 1/min per step, so
// 6000 1/min at step 450.
constexpr int LowestRpm = 1500;
constexpr int HighestRpm = 6000;
constexpr double RpmPerStep = 4500.0 / 450.0;

// Power: 0 kW on row 225, one below the picture, and 75 kW on row 0.
constexpr int ZeroPowerRow = 225;
constexpr double KwPerRow = 75.0 / 225.0;
constexpr int RowsPerKw = 3;

} // namespace chart::geometry
