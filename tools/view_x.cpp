// SPDX-License-Identifier: MIT
// View X: the shaft end along its axis, enlarged, in a titled frame.

#include "drawing_views.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "air_end.h"
#include "drafting.h"

namespace drawing {

void drawViewX(Sheet& s, QRectF frame, const View& v)
{
    using namespace air_end;
    QPainter& p = s.painter();

    p.setPen(QPen(grey(kOutline), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(thin(frame.left()), thin(frame.top()), std::round(frame.width()), std::round(frame.height())));
    QFont tf = s.figureFont();
    tf.setPixelSize(13);
    tf.setBold(true);
    s.label(frame.left() + 7, frame.top() + 17, QStringLiteral("Ansicht X"), tf, kTitle);

    const QPointF c = v(0, 0);
    const double r = v.len(shaftR);
    s.centreLine(v(-shaftR - 5, 0), v(keyTopR + 5, 0));
    s.centreLine(v(0, shaftR + 5), v(0, -shaftR - 5));

    // Shaft end face with its chamfer. The keyway starts behind the end face:
    // of the fitted key only the part standing proud of the shaft is
    // visible, the rest is hidden.
    s.circle(c, r, s.thickPen());
    s.circle(c, v.len(shaftR - chamfer), s.thickPen());
    const double xCut = std::sqrt(shaftR * shaftR - keyHalfWidth * keyHalfWidth);
    {
        QPainterPath key;
        const QPointF a = v(xCut - 0.3, keyHalfWidth), b = v(keyTopR, keyHalfWidth);
        const QPointF cc = v(keyTopR, -keyHalfWidth), d = v(xCut - 0.3, -keyHalfWidth);
        key.moveTo(a.x(), thick(a.y()));
        key.lineTo(thick(b.x()), thick(b.y()));
        key.lineTo(thick(cc.x()), thick(cc.y()));
        key.lineTo(d.x(), thick(d.y()));
        s.thickPath(key);
    }
    s.hiddenLine(v(keySeatR, keyHalfWidth), v(xCut - 1.5, keyHalfWidth));
    s.hiddenLine(v(keySeatR, -keyHalfWidth), v(xCut - 1.5, -keyHalfWidth));
    s.hiddenLine(v(keySeatR, keyHalfWidth), v(keySeatR, -keyHalfWidth));

    // --- dimensions ---
    s.diameter(c, r, {QStringLiteral("\u00d855 k6")},
               {.angleDeg = 135.0, .leaderLength = 14.0, .shelfSide = Side::Left});
    s.dimV(v(keyTopR, keyHalfWidth), v(keyTopR, -keyHalfWidth), v(keyTopR + 9, 0).x(), {QStringLiteral("16 P9")});
    s.dimH(v(-shaftR, 0), v(keyTopR, -keyHalfWidth), v(0, -shaftR - 11).y(), {QStringLiteral("59")});
}

} // namespace drawing
