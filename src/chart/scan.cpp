// SPDX-License-Identifier: MIT
#include "colors.h"
#include "form1.h"
#include "geometry.h"

namespace chart {

using rt::Single;

// Walks the row from column 0 to 404 and leaves in each curve variable the
// last (rightmost) column holding one of that curve's two colours, 0 when
// there is none. PixelColor ends with the colour of column 404.
void Form1::ScanChartRow(const std::function<Single()>& row)
{
    using namespace colors;
    CurveX13 = 0;
    CurveX10 = 0;
    CurveX7 = 0;
    CurveX4 = 0;
    for (Single x = 0; x <= geometry::LastColumn; x = x + 1) {
        PixelColor = Picture1->Point(x, row());
        if (PixelColor == Bar13Dark || PixelColor == Bar13Light)
            CurveX13 = x;
        else if (PixelColor == Bar10Dark || PixelColor == Bar10Light)
            CurveX10 = x;
        else if (PixelColor == Bar7Dark || PixelColor == Bar7Light)
            CurveX7 = x;
        else if (PixelColor == Bar4Dark || PixelColor == Bar4Light)
            CurveX4 = x;
    }
}

} // namespace chart
