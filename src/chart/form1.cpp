// SPDX-License-Identifier: MIT
#include "form1.h"

#include "axes.h"
#include "geometry.h"

#include "runtime/numbers.h"

namespace chart {

using rt::Integer;
using rt::Single;

using namespace geometry;
using rt::str;
using rt::toInteger;
using rt::toSingle;

Form1::Form1(const Form1Controls& controls) : Form1Controls(controls)
{
    Q_ASSERT(Picture1 && Line1 && Line2 && Shape2 && HScroll1 && VScroll1 && Label4 && Text1 && Text2 && Label20 &&
             Label21 && Text3 && Text4 && Text5);
}

Single Form1::markerLeft() const
{
    return toSingle(double(Line1->X1()) - Shape2->Width() / 2.0);
}

Single Form1::markerTop() const
{
    return toSingle(double(Line2->Y1()) - Shape2->Width() / 2.0);
}

// Sets the scroll ranges and parks the cross-hair and the marker just
// outside the chart, above and to the left of it.
void Form1::Form_Load()
{
    HScroll1->setMax(450);
    VScroll1->setMax(450);
    Line1->setX1(-1);
    Line1->setX2(-1);
    Line2->setY1(-1);
    Line2->setY2(-1);
    Shape2->setLeft(toSingle(-1.0 - Shape2->Width()));
    Shape2->setTop(toSingle(-1.0 - Shape2->Height()));
}

// The speed axis: the vertical line to the bar's column, the marker onto
// the cross-hair, the speed 1500 + 10 x H into AirEndRpm and Label4.
void Form1::HScroll1_Change()
{
    const Integer H = HScroll1->Value();
    Line1->setX1(toSingle(ColumnsPerStep * H - 1));
    Line1->setX2(toSingle(ColumnsPerStep * H - 1));
    Shape2->setLeft(markerLeft());
    Shape2->setTop(markerTop());
    AirEndRpm = toInteger(axes::speed(H));
    Label4->setText(str(AirEndRpm));
    EvaluatePoint();
}

// The power axis: the horizontal line to the bar's row (half a row per
// step), the marker onto the cross-hair, the power of that row into Text1.
void Form1::VScroll1_Change()
{
    const Integer V = VScroll1->Value();
    Line2->setY1(axes::row(V));
    Line2->setY2(axes::row(V));
    Shape2->setLeft(markerLeft());
    Shape2->setTop(markerTop());
    Text1->setText(axes::power(Line2->Y1()));
    EvaluatePoint();
}

// A press on the chart moves each bar whose coordinate lies on the chart,
// horizontal first; the bars' change handlers do the rest.
void Form1::Picture1_MouseDown(Integer /*Button*/, Integer /*Shift*/, Single X, Single Y)
{
    if (X >= 0 && X <= LastColumn)
        HScroll1->assignValue(toInteger((X + 1.0) * StepsPerColumn));
    if (Y >= 0 && Y <= LastRow)
        VScroll1->assignValue(toInteger((Y + 1.0) * StepsPerRow));
}

// The cross-hair follows a drag with the right button alone, or with the
// left button alone while Shift, Ctrl or Alt is held.
void Form1::Picture1_MouseMove(Integer Button, Integer Shift, Single X, Single Y)
{
    if (Button == 2 || (Button == 1 && Shift > 0))
        Picture1_MouseDown(Button, Shift, X, Y);
}

} // namespace chart
