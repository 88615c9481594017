// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace ui {

// What assistive tools (screen readers over AT-SPI) learn of the chart
// window: each figure read as "caption value" and announced when it changes,
// a red figure described as outside the chart, the scroll bars named after
// their quantity with their position in its unit, the chart and the two
// Calculate buttons named after what they show and do. Nothing visible
// changes. Call once, after every control of the window is placed.
void describeChartWindow(QWidget* window);

// Names and describes the picture of the drawing window.
void describeDrawingWindow(QWidget* window);

} // namespace ui
