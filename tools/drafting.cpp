// SPDX-License-Identifier: MIT
#include "drafting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace drawing {

namespace {

// Snaps an end point of a 1 px line: the coordinate that is constant along
// an axis-parallel line goes to a pixel centre, the other is rounded.
QPointF snapThin(QPointF p, QPointF other)
{
    if (std::abs(p.y() - other.y()) < 0.01)
        return QPointF(std::round(p.x()), thin(p.y()));
    if (std::abs(p.x() - other.x()) < 0.01)
        return QPointF(thin(p.x()), std::round(p.y()));
    return p;
}

// Below this span between the arrow tips the arrows point inwards from
// outside, on a line running 11 px past each tip.
constexpr double kShortSpan = 18.0;
constexpr double kOutsideRun = 11.0;

} // namespace

double thin(double v)
{
    return std::floor(v) + 0.5;
}

double thick(double v)
{
    return std::round(v);
}

Sheet::Sheet(QPainter& p) : p_(p)
{
    figureFont_.setFamily(QStringLiteral("DejaVu Sans"));
    figureFont_.setPixelSize(11);
    figureFont_.setHintingPreference(QFont::PreferFullHinting);
    figureFont_.setStyleStrategy(QFont::NoSubpixelAntialias);
    deviationFont_ = figureFont_;
    deviationFont_.setPixelSize(9);
}

