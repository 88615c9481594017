#pragma once

#include "chart/form1.h"
#include "runtime/controls.h"

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

    chart::Form1& form() { return *form_; }

    // The drawing window, once Air End has created it.
    DrawingWindow* drawingWindow() const { return drawing_; }

    // Close: ends the program at once, with every window.
    void Command3_Click();
    // Air End: shows the single drawing window.
    void Command4_Click();

private:
    template <class T>
    T* place(T* widget, const char* name, int left, int top, int width, int height);
    rt::Label* caption(const char* name, const char* text, int left, int top, int width, int height);
    rt::Label* axisFigure(const char* name, const char* text, int left, int top, bool power);
    void describeRed(QWidget* field, rt::Long colour);

    rt::PictureBox* Picture1;
    rt::ScrollBar* VScroll1;
    rt::ScrollBar* HScroll1;
    rt::TextBox* Text1;
    rt::TextBox* Text2;
    rt::TextBox* Text3;
    rt::TextBox* Text4;
    rt::TextBox* Text5;
    rt::Label* Label4;
    rt::Label* Label20;
    rt::Label* Label21;
    rt::CommandButton* Command1;
    rt::CommandButton* Command2;
    rt::CommandButton* Command3;
    rt::CommandButton* Command4;

    std::unique_ptr<chart::Form1> form_;
    DrawingWindow* drawing_ = nullptr;
};

// The icon of both windows.
QIcon programIcon();

} // namespace ui
