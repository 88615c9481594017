// SPDX-License-Identifier: MIT
#pragma once

#include "chart/form1.h"

#include <QWidget>

#include <memory>

namespace ui {

class DrawingWindow;

// The chart window: the chart with its cross-hair and scroll bars, the
// operating-point figures, the two calculations, Air End and Close.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    ChartWindow();
    ~ChartWindow() override;

private:
    // Places every control of the window, wires the events to their
    // handlers, and hands the controls that the handlers drive to form_.
    chart::Form1Controls placeControls();
    template <class T>
    T* place(T* widget, const char* name, int left, int top, int width, int height);
    rt::Label* caption(const char* name, const char* text, int left, int top, int width, int height);
    rt::Label* axisFigure(const char* name, const char* text, int left, int top, bool power);

    // Close: ends the program at once, with every window.
    void Command3_Click();
    // Air End: shows the single drawing window.
    void Command4_Click();

    // The controls are children of the window; form_ holds the state and
    // handlers that drive them. Their events call into form_: no handler
    // runs before form_ is made (the load event comes after) or while the
    // controls are deleted, after form_. The drawing window has no owner
    // window, but lives no longer than this one.
    chart::Form1 form_;
    std::unique_ptr<DrawingWindow> drawing_;
};

} // namespace ui