QPen Sheet::thickPen() const
{
    QPen pen(grey(kOutline), 2.0);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QPen Sheet::thinPen(int level) const
{
    QPen pen(grey(level), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen Sheet::centrePen() const
{
    QPen pen(grey(kDimLine), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({12.0, 2.0, 2.0, 2.0});
    return pen;
}

QPen Sheet::hiddenPen() const
{
    QPen pen(grey(kOutline), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({4.0, 2.0});
    return pen;
}

void Sheet::thinLine(QPointF a, QPointF b, const QPen& pen)
{
    p_.setPen(pen);
    p_.drawLine(snapThin(a, b), snapThin(b, a));
}

void Sheet::thickPolygon(const std::vector<QPointF>& pts)
{
    QPolygonF poly;
    for (const QPointF& pt : pts)
        poly << QPointF(thick(pt.x()), thick(pt.y()));
    p_.setPen(thickPen());
    p_.setBrush(Qt::NoBrush);
    p_.drawPolygon(poly);
}

void Sheet::thickPath(const QPainterPath& path)
{
    p_.setPen(thickPen());
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
}

void Sheet::circle(QPointF c, double r, const QPen& pen)
{
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawEllipse(c, r, r);
}

void Sheet::centreCircle(QPointF c, double r, double dashAtDeg)
{
    QPen pen = centrePen();
    const QList<qreal> pattern = pen.dashPattern();
    double period = 0.0;
    for (qreal d : pattern)
        period += d;
    // Stretch or shrink the pattern to a whole number of periods per
    // quarter turn.
    const double quarter = std::numbers::pi * r / 2.0;
    const double periods = std::max(1.0, std::round(quarter / period));
    const double stretch = quarter / (periods * period);
    QList<qreal> fitted;
    for (qreal d : pattern)
        fitted << d * stretch;
    pen.setDashPattern(fitted);

    // Start half a long dash before the given angle, going counter-clockwise.
    const double startDeg = dashAtDeg - (fitted.front() / 2.0 / r) * 180.0 / std::numbers::pi;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, 360.0);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
}

void Sheet::arrow(QPointF tip, QPointF dir)
{
    const double len = std::hypot(dir.x(), dir.y());
    const QPointF u(dir.x() / len, dir.y() / len);
    const QPointF n(-u.y(), u.x());
    constexpr double kLength = 8.0;
    constexpr double kHalfWidth = 2.3;
    const QPointF base = tip - u * kLength;
    QPolygonF head;
    head << tip << base + n * kHalfWidth << base - n * kHalfWidth;
    p_.setPen(Qt::NoPen);
    p_.setBrush(grey(kDimLine));
    p_.drawPolygon(head);
    p_.setBrush(Qt::NoBrush);
}

double Sheet::figureWidth(const Figure& f) const
{
    double w = QFontMetricsF(figureFont_).horizontalAdvance(f.text);
    if (!f.deviation.isEmpty())
        w += 1.0 + QFontMetricsF(deviationFont_).horizontalAdvance(f.deviation);
    return w;
}

void Sheet::figureAt(QPointF pos, const Figure& f, int level)
{
    p_.setPen(grey(level));
    p_.setFont(figureFont_);
    const QPointF base(std::round(pos.x()), std::round(pos.y()));
    p_.drawText(base, f.text);
    if (!f.deviation.isEmpty()) {
        const double x = base.x() + QFontMetricsF(figureFont_).horizontalAdvance(f.text) + 1.0;
        p_.setFont(deviationFont_);
        p_.drawText(QPointF(std::round(x), base.y() - 4.0), f.deviation);
        p_.setFont(figureFont_);
    }
}

void Sheet::figureCentred(double x, double baseline, const Figure& f)
{
    figureAt(QPointF(x - figureWidth(f) / 2.0, baseline), f);
}

void Sheet::dimH(QPointF a, QPointF b, double y, const Figure& f, const HorizontalDim& options)
{
    bool extA = options.extensionAtA, extB = options.extensionAtB;
    if (a.x() > b.x()) {
        std::swap(a, b);
        std::swap(extA, extB);
    }
    if (extA)
        extension(a, QPointF(a.x(), y));
    if (extB)
        extension(b, QPointF(b.x(), y));
    const double xa = thin(a.x()), xb = thin(b.x()), yl = thin(y);
    if (xb - xa >= kShortSpan) {
        dimLine(QPointF(xa, yl), QPointF(xb, yl));
        arrow(QPointF(xa, yl), QPointF(-1, 0));
        arrow(QPointF(xb, yl), QPointF(1, 0));
    } else {
        dimLine(QPointF(xa - kOutsideRun, yl), QPointF(xb + kOutsideRun, yl));
        arrow(QPointF(xa, yl), QPointF(1, 0));
        arrow(QPointF(xb, yl), QPointF(-1, 0));
    }
    figureCentred((xa + xb) / 2.0 + options.figureShift, yl - 3.0, f);
}

void Sheet::dimV(QPointF a, QPointF b, double x, const Figure& f, const VerticalDim& options)
{
    bool extA = options.extensionAtA, extB = options.extensionAtB;
    if (a.y() > b.y()) {
        std::swap(a, b);
        std::swap(extA, extB);
    }
    if (extA)
        extension(a, QPointF(x, a.y()));
    if (extB)
        extension(b, QPointF(x, b.y()));
    const double ya = thin(a.y()), yb = thin(b.y()), xl = thin(x);
    if (yb - ya >= kShortSpan) {
        dimLine(QPointF(xl, ya), QPointF(xl, yb));
        arrow(QPointF(xl, ya), QPointF(0, -1));
        arrow(QPointF(xl, yb), QPointF(0, 1));
    } else {
        dimLine(QPointF(xl, ya - kOutsideRun), QPointF(xl, yb + kOutsideRun));
        arrow(QPointF(xl, ya), QPointF(0, 1));
        arrow(QPointF(xl, yb), QPointF(0, -1));
    }
    const double baseline = options.figureBaseline.value_or((ya + yb) / 2.0 + kFigureHeight / 2.0);
    const double w = figureWidth(f);
    const bool right = options.figureSide == Side::Right;
    figureAt(QPointF(right ? xl + 4.0 : xl - 3.0 - w, baseline), f);
}

void Sheet::extension(QPointF from, QPointF to)
{
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const double len = std::hypot(dx, dy);
    constexpr double kGap = 2.0, kOvershoot = 3.0;
    if (len <= kGap)
        return;
    const QPointF u(dx / len, dy / len);
    dimLine(from + u * kGap, to + u * kOvershoot);
}

void Sheet::centreAsExtension(QPointF end, QPointF to)
{
    const double dx = to.x() - end.x(), dy = to.y() - end.y();
    const double len = std::hypot(dx, dy);
    if (len < 1.0)
        return;
    dimLine(end, to + QPointF(dx / len, dy / len) * 3.0);
}

void Sheet::diameter(QPointF c, double r, const Figure& f, const DiameterDim& options)
{
    const double rad = options.angleDeg * std::numbers::pi / 180.0;
    const QPointF u(std::cos(rad), -std::sin(rad));
    const QPointF p1 = c + u * r;
    const QPointF p2 = c - u * r;
    const QPointF knee = c + u * (r + options.leaderLength);
    p_.setPen(thinPen());
    p_.drawLine(p2, knee);
    arrow(p1, u);
    arrow(p2, -u);
    const double w = figureWidth(f);
    const bool right = options.shelfSide == Side::Right;
    const QPointF shelfEnd(knee.x() + (right ? w + 4 : -(w + 4)), knee.y());
    dimLine(QPointF(knee.x(), thin(knee.y())), QPointF(shelfEnd.x(), thin(knee.y())));
    figureAt(QPointF(right ? knee.x() + 2 : knee.x() - 2 - w, thin(knee.y()) - 3.0), f);
}

void Sheet::centreOfGravity(QPointF c)
{
    constexpr double r = 5.0;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p_.setPen(Qt::NoPen);
    p_.setBrush(grey(kOutline));
    QPainterPath q;
    q.moveTo(c);
    q.arcTo(box, 0, 90);
    q.closeSubpath();
    q.moveTo(c);
    q.arcTo(box, 180, 90);
    q.closeSubpath();
    p_.drawPath(q);
    p_.setBrush(Qt::NoBrush);
    p_.setPen(QPen(grey(kOutline), 1.2));
    p_.drawEllipse(c, r, r);
}

void Sheet::label(double x, double baseline, const QString& text, const QFont& font, int level)
{
    p_.setPen(grey(level));
    p_.setFont(font);
    p_.drawText(QPointF(std::round(x), std::round(baseline)), text);
}

} // namespace drawing
