// SPDX-License-Identifier: MIT
// End view of the drive side: the housing where it shows beyond the square
// flange, the flange with its bolt holes on the pitch circle, spigot and
// shaft end, the centre of gravity, and their dimensions.

#include "drawing_views.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "air_end.h"
#include "drafting.h"

namespace drawing {

void drawEndView(Sheet& s, const View& v)
{
    using namespace air_end;
    QPainter& p = s.painter();
    const QPointF c = v(0, 0);

    // Housing beyond the flange: only what shows outside the flange square.
    {
        const QPointF tl = v(endHousingLeft, housingTop);
        const QPointF br = v(endHousingRight, housingBottom);
        const double x0 = thick(tl.x()), y0 = thick(tl.y()), x1 = thick(br.x()), y1 = thick(br.y());
        const double fx1 = thick(v(flangeHalf, 0).x()), fy0 = thick(v(0, flangeHalf).y());
        const double r = 14.0;
        // The top-left corner is rounded within the strip between the flange
        // face's top edge and the housing top, so that the outline starts on
        // that edge and never runs down into the face.
        const double rLeft = std::min(r * 0.4, fy0 - y0);
        QPainterPath h;
        h.moveTo(x0, fy0);
        if (fy0 - y0 > rLeft)
            h.lineTo(x0, y0 + rLeft);
        h.quadTo(x0, y0, x0 + rLeft, y0);
        h.lineTo(x1 - r, y0);
        h.quadTo(x1, y0, x1, y0 + r);
        h.lineTo(x1, y1 - r);
        h.quadTo(x1, y1, x1 - r, y1);
        h.lineTo(fx1, y1);
        s.thickPath(h);
    }

    // Centre lines.
    s.centreLine(v(-flangeHalf - 6, 0), v(endHousingRight + 6, 0));
    s.centreLine(v(0, housingTop + 6), v(0, -flangeHalf - 6));

    // Square flange with chamfered corners and the bolt holes on the
    // pitch circle.
    {
        const double k = flangeChamfer;
        const double h = flangeHalf;
        s.thickPolygon({v(-h + k, h), v(h - k, h), v(h, h - k), v(h, -h + k), v(h - k, -h), v(-h + k, -h),
                        v(-h, -h + k), v(-h, h - k)});
    }
    const double pitch = v.len(pitchR);
    s.centreCircle(c, pitch, 45.0);
    for (int i = 0; i < 4; ++i) {
        const double a = (45.0 + 90.0 * i) * std::numbers::pi / 180.0;
        const QPointF hc = c + QPointF(std::cos(a), -std::sin(a)) * pitch;
        s.circle(hc, v.len(boltHoleR), s.thickPen());
        // Short radial centre mark through the hole.
        const QPointF u(std::cos(a), -std::sin(a));
        s.painter().setPen(s.thinPen());
        p.drawLine(hc - u * (v.len(boltHoleR) + 3), hc + u * (v.len(boltHoleR) + 3));
    }

    // Spigot and shaft end. The keyway starts behind the end face, so the
    // end face is a full circle and the keyway bottom is hidden; the keyway
    // faces the observer of the side view, which is to the right here.
    s.circle(c, v.len(spigotR), s.thickPen());
    s.circle(c, v.len(shaftR), s.thickPen());
    {
        const double xCut = std::sqrt(shaftR * shaftR - keyHalfWidth * keyHalfWidth);
        s.hiddenLine(v(keySeatR, keyHalfWidth), v(keySeatR, -keyHalfWidth));
        s.hiddenLine(v(keySeatR, keyHalfWidth), v(xCut - 1, keyHalfWidth));
        s.hiddenLine(v(keySeatR, -keyHalfWidth), v(xCut - 1, -keyHalfWidth));
    }

    // Centre of gravity, marked S.
    s.centreOfGravity(v(cogX, cogY));
    {
        QFont f = s.figureFont();
        const QPointF m = v(cogX, cogY);
        s.label(m.x() + 6, m.y() - 5, QStringLiteral("S"), f, kFigure);
    }

    // --- dimensions ---
    const double hx0 = v(-flangeHalf, 0).x(), hx1 = v(flangeHalf, 0).x();
    const double fBottom = v(0, -flangeHalf + flangeChamfer).y();
    // The centre of gravity, located from the shaft axis.
    const double row40 = v(0, -flangeHalf - 19).y();
    s.centreAsExtension(v(0, -flangeHalf - 6), QPointF(v(0, 0).x(), row40));
    s.dimH(v(0, -flangeHalf - 6), v(cogX, cogY), row40, {QStringLiteral("40")}, {.extensionAtA = false});
    const double col20 = v(endHousingRight + 16, 0).x();
    s.centreAsExtension(v(endHousingRight + 6, 0), QPointF(col20, v(0, 0).y()));
    s.dimV(v(endHousingRight + 6, 0), v(cogX, cogY), col20, {QStringLiteral("20")}, {.extensionAtA = false});
    s.dimH(QPointF(hx0, fBottom), QPointF(hx1, fBottom), v(0, -flangeHalf - 36).y(), {QStringLiteral("150")});
    s.diameter(c, pitch, {QStringLiteral("\u00d8160")},
               {.angleDeg = 135.0, .leaderLength = 38.0, .shelfSide = Side::Left});
    s.diameter(c, v.len(spigotR), {QStringLiteral("\u00d8100")}, {.angleDeg = 62.0, .leaderLength = 40.0});
}

} // namespace drawing
