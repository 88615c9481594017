// SPDX-License-Identifier: MIT
#include "colors.h"
#include "form1.h"
#include "geometry.h"

#include "runtime/numbers.h"

namespace chart {

using rt::Single;

using namespace geometry;
using rt::divide;
using rt::format;
using rt::subtract;
using rt::toSingle;

// Evaluates the cross-hair point (H, V): scans its row for the curves, flags
// power and speed where a curve ends light, reads the pressure off the
// curves on either side, and computes the delivery for the pressure band.
void Form1::EvaluatePoint()
{
    using namespace colors;

    // 1. Hide the cross-hair.
    Line1->setVisible(false);
    Line2->setVisible(false);

    // 2. Scan the row of the cross-hair.
    const Single r = toSingle(VScroll1->Value() / StepsPerRow - 1);
    ScanChartRow([r] { return r; });

    // 3. Reset the warning colours.
    Text1->setForeColor(Black);
    Label4->setForeColor(Black);
    Text2->setForeColor(Black);

    // 4. The column of the cross-hair.
    const Single c = toSingle(ColumnsPerStep * HScroll1->Value() - 1);

    // 5. Light checks: a curve ending in its light segment on this row flags
    // power and speed.
    const auto flag = [this] {
        Text1->setForeColor(Red);
        Label4->setForeColor(Red);
    };
    if (CurveX13 > 0 && Picture1->Point(CurveX13, r) == Bar13Light)
        flag();
    if (CurveX10 > 0 && Picture1->Point(CurveX10, r) == Bar10Light)
        flag();
    if (CurveX7 > 0) {
        if (Picture1->Point(CurveX7, r) == Bar7Light)
            flag();
    }
    if (CurveX7 > 0 && CurveX4 > 0) {
        if (Picture1->Point(CurveX4, r) == Bar4Light && c > CurveX7)
            flag();
    }

    // 6. Pressure: interpolated between neighbouring curves, a curve's own
    // pressure on it, clamped (and red) outside.
    const Single X13 = CurveX13, X10 = CurveX10, X7 = CurveX7, X4 = CurveX4;
    if (X7 > 0 && X4 > 0 && c > X4) {
        Pressure = 4;
        Text2->setForeColor(Red);
    } else if (X7 > 0 && X4 > 0 && c == X4) {
        Pressure = 4;
    } else if (X7 > 0 && X4 > 0 && X7 < c && c < X4) {
        Pressure = toSingle(divide((double(X4) - c) * 7 + (double(c) - X7) * 4, double(X4) - X7));
    } else if (X7 > 0 && X4 <= 0 && c > X7) {
        Pressure = 4;
        Text1->setForeColor(Red);
        Label4->setForeColor(Red);
        Text2->setForeColor(Red);
    } else if (X7 <= 0 && c > X10) {
        Pressure = 7;
        Text1->setForeColor(Red);
        Label4->setForeColor(Red);
        Text2->setForeColor(Red);
    } else if (X7 > 0 && X10 < c && c < X7) {
        Pressure = toSingle(divide((double(X7) - c) * 10 + (double(c) - X10) * 7, double(X7) - X10));
    } else if (X7 > 0 && X10 < c && c == X7) {
        Pressure = 7;
    } else if (X13 < c && c < X10) {
        Pressure = toSingle(divide((double(X10) - c) * 13 + (double(c) - X13) * 10, double(X10) - X13));
    } else if (X13 < c && c == X10) {
        Pressure = 10;
    } else if (c == X13) {
        Pressure = 13;
    } else if (c < X13) {
        Pressure = 13;
        Text2->setForeColor(Red);
    }

    // 7. Show the pressure.
    Text2->setText(format(Pressure, "##.0"));

    // 8. Show the cross-hair again.
    Line1->setVisible(true);
    Line2->setVisible(true);

    // 9. Delivery: a straight line in the speed for the pressure band.
    double k = 0, d = 1;
    const char* band = "";
    if (Pressure <= 6) {
        k = 8.5, d = 4100, band = "@ 4 bar";
    } else if (6 < Pressure && Pressure < 10) {
        k = 8.5, d = 4200, band = "@ 7 bar";
    } else if (10 <= Pressure && Pressure < 13) {
        k = 7.7, d = 3900, band = "@ 10 bar";
    } else if (Pressure >= 13) {
        k = 6.2, d = 3200, band = "@ 13 bar";
    }
    Delivery = toSingle((k / d) * subtract(AirEndRpm, LowestRpm) + 2.5);
    Label21->setText(QString::fromLatin1(band));

    // 10. The delivery is red exactly when the pressure is.
    Label20->setForeColor(Text2->ForeColor());

    // 11. Show the delivery.
    Label20->setText(format(Delivery, "##.0"));
}

} // namespace chart
