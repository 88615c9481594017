// SPDX-License-Identifier: MIT
#include "form1.h"
#include "geometry.h"

#include "runtime/errors.h"
#include "runtime/numbers.h"

namespace chart {

using rt::Single;

using namespace geometry;
using rt::toInteger;
using rt::toSingle;
using rt::val;

// Finds the air-end speed at which the air end draws the power typed in
// Text1 at the pressure typed in Text2: the horizontal line goes to the
// power's row, the row is scanned for the curves, the column is interpolated
// between the two curves that enclose the pressure, and the bars are set to
// the point, horizontal first; their change handlers evaluate it.
//
// Runs in error-skipping mode: a statement that raises is abandoned and the
// next one runs, without a message. Tests and comparisons cannot raise here.
void Form1::Command1_Click()
{
    const rt::ErrorSkipping next;
    Single P = 0;  // pressure in bar
    Single PK = 0; // power in kW, for the range test only
    Single x = 0;  // column of the operating point

    // 1, 2. The pressure and the power as typed.
    next([&] { P = toSingle(val(Text2->text())); });
    next([&] { PK = toSingle(val(Text1->text())); });

    // 3. The row of the power, read again from the text for each end.
    if (PK >= 0 && PK <= 75) {
        next([&] { Line2->setY1(toSingle(ZeroPowerRow - RowsPerKw * val(Text1->text()))); });
        next([&] { Line2->setY2(toSingle(ZeroPowerRow - RowsPerKw * val(Text1->text()))); });
    }

    // 4, 5. Scan the row where the line stands, read back for every column.
    next([&] { Line1->setVisible(false); });
    next([&] { Line2->setVisible(false); });
    next([&] { ScanChartRow([this] { return Line2->Y1(); }); });

    // 6. The column by pressure band; a missing curve counts as column 0.
    if (P >= 4 && P < 7)
        next([&] { x = toSingle(((P - 4.0) * CurveX7 + (7.0 - P) * CurveX4) / 3); });
    else if (P >= 7 && P < 10)
        next([&] { x = toSingle(((P - 7.0) * CurveX10 + (10.0 - P) * CurveX7) / 3); });
    else if (P >= 10 && P <= 13)
        next([&] { x = toSingle(((P - 10.0) * CurveX13 + (13.0 - P) * CurveX10) / 3); });
    else
        next([&] { x = Line1->X1(); });

    // 7 to 9. The vertical line and the marker, read back from the lines.
    next([&] { Line1->setX1(x); });
    next([&] { Line1->setX2(x); });
    next([&] { Line1->setVisible(true); });
    next([&] { Line2->setVisible(true); });
    next([&] { Shape2->setLeft(markerLeft()); });
    next([&] { Shape2->setTop(markerTop()); });

    // 10, 11. The bars, horizontal first; a value off the bar is refused.
    if (Line1->X1() >= 0)
        next([&] { HScroll1->assignValue(toInteger(StepsPerColumn * (double(Line1->X1()) + 1))); });
    if (Line2->Y1() >= 0)
        next([&] { VScroll1->assignValue(toInteger((double(Line2->Y1()) + 1) * StepsPerRow)); });
}

} // namespace chart
