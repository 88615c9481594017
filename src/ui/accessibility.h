// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace ui {

// Makes the interfaces of the windows' own controls. Call before the first
// control is made: Qt keeps the interface it first made for an object, and
// one is made as soon as a control raises an event with a bridge active.
void installAccessibleInterfaces();

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
