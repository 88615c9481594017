// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace rt {
class CommandButton;
class Label;
class PictureBox;
class ScrollBar;
class TextBox;
} // namespace rt

namespace ui {

// Makes the interfaces of the windows' own controls. Call before the first
// control is made: Qt keeps the interface it first made for an object, and
// one is made as soon as a control raises an event with a bridge active.
void installAccessibleInterfaces();

// The chart window's controls that assistive tools learn of, under their
// layout names: the figures with their captions, the bars, the chart and the
// two Calculate buttons.
struct ChartWindowAccessibles {
    QWidget* window = nullptr;
    rt::Label* Label1 = nullptr; // caption of Text1
    rt::TextBox* Text1 = nullptr;
    rt::Label* Label3 = nullptr; // caption of Label4
    rt::Label* Label4 = nullptr;
    rt::Label* Label5 = nullptr; // caption of Text2
    rt::TextBox* Text2 = nullptr;
    rt::Label* Label19 = nullptr; // caption of Label20
    rt::Label* Label20 = nullptr;
    rt::Label* Label21 = nullptr;
    rt::Label* Label2 = nullptr; // caption of Text3
    rt::TextBox* Text3 = nullptr;
    rt::Label* Label22 = nullptr; // caption of Text4
    rt::TextBox* Text4 = nullptr;
    rt::Label* Label24 = nullptr; // caption of Text5
    rt::TextBox* Text5 = nullptr;
    rt::ScrollBar* HScroll1 = nullptr;
    rt::ScrollBar* VScroll1 = nullptr;
    rt::PictureBox* Picture1 = nullptr;
    rt::CommandButton* Command1 = nullptr;
    rt::CommandButton* Command2 = nullptr;
};

// What assistive tools (screen readers over AT-SPI) learn of the chart
// window: each figure read as "caption value" and announced when it changes,
// a red figure described as outside the chart, the scroll bars named after
// their quantity with their position in its unit, the chart and the two
// Calculate buttons named after what they show and do. Nothing visible
// changes. Call once, after every control of the window is placed.
void describeChartWindow(const ChartWindowAccessibles& c);

// Names and describes the picture of the drawing window.
void describeDrawingWindow(rt::PictureBox* picture);

} // namespace ui
