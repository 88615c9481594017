// SPDX-License-Identifier: MIT
// Title block: designation, units and the first-angle projection symbol.

#include "drawing_views.h"

#include <QPainter>
#include <QPolygonF>

#include "drafting.h"

namespace drawing {

void drawTitleBlock(Sheet& s, QRectF box)
{
    QPainter& p = s.painter();
    const double x0 = thin(box.left()), y0 = thin(box.top());
    const double x1 = thin(box.right()), y1 = thin(box.bottom());
    const double ym = thin(box.top() + 26);
    const double xs = thin(box.right() - 44);
    QPen frame(grey(kOutline), 1.0);
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    p.drawLine(QPointF(x0, ym), QPointF(x1, ym));
    p.drawLine(QPointF(xs, ym), QPointF(xs, y1));

    QFont big = s.figureFont();
    big.setPixelSize(14);
    big.setBold(true);
    QFont small = s.figureFont();
    small.setPixelSize(11);
    s.label(x0 + 7, y0 + 18, QStringLiteral("Verdichterstufe KRTd258"), big, kOutline);
    s.label(x0 + 7, ym + 16, QStringLiteral("Ma\u00dfzeichnung, Ma\u00dfe in mm"), small, kOutline);

    // First-angle symbol: truncated cone with its small end to the left, its
    // end view (seen from the left) placed to the right.
    const double cy = (ym + y1) / 2.0;
    const double tx = xs + 6;
    QPen sym(grey(kOutline), 1.0);
    p.setPen(sym);
    QPolygonF cone;
    cone << QPointF(tx, cy - 3) << QPointF(tx + 14, cy - 6) << QPointF(tx + 14, cy + 6) << QPointF(tx, cy + 3);
    p.drawPolygon(cone);
    p.drawEllipse(QPointF(tx + 27, cy), 6.0, 6.0);
    p.drawEllipse(QPointF(tx + 27, cy), 3.0, 3.0);
    p.setPen(s.centrePen());
}

} // namespace drawing
