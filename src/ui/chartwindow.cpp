// SPDX-License-Identifier: MIT
#include "chartwindow.h"

#include "accessibility.h"
#include "drawingwindow.h"
#include "fonts.h"
#include "pictures.h"
#include "scalefollower.h"

#include "runtime/errors.h"

#include <QApplication>

#include <type_traits>

namespace ui {

namespace {

constexpr rt::Long CrossHairColor = rt::rgb(255, 192, 192);

} // namespace

template <class T>
T* ChartWindow::place(T* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

rt::Label* ChartWindow::caption(const char* name, const char* text, int left, int top, int width, int height)
{
    auto* label = place(new rt::Label(this), name, left, top, width, height);
    label->setText(QString::fromLatin1(text));
    label->setFont(captionFont());
    return label;
}

rt::Label* ChartWindow::axisFigure(const char* name, const char* text, int left, int top, bool power)
{
    auto* label = place(new rt::Label(this), name, left, top, power ? 17 : 41, power ? 17 : 15);
    label->setText(QString::fromLatin1(text));
    label->setAlignment(power ? (Qt::AlignRight | Qt::AlignTop) : (Qt::AlignHCenter | Qt::AlignTop));
    return label;
}

ChartWindow::ChartWindow() : form_(placeControls())
{
    // The load event, before the window is first shown.
    rt::runHandler([this] { form_.Form_Load(); });
}

// The window's children are deleted by QWidget's destructor, after form_:
// deleting a control raises none of its events.
ChartWindow::~ChartWindow() = default;
static_assert(std::is_trivially_destructible_v<chart::Form1>,
              "the controls, deleted after form_, must find nothing of it torn down");

chart::Form1Controls ChartWindow::placeControls()
{
    installAccessibleInterfaces();
    chart::Form1Controls c;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Air End : KRTd258"));
    setWindowIcon(programIcon());
    setFont(defaultFont());
    resize(687, 317);
    new ScaleFollower(this);

    // The chart and its cross-hair.
    auto* Picture1 = c.Picture1 =
        place(new rt::PictureBox(rt::PictureBox::Border::Flat, this), "Picture1", 32, 24, 407, 227);
    Picture1->setPicture(builtInPicture("chart.bmp"));
    Picture1->setAutoFillBackground(true);
    {
        QPalette p = Picture1->palette();
        p.setColor(QPalette::Window, p.color(QPalette::Base));     // window background
        p.setColor(QPalette::WindowText, p.color(QPalette::Text)); // window text
        Picture1->setPalette(p);
    }
    c.Line1 = Picture1->addLine(QStringLiteral("Line1"), 200, 0, 200, 224, CrossHairColor);
    c.Line2 = Picture1->addLine(QStringLiteral("Line2"), 0, 112, 408, 112, CrossHairColor);
    c.Shape2 = Picture1->addShape(QStringLiteral("Shape2"), 227, 144, 7.8f, 7.8f, CrossHairColor);

    c.VScroll1 = place(new rt::ScrollBar(Qt::Vertical, this), "VScroll1", 448, 8, 17, 257);
    c.HScroll1 = place(new rt::ScrollBar(Qt::Horizontal, this), "HScroll1", 16, 272, 441, 17);

    // The operating point.
    auto* Label1 = caption("Label1", " PK (kW) :", 488, 16, 65, 17);
    c.Text1 = place(new rt::TextBox(this), "Text1", 576, 16, 49, 19);
    auto* Label3 = caption("Label3", "nHR (1/min) :", 488, 40, 81, 17);
    c.Label4 = place(new rt::Label(this), "Label4", 576, 40, 49, 19);
    c.Label4->setSunkenBorder();
    auto* Label5 = caption("Label5", "dif. P (bar) :", 488, 64, 81, 17);
    c.Text2 = place(new rt::TextBox(this), "Text2", 576, 64, 49, 19);
    auto* Label19 = caption("Label19", "Q1 (m3/min) :", 488, 104, 81, 17);
    c.Label20 = place(new rt::Label(this), "Label20", 576, 104, 49, 20);
    c.Label20->setSunkenBorder();
    c.Label20->setFont(captionFont());
    c.Label21 = place(new rt::Label(this), "Label21", 632, 106, 49, 17);
    c.Label21->setText(QStringLiteral("@ 7 bar"));
    // Their background is the text colour of an active title bar, for which
    // the palette has no role: the text boxes' background (white in the
    // standard scheme) keeps the figures readable in any colour scheme.
    c.Label4->setBoxColors();
    c.Label20->setBoxColors();

    auto* Command1 = place(new rt::CommandButton(this), "Command1", 488, 136, 89, 25);
    Command1->setText(QStringLiteral("Calculate "));
    Command1->setToolTip(QStringLiteral("Power, Pressure, RPM"));
    auto* Command4 = place(new rt::CommandButton(this), "Command4", 592, 136, 73, 25);
    Command4->setText(QStringLiteral("Air End"));

    // The belt drive.
    auto* Label2 = caption("Label2", "Motor RPM :", 488, 184, 73, 17);
    c.Text3 = place(new rt::TextBox(this), "Text3", 576, 184, 49, 19);
    auto* Label22 = caption("Label22", "Motor Pulley :", 488, 208, 81, 17);
    c.Text4 = place(new rt::TextBox(this), "Text4", 576, 208, 49, 19);
    auto* Label24 = caption("Label24", "AirEnd Pulley :", 488, 232, 89, 17);
    c.Text5 = place(new rt::TextBox(this), "Text5", 576, 232, 49, 19);

    auto* Command2 = place(new rt::CommandButton(this), "Command2", 488, 264, 89, 25);
    Command2->setText(QStringLiteral("Calculate"));
    Command2->setToolTip(QStringLiteral("Calculate AirEnd RPM for above pulleys"));
    auto* Command3 = place(new rt::CommandButton(this), "Command3", 592, 264, 73, 25);
    Command3->setText(QStringLiteral("Close"));
    Command3->setToolTip(QStringLiteral("Power, Pressure, RPM"));
    for (rt::CommandButton* b : {Command1, Command4, Command2, Command3})
        b->setFont(captionFont());

    auto* Label6 = place(new rt::Label(this), "Label6", 24, 296, 177, 17);
    Label6->setText(QStringLiteral("KRTd258 air end performance chart"));

    // Axis figures: power left of the chart, speed under it.
    axisFigure("Label7", "75", 11, 19, true);
    axisFigure("Label8", "55", 11, 80, true);
    axisFigure("Label9", "45", 11, 108, true);
    axisFigure("Label10", "37", 11, 133, true);
    axisFigure("Label11", "30", 11, 152, true);
    axisFigure("Label12", "22", 11, 177, true);
    axisFigure("Label13", "15", 11, 199, true);
    axisFigure("Label14", "1500", 16, 252, false);
    axisFigure("Label15", "3000", 147, 252, false);
    axisFigure("Label16", "4000", 236, 252, false);
    axisFigure("Label17", "5000", 328, 252, false);
    axisFigure("Label18", "5700", 392, 252, false);

    // Tab order; labels never take the focus.
    QWidget* order[] = {c.Text1, c.HScroll1, c.Text2,  Command1, Command4, c.Text3,
                        c.Text4, c.Text5,    Command2, Command3, Picture1, c.VScroll1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    // What assistive tools learn of the window.
    ChartWindowAccessibles accessibles{
        .window = this,
        .Label1 = Label1,
        .Text1 = c.Text1,
        .Label3 = Label3,
        .Label4 = c.Label4,
        .Label5 = Label5,
        .Text2 = c.Text2,
        .Label19 = Label19,
        .Label20 = c.Label20,
        .Label21 = c.Label21,
        .Label2 = Label2,
        .Text3 = c.Text3,
        .Label22 = Label22,
        .Text4 = c.Text4,
        .Label24 = Label24,
        .Text5 = c.Text5,
        .HScroll1 = c.HScroll1,
        .VScroll1 = c.VScroll1,
        .Picture1 = Picture1,
        .Command1 = Command1,
        .Command2 = Command2,
    };
    describeChartWindow(accessibles);

    // The handlers and their events.
    rt::connectHandler(c.HScroll1, &rt::ScrollBar::Change, &form_, &chart::Form1::HScroll1_Change);
    rt::connectHandler(c.VScroll1, &rt::ScrollBar::Change, &form_, &chart::Form1::VScroll1_Change);
    rt::connectHandler(Picture1, &rt::PictureBox::MouseDown, &form_, &chart::Form1::Picture1_MouseDown);
    rt::connectHandler(Picture1, &rt::PictureBox::MouseMove, &form_, &chart::Form1::Picture1_MouseMove);
    rt::connectHandler(Command1, &rt::CommandButton::Click, &form_, &chart::Form1::Command1_Click);
    rt::connectHandler(Command2, &rt::CommandButton::Click, &form_, &chart::Form1::Command2_Click);
    rt::connectHandler(Command3, &rt::CommandButton::Click, this, &ChartWindow::Command3_Click);
    rt::connectHandler(Command4, &rt::CommandButton::Click, this, &ChartWindow::Command4_Click);

    c.Text1->setFocus(Qt::OtherFocusReason);
    return c;
}

void ChartWindow::Command3_Click()
{
    // Every window goes at once; nothing is asked and nothing else runs.
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

void ChartWindow::Command4_Click()
{
    if (!drawing_)
        drawing_ = std::make_unique<DrawingWindow>(); // the single instance; no owner window
    drawing_->showAgain();
}

} // namespace ui
