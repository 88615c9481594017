#pragma once

#include "runtime/controls.h"

#include <functional>

namespace chart {

using rt::Integer;
using rt::Long;
using rt::Single;

// The controls of the chart window that its handlers drive.
struct Form1Controls {
    rt::PictureBox* Picture1 = nullptr;
    rt::Line* Line1 = nullptr;
    rt::Line* Line2 = nullptr;
    rt::Shape* Shape2 = nullptr;
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
// that end by moving the cross-hair.
class Form1 {
public:
    explicit Form1(const Form1Controls& controls);

    // Event handlers, wired by the window to their events.
    void Form_Load();
    void HScroll1_Change();
    void VScroll1_Change();
    void Picture1_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Picture1_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Command1_Click();
    void Command2_Click();

    // Read access to the window-level variables.
    Long pixelColor() const { return PixelColor; }
    Single curveX13() const { return CurveX13; }
    Single curveX10() const { return CurveX10; }
    Single curveX7() const { return CurveX7; }
    Single curveX4() const { return CurveX4; }
    Single pressure() const { return Pressure; }
    Integer airEndRpm() const { return AirEndRpm; }
    Single delivery() const { return Delivery; }
    Integer motorRpm() const { return MotorRpm; }
    Integer motorPulley() const { return MotorPulley; }
    Integer airEndPulley() const { return AirEndPulley; }

    // The number of evaluations run so far (for tests and diagnostics).
    int evaluationCount() const { return evaluations_; }

private:
    void EvaluatePoint();
    // Scans one chart row; the row is asked for once per column, as each
    // caller reads it (a fixed value, or the line where it stands).
    void ScanChartRow(const std::function<Single()>& row);

    // Controls.
    rt::PictureBox* Picture1;
    rt::Line* Line1;
    rt::Line* Line2;
    rt::Shape* Shape2;
    rt::ScrollBar* HScroll1;
    rt::ScrollBar* VScroll1;
    rt::Label* Label4;
    rt::TextBox* Text1;
    rt::TextBox* Text2;
    rt::Label* Label20;
    rt::Label* Label21;
    rt::TextBox* Text3;
    rt::TextBox* Text4;
    rt::TextBox* Text5;

    // Window-level variables; all start at 0.
    Long PixelColor = 0;   // colour last read from the chart during a row scan
    Single CurveX13 = 0;   // column of the 13 bar curve on the scanned row; 0 when not found
    Single CurveX10 = 0;   // the same for the 10 bar curve
    Single CurveX7 = 0;    // the same for the 7 bar curve
    Single CurveX4 = 0;    // the same for the 4 bar curve
    Single Pressure = 0;   // differential pressure in bar at the cross-hair
    Integer AirEndRpm = 0; // air-end speed nHR in 1/min
    Single Delivery = 0;   // delivery Q1 in m3/min
    Integer MotorRpm = 0;  // motor speed taken from Text3
    Integer MotorPulley = 0;  // motor pulley taken from Text4
    Integer AirEndPulley = 0; // air-end pulley taken from Text5

    int evaluations_ = 0;
};

} // namespace chart
