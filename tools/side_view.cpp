// SPDX-License-Identifier: MIT
// Side view of the air end: shaft end with keyway, spigot and flange plate
// with hidden bolt holes, housing with a hidden tapped hole, the view arrow X,
// and the dimensions along and across the shaft.

#include "drawing_views.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

#include "air_end.h"
#include "drafting.h"

namespace drawing {

void drawSideView(Sheet& s, const View& v)
{
    using namespace air_end;
    QPainter& p = s.painter();

    // Centre line of the shaft over the whole view.
    s.centreLine(v(-6, 0), v(coverEnd + 6, 0));

    // Shaft end; at this scale its small chamfer is left to view X.
    s.thickPolygon({v(0, shaftR), v(spigotFace, shaftR), v(spigotFace, -shaftR), v(0, -shaftR)});

    // Keyway facing the viewer: a slot with round ends.
    {
        const QPointF a = v(keyStart, keyHalfWidth);
        const QPointF b = v(keyStart + keyLength, -keyHalfWidth);
        const double r = v.len(keyHalfWidth);
        QPainterPath slot;
        slot.addRoundedRect(QRectF(a, b).normalized(), r, r);
        s.thickPath(slot);
    }

    // Spigot and flange plate.
    s.thickPolygon({v(spigotFace, spigotR), v(flangeFace, spigotR), v(flangeFace, -spigotR), v(spigotFace, -spigotR)});
    s.thickPolygon(
        {v(flangeFace, flangeHalf), v(flangeBack, flangeHalf), v(flangeBack, -flangeHalf), v(flangeFace, -flangeHalf)});

    // Bolt holes at the flange corners, hidden in this view: in projection
    // they lie at +-pitchR * sin 45 from the axis.
    const double holeY = pitchR * std::sqrt(0.5);
    for (double sy : {1.0, -1.0}) {
        const double y = sy * holeY;
        s.centreLine(v(flangeFace - 3, y), v(flangeBack + 3, y));
        s.hiddenLine(v(flangeFace, y + boltHoleR), v(flangeBack, y + boltHoleR));
        s.hiddenLine(v(flangeFace, y - boltHoleR), v(flangeBack, y - boltHoleR));
    }

    // Housing: rotor housing, discharge housing and bearing cover.
    {
        QPainterPath body;
        const QPointF tl = v(flangeBack, housingTop);
        const QPointF br = v(rotorHousingEnd, housingBottom);
        const double r = 6.0;
        const double x1 = thick(br.x()), y0 = thick(tl.y()), y1 = thick(br.y()), x0 = thick(tl.x());
        // The housing stands a little above the flange plate.
        body.moveTo(x0, thick(v(0, flangeHalf).y()));
        body.lineTo(x0, y0);
        body.lineTo(x1 - r, y0);
        body.quadTo(x1, y0, x1, y0 + r);
        body.lineTo(x1, y1 - r);
        body.quadTo(x1, y1, x1 - r, y1);
        body.lineTo(x0, y1);
        s.thickPath(body);
    }
    s.thickPolygon({v(rotorHousingEnd, dischargeTop), v(dischargeEnd, dischargeTop), v(dischargeEnd, dischargeBottom),
                    v(rotorHousingEnd, dischargeBottom)});
    s.thickPolygon(
        {v(dischargeEnd, coverTop), v(coverEnd, coverTop), v(coverEnd, coverBottom), v(dischargeEnd, coverBottom)});

    // Tapped hole M16 in the housing top, hidden: thread to depth 24, then the
    // drill point of the core hole.
    {
        const double core = 6.9;
        s.centreLine(v(tapX, housingTop + 5), v(tapX, housingTop - tapDepth - 9));
        s.hiddenLine(v(tapX - tapR, housingTop), v(tapX - tapR, housingTop - tapDepth));
        s.hiddenLine(v(tapX + tapR, housingTop), v(tapX + tapR, housingTop - tapDepth));
        s.hiddenLine(v(tapX - tapR, housingTop - tapDepth), v(tapX + tapR, housingTop - tapDepth));
        p.setPen(s.hiddenPen());
        p.drawLine(v(tapX - core, housingTop - tapDepth), v(tapX, housingTop - tapDepth - 4.2));
        p.drawLine(v(tapX + core, housingTop - tapDepth), v(tapX, housingTop - tapDepth - 4.2));
    }

    // View arrow X onto the shaft end.
    {
        const QPointF tip = v(-4, 0);
        const QPointF tail = v(-30, 0);
        QPen pen(grey(kOutline), 2.0);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(tail.x(), thick(tip.y())), QPointF(tip.x() - 8, thick(tip.y())));
        QPolygonF head;
        head << QPointF(tip.x(), thick(tip.y())) << QPointF(tip.x() - 10, thick(tip.y()) - 4)
             << QPointF(tip.x() - 10, thick(tip.y()) + 4);
        p.setPen(Qt::NoPen);
        p.setBrush(grey(kOutline));
        p.drawPolygon(head);
        p.setBrush(Qt::NoBrush);
        QFont f = s.figureFont();
        f.setPixelSize(13);
        f.setBold(true);
        s.label(tail.x() + 4, thick(tip.y()) - 6, QStringLiteral("X"), f, kOutline);
    }

    // --- dimensions along the shaft ---
    const double keyRow = v(0, 40).y();
    s.dimH(v(0, shaftR), v(keyStart, 0), keyRow, {QStringLiteral("5")}, {.figureShift = -16.0});
    // The keyway's start already has the extension line of the 5.
    s.dimH(v(keyStart, 0), v(keyStart + keyLength, 0), keyRow, {QStringLiteral("63"), QStringLiteral("+0.3")},
           {.extensionAtA = false});
    s.dimH(v(0, shaftR), v(spigotFace, spigotR), v(0, 64).y(), {QStringLiteral("80")});
    s.dimH(v(0, shaftR), v(flangeFace, flangeHalf), v(0, 92).y(), {QStringLiteral("84")});
    s.dimH(v(0, shaftR), v(flangeBack, housingTop), v(0, 115).y(), {QStringLiteral("109")});

    // --- dimensions across the shaft ---
    const double xDim = v(coverEnd + 14, 0).x();
    s.centreAsExtension(v(coverEnd + 6, 0), QPointF(xDim, v(0, 0).y()));
    s.dimV(v(rotorHousingEnd, housingTop), v(coverEnd + 6, 0), xDim, {QStringLiteral("80")}, {.extensionAtB = false});
    s.dimV(v(coverEnd + 6, 0), v(rotorHousingEnd, housingBottom), xDim, {QStringLiteral("53")},
           {.extensionAtA = false});

    // --- tapped hole ---
    {
        const QPointF top = v(tapX + tapR, housingTop);
        const QPointF bottom = v(tapX + tapR, housingTop - tapDepth);
        const double x = v(tapX + tapR + 14, 0).x();
        s.dimV(top, bottom, x, {QStringLiteral("24")});
        // Leader to the thread from above, with the designation on a shelf.
        const QPointF start = v(tapX - tapR, housingTop);
        const QPointF knee = v(tapX - tapR - 14, housingTop + 16);
        p.setPen(s.thinPen());
        p.drawLine(knee, start);
        s.arrow(start, start - knee);
        const Figure m16{QStringLiteral("M16")};
        const double w = s.figureWidth(m16);
        s.dimLine(QPointF(knee.x() - w - 4, thin(knee.y())), QPointF(knee.x(), thin(knee.y())));
        s.figureAt(QPointF(knee.x() - w - 2, thin(knee.y()) - 3), m16);
    }
}

} // namespace drawing
