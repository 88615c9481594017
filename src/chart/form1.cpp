#include "form1.h"

#include "runtime/numbers.h"

namespace chart {

using rt::format;
using rt::str;
using rt::toInteger;
using rt::toSingle;

Form1::Form1(const Form1Controls& c)
    : Picture1(c.Picture1), Line1(c.Line1), Line2(c.Line2), Shape2(c.Shape2), HScroll1(c.HScroll1),
      VScroll1(c.VScroll1), Label4(c.Label4), Text1(c.Text1), Text2(c.Text2), Label20(c.Label20),
      Label21(c.Label21), Text3(c.Text3), Text4(c.Text4), Text5(c.Text5)
{
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
    Line1->setX1(toSingle((405.0 / 450.0) * H - 1));
    Line1->setX2(toSingle((405.0 / 450.0) * H - 1));
    Shape2->setLeft(toSingle(double(Line1->X1()) - Shape2->Width() / 2.0));
    Shape2->setTop(toSingle(double(Line2->Y1()) - Shape2->Width() / 2.0));
    AirEndRpm = toInteger(format((4500.0 / 450.0) * H + 1500, "#"));
    Label4->setText(str(AirEndRpm));
    EvaluatePoint();
}

// The power axis: the horizontal line to the bar's row (half a row per
// step), the marker onto the cross-hair, the power of that row into Text1.
void Form1::VScroll1_Change()
{
    const Integer V = VScroll1->Value();
    Line2->setY1(toSingle(V / 2.0 - 1));
    Line2->setY2(toSingle(V / 2.0 - 1));
    Shape2->setLeft(toSingle(double(Line1->X1()) - Shape2->Width() / 2.0));
    Shape2->setTop(toSingle(double(Line2->Y1()) - Shape2->Width() / 2.0));
    Text1->setText(format((225 - double(Line2->Y1())) * (75.0 / 225.0), "##.0"));
    EvaluatePoint();
}

// A press on the chart moves each bar whose coordinate lies on the chart,
// horizontal first; the bars' change handlers do the rest.
void Form1::Picture1_MouseDown(Integer /*Button*/, Integer /*Shift*/, Single X, Single Y)
{
    if (X >= 0 && X <= 404)
        HScroll1->setValue(toInteger((X + 1.0) * (450.0 / 405.0)));
    if (Y >= 0 && Y <= 224)
        VScroll1->setValue(toInteger((Y + 1.0) * 2));
}

// The cross-hair follows a drag with the right button alone, or with the
// left button alone while Shift, Ctrl or Alt is held.
void Form1::Picture1_MouseMove(Integer Button, Integer Shift, Single X, Single Y)
{
    if (Button == 2 || (Button == 1 && Shift > 0))
        Picture1_MouseDown(Button, Shift, X, Y);
}

} // namespace chart
