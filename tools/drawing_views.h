// SPDX-License-Identifier: MIT
#pragma once

// The views of the dimension drawing and its title block, each painted on a
// Sheet.

#include <QPointF>
#include <QRectF>

namespace drawing {

class Sheet;

// A view's mapping from millimetres (x to the right, y up) to pixels.
struct View {
    double ox, oy; // pixel position of the view's origin
    double scale;  // pixels per millimetre
    QPointF operator()(double x, double y) const { return QPointF(ox + scale * x, oy - scale * y); }
    double len(double mm) const { return scale * mm; }
};

// Side view of the air end, the drive shaft at the left; the origin is the
// centre of the shaft end face.
void drawSideView(Sheet& s, const View& v);

// End view of the drive side; the origin is on the shaft axis.
void drawEndView(Sheet& s, const View& v);

// Enlarged view X of the shaft end inside `frame`; the origin is on the shaft
// axis.
void drawViewX(Sheet& s, QRectF frame, const View& v);

// Title block: designation, units and the first-angle projection symbol.
void drawTitleBlock(Sheet& s, QRectF box);

} // namespace drawing
