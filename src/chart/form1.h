// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/controls.h"

#include <functional>

namespace chart {

// The controls of the chart window that its handlers drive, under their
// layout names. The window fills it in as it places each control.
struct Form1Controls {
    rt::PictureBox* Picture1 = nullptr;
    rt::Line* Line1 = nullptr;
    rt::Line* Line2 = nullptr;
    rt::ShapeControl* Shape2 = nullptr;
    rt::ScrollBar* HScroll1 = nullptr;
    rt::ScrollBar* VScroll1 = nullptr;
    rt::Label* Label4 = nullptr;
    rt::TextBox* Text1 = nullptr;
    rt::TextBox* Text2 = nullptr;
    rt::Label* Label20 = nullptr;
    rt::Label* Label21 = nullptr;
    rt::TextBox* Text3 = nullptr;
    rt::TextBox* Text4 = nullptr;
    rt::TextBox* Text5 = nullptr;
};

// The chart window's state and its handlers: the cross-hair (scroll bars and
// mouse), the evaluation of the cross-hair point, and the two calculations
// that end by moving the cross-hair. The handlers reach the controls by
// their layout names.
class Form1 : private Form1Controls {
public:
    explicit Form1(const Form1Controls& controls);

    // Event handlers, wired by the window to their events.
    void Form_Load();
    void HScroll1_Change();
    void VScroll1_Change();
    void Picture1_MouseDown(rt::Integer Button, rt::Integer Shift, rt::Single X, rt::Single Y);
    void Picture1_MouseMove(rt::Integer Button, rt::Integer Shift, rt::Single X, rt::Single Y);
    void Command1_Click();
    void Command2_Click();

private:
    void EvaluatePoint();
    // Scans one chart row; the row is asked for once per column, as each
    // caller reads it (a fixed value, or the line where it stands).
    void ScanChartRow(const std::function<rt::Single()>& row);

    // Where the marker goes to be centred on the cross-hair, read back from
    // the lines; the marker is square, so its width serves for both.
    rt::Single markerLeft() const;
    rt::Single markerTop() const;

    // Window-level variables; all start at 0.
    rt::Long PixelColor = 0;      // colour last read from the chart during a row scan
    rt::Single CurveX13 = 0;      // column of the 13 bar curve on the scanned row; 0 when not found
    rt::Single CurveX10 = 0;      // the same for the 10 bar curve
    rt::Single CurveX7 = 0;       // the same for the 7 bar curve
    rt::Single CurveX4 = 0;       // the same for the 4 bar curve
    rt::Single Pressure = 0;      // differential pressure in bar at the cross-hair
    rt::Integer AirEndRpm = 0;    // air-end speed nHR in 1/min
    rt::Single Delivery = 0;      // delivery Q1 in m3/min
    rt::Integer MotorRpm = 0;     // motor speed taken from Text3
    rt::Integer MotorPulley = 0;  // motor pulley taken from Text4
    rt::Integer AirEndPulley = 0; // air-end pulley taken from Text5
};

} // namespace chart
