// SPDX-License-Identifier: MIT
#pragma once

// A small drafting kit on a QPainter: the pens of a technical drawing, lines
// snapped to the pixel grid, and linear and diameter dimensions with
// arrowheads and figures.

#include <QFont>
#include <QPen>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

#include "grey_levels.h"

class QPainter;
class QPainterPath;

namespace drawing {

// Pixel snapping: 1 px lines are crisp on pixel centres, 2 px lines on pixel
// edges.
double thin(double v);
double thick(double v);

// A dimension figure: the nominal value, optionally followed by a tolerance
// class at full size ("k6") or by a deviation set smaller and raised ("+0.3").
struct Figure {
    QString text;
    QString deviation{};
};

enum class Side { Left, Right };

// Where the figure of a horizontal dimension goes and which of its feature
// points get an extension line; a point left without one is usually met by a
// centre line (see Sheet::centreAsExtension).
struct HorizontalDim {
    double figureShift = 0.0; // along the line, from the middle of the span
    bool extensionAtA = true;
    bool extensionAtB = true;
};

// The same for a vertical dimension. Figures stay upright, beside the line,
// vertically centred on the span unless a baseline is given.
struct VerticalDim {
    Side figureSide = Side::Right;
    std::optional<double> figureBaseline{};
    bool extensionAtA = true;
    bool extensionAtB = true;
};

// A diameter dimension: the line through the centre at `angleDeg`
// (counter-clockwise from the positive x axis, screen up), running on past
// the circle by `leaderLength` to a shelf on `shelfSide` that carries the
// figure.
struct DiameterDim {
    double angleDeg;
    double leaderLength;
    Side shelfSide = Side::Right;
};

class Sheet {
public:
    explicit Sheet(QPainter& p);

    QPainter& painter() { return p_; }
    const QFont& figureFont() const { return figureFont_; }

    // Pens.
    QPen thickPen() const;
    QPen thinPen(int level = kDimLine) const;
    QPen centrePen() const;
    QPen hiddenPen() const;

    // Straight lines, snapped to the pixel grid.
    void thinLine(QPointF a, QPointF b, const QPen& pen);
    void dimLine(QPointF a, QPointF b) { thinLine(a, b, thinPen()); }
    void centreLine(QPointF a, QPointF b) { thinLine(a, b, centrePen()); }
    void hiddenLine(QPointF a, QPointF b) { thinLine(a, b, hiddenPen()); }

    // Outlines with the thick pen; polygon corners on pixel edges.
    void thickPolygon(const std::vector<QPointF>& pts);
    void thickPath(const QPainterPath& path);
    void circle(QPointF c, double r, const QPen& pen);

    // A full circle as a centre line (a pitch circle), its pattern fitted so
    // that a long dash lies centred on `dashAtDeg` (counter-clockwise from
    // the positive x axis) and on every quarter turn from there.
    void centreCircle(QPointF c, double r, double dashAtDeg);

    // Closed, filled arrowhead with its tip at `tip`, pointing along `dir`.
    void arrow(QPointF tip, QPointF dir);

    static constexpr double kFigureHeight = 9.0; // cap height of the figure font, rounded up
    double figureWidth(const Figure& f) const;
    // A figure whose digits have their bottom-left at `pos` (baseline at pos.y()).
    void figureAt(QPointF pos, const Figure& f, int level = kFigure);
    // A figure centred horizontally on x with its baseline at `baseline`.
    void figureCentred(double x, double baseline, const Figure& f);

    // Horizontal linear dimension between feature points a and b, with the
    // dimension line at height y and the figure above it. When the span is
    // too short the arrows point inwards from outside.
    void dimH(QPointF a, QPointF b, double y, const Figure& f, const HorizontalDim& options = {});
    // Vertical linear dimension between feature points a and b, with the
    // dimension line at x.
    void dimV(QPointF a, QPointF b, double x, const Figure& f, const VerticalDim& options = {});

    // Extension line from a feature towards a dimension line: a small gap at
    // the feature and a short overshoot past the dimension line.
    void extension(QPointF from, QPointF to);
    // A centre line that serves as an extension line runs on from its end as
    // a thin continuous line to just past the dimension line.
    void centreAsExtension(QPointF end, QPointF to);

    // Diameter of the circle about c with radius r, arrowheads on the circle
    // from inside.
    void diameter(QPointF c, double r, const Figure& f, const DiameterDim& options);

    // Centre-of-gravity symbol: a circle with two opposite quadrants filled.
    void centreOfGravity(QPointF c);

    // Text in `font` with its baseline at `baseline` and its left edge at x.
    void label(double x, double baseline, const QString& text, const QFont& font, int level);

private:
    QPainter& p_;
    QFont figureFont_;
    QFont deviationFont_;
};

} // namespace drawing
