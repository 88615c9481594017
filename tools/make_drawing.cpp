// Generates the dimension drawing of the KRTd258 air end shown in the drawing
// window: a 560 x 451 pixel, 8-bit greyscale BMP.
//
//   make_drawing [output.bmp]      (default: assets/drawing.bmp)
//
// The drawing holds a side view of the air end (drive shaft at the left), the
// end view of the drive side to its right (first-angle projection) and, in the
// lower-left corner, the enlarged view X of the shaft end. It is painted with
// QPainter on an RGB image and every pixel is then mapped to the nearest of the
// eight grey levels the asset may use; the file is written by hand so that the
// palette is exactly 256 greys with entry i = grey i.

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bmp_header.h"

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 451;
constexpr std::array<int, 8> kLevels{0, 124, 128, 153, 157, 226, 230, 255};

// Grey levels by role.
constexpr int kOutline = 0;     // visible and hidden edges, frames
constexpr int kDimLine = 128;   // dimension, extension and centre lines
constexpr int kFigure = 124;    // dimension figures
constexpr int kTitle = 153;     // view title
constexpr int kPaper = 255;

constexpr double kPi = 3.14159265358979323846;

QColor grey(int g) { return QColor(g, g, g); }

// Pixel snapping: 1 px lines are crisp on pixel centres, 2 px lines on pixel
// edges.
double thin(double v) { return std::floor(v) + 0.5; }
double thick(double v) { return std::round(v); }

// A dimension figure: the nominal value, optionally followed by a tolerance
// class at full size ("k6") or by a deviation set smaller and raised ("+0.3").
struct Figure {
    QString text;
    QString deviation{};
};

class Sheet {
public:
    explicit Sheet(QPainter &p) : p_(p)
    {
        figureFont_.setFamily(QStringLiteral("DejaVu Sans"));
        figureFont_.setPixelSize(11);
        figureFont_.setHintingPreference(QFont::PreferFullHinting);
        figureFont_.setStyleStrategy(QFont::NoSubpixelAntialias);
        deviationFont_ = figureFont_;
        deviationFont_.setPixelSize(9);
    }

    QPainter &painter() { return p_; }
    const QFont &figureFont() const { return figureFont_; }

    // --- pens -------------------------------------------------------------

    QPen thickPen() const
    {
        QPen pen(grey(kOutline), 2.0);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }
    QPen thinPen(int level = kDimLine) const
    {
        QPen pen(grey(level), 1.0);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }
    QPen centrePen() const
    {
        QPen pen(grey(kDimLine), 1.0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({12.0, 2.0, 2.0, 2.0});
        return pen;
    }
    QPen hiddenPen() const
    {
        QPen pen(grey(kOutline), 1.0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({4.0, 2.0});
        return pen;
    }

    // --- straight lines, snapped to the pixel grid -------------------------

    void thinLine(QPointF a, QPointF b, const QPen &pen)
    {
        p_.setPen(pen);
        p_.drawLine(snapThin(a, b), snapThin(b, a));
    }
    void dimLine(QPointF a, QPointF b) { thinLine(a, b, thinPen()); }
    void centreLine(QPointF a, QPointF b) { thinLine(a, b, centrePen()); }
    void hiddenLine(QPointF a, QPointF b) { thinLine(a, b, hiddenPen()); }

    // Closed outline with the thick pen; corners on pixel edges.
    void thickPolygon(const std::vector<QPointF> &pts)
    {
        QPolygonF poly;
        for (const QPointF &pt : pts)
            poly << QPointF(thick(pt.x()), thick(pt.y()));
        p_.setPen(thickPen());
        p_.setBrush(Qt::NoBrush);
        p_.drawPolygon(poly);
    }
    void thickPath(const QPainterPath &path)
    {
        p_.setPen(thickPen());
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }
    void circle(QPointF c, double r, const QPen &pen)
    {
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(c, r, r);
    }
    void arc(QPointF c, double r, double startDeg, double spanDeg, const QPen &pen)
    {
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(std::lround(startDeg * 16)),
                   int(std::lround(spanDeg * 16)));
    }

    // --- dimensioning -------------------------------------------------------

    // Closed, filled arrowhead with its tip at `tip`, pointing along `dir`.
    void arrow(QPointF tip, QPointF dir)
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

    double figureWidth(const Figure &f) const
    {
        double w = QFontMetricsF(figureFont_).horizontalAdvance(f.text);
        if (!f.deviation.isEmpty())
            w += 1.0 + QFontMetricsF(deviationFont_).horizontalAdvance(f.deviation);
        return w;
    }
    static constexpr double kFigureHeight = 9.0;  // cap height of the figure font, rounded up

    // Draws a figure whose bounding box of digits has its bottom-left at `pos`
    // (baseline at pos.y()).
    void figureAt(QPointF pos, const Figure &f, int level = kFigure)
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
    // Figure centred horizontally on x with its baseline at `baseline`.
    void figureCentred(double x, double baseline, const Figure &f)
    {
        figureAt(QPointF(x - figureWidth(f) / 2.0, baseline), f);
    }

    // Horizontal linear dimension between feature points a and b. Extension
    // lines run vertically from the features to the dimension line at height
    // `y`. The figure sits above the line, centred or shifted by `textShift`;
    // when the span is too short the arrows point inwards from outside.
    void dimH(QPointF a, QPointF b, double y, const Figure &f, double textShift = 0.0,
              bool extA = true, bool extB = true)
    {
        if (a.x() > b.x()) {
            std::swap(a, b);
            std::swap(extA, extB);
        }
        if (extA)
            extension(a, QPointF(a.x(), y));
        if (extB)
            extension(b, QPointF(b.x(), y));
        const double xa = thin(a.x()), xb = thin(b.x()), yl = thin(y);
        const double span = xb - xa;
        if (span >= 18.0) {
            dimLine(QPointF(xa, yl), QPointF(xb, yl));
            arrow(QPointF(xa, yl), QPointF(-1, 0));
            arrow(QPointF(xb, yl), QPointF(1, 0));
        } else {
            dimLine(QPointF(xa - 11, yl), QPointF(xb + 11, yl));
            arrow(QPointF(xa, yl), QPointF(1, 0));
            arrow(QPointF(xb, yl), QPointF(-1, 0));
        }
        figureCentred((xa + xb) / 2.0 + textShift, yl - 3.0, f);
    }

    // Vertical linear dimension between feature points a and b with the
    // dimension line at x. Figures stay upright: the figure is set beside the
    // line, on the left or the right, vertically centred unless `textY` gives
    // its baseline.
    void dimV(QPointF a, QPointF b, double x, const Figure &f, bool textRight,
              double textY = NAN, bool extA = true, bool extB = true)
    {
        if (a.y() > b.y()) {
            std::swap(a, b);
            std::swap(extA, extB);
        }
        if (extA)
            extension(a, QPointF(x, a.y()));
        if (extB)
            extension(b, QPointF(x, b.y()));
        const double ya = thin(a.y()), yb = thin(b.y()), xl = thin(x);
        const double span = yb - ya;
        if (span >= 18.0) {
            dimLine(QPointF(xl, ya), QPointF(xl, yb));
            arrow(QPointF(xl, ya), QPointF(0, -1));
            arrow(QPointF(xl, yb), QPointF(0, 1));
        } else {
            dimLine(QPointF(xl, ya - 11), QPointF(xl, yb + 11));
            arrow(QPointF(xl, ya), QPointF(0, 1));
            arrow(QPointF(xl, yb), QPointF(0, -1));
        }
        const double baseline = std::isnan(textY) ? (ya + yb) / 2.0 + kFigureHeight / 2.0 : textY;
        const double w = figureWidth(f);
        figureAt(QPointF(textRight ? xl + 4.0 : xl - 3.0 - w, baseline), f);
    }

    // Extension line from a feature towards a dimension line: a small gap at
    // the feature and a short overshoot past the dimension line.
    void extension(QPointF from, QPointF to)
    {
        const double dx = to.x() - from.x(), dy = to.y() - from.y();
        const double len = std::hypot(dx, dy);
        if (len < 1.0)
            return;
        const QPointF u(dx / len, dy / len);
        constexpr double kGap = 2.0, kOvershoot = 3.0;
        if (len <= kGap)
            return;
        dimLine(from + u * kGap, to + u * kOvershoot);
    }

    // A centre line that serves as an extension line runs on from its end as
    // a thin continuous line to just past the dimension line.
    void centreAsExtension(QPointF end, QPointF to)
    {
        const double dx = to.x() - end.x(), dy = to.y() - end.y();
        const double len = std::hypot(dx, dy);
        if (len < 1.0)
            return;
        dimLine(end, to + QPointF(dx / len, dy / len) * 3.0);
    }

    // Diameter of a circle, by a dimension line through the centre at angle
    // `deg` (counter-clockwise from the positive x axis, screen up), with
    // arrowheads on the circle from inside; the line runs on past the circle
    // at the `deg` end to a horizontal shelf, to the right or to the left,
    // that carries the figure.
    void diameter(QPointF c, double r, double deg, double leaderLength, const Figure &f,
                  bool shelfLeft = false)
    {
        const double rad = deg * kPi / 180.0;
        const QPointF u(std::cos(rad), -std::sin(rad));
        const QPointF p1 = c + u * r;
        const QPointF p2 = c - u * r;
        const QPointF knee = c + u * (r + leaderLength);
        p_.setPen(thinPen());
        p_.drawLine(p2, knee);
        arrow(p1, u);
        arrow(p2, -u);
        const double w = figureWidth(f);
        const bool right = !shelfLeft;
        const QPointF shelfEnd(knee.x() + (right ? w + 4 : -(w + 4)), knee.y());
        dimLine(QPointF(knee.x(), thin(knee.y())), QPointF(shelfEnd.x(), thin(knee.y())));
        figureAt(QPointF(right ? knee.x() + 2 : knee.x() - 2 - w, thin(knee.y()) - 3.0), f);
    }

    // Centre-of-gravity symbol: a circle with two opposite quadrants filled.
    void centreOfGravity(QPointF c)
    {
        constexpr double r = 5.0;
        p_.setPen(Qt::NoPen);
        p_.setBrush(grey(kOutline));
        QPainterPath q;
        q.moveTo(c);
        q.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 90);
        q.closeSubpath();
        q.moveTo(c);
        q.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, 90);
        q.closeSubpath();
        p_.drawPath(q);
        p_.setBrush(Qt::NoBrush);
        QPen pen(grey(kOutline), 1.2);
        p_.setPen(pen);
        p_.drawEllipse(c, r, r);
    }

    // Text in `font` with its baseline at `baseline` and its left edge at x.
    void label(double x, double baseline, const QString &text, const QFont &font, int level)
    {
        p_.setPen(grey(level));
        p_.setFont(font);
        p_.drawText(QPointF(std::round(x), std::round(baseline)), text);
    }

private:
    // Snaps an end point of a 1 px line: the coordinate that is constant along
    // an axis-parallel line goes to a pixel centre, the other is rounded.
    static QPointF snapThin(QPointF p, QPointF other)
    {
        if (std::abs(p.y() - other.y()) < 0.01)
            return QPointF(std::round(p.x()), thin(p.y()));
        if (std::abs(p.x() - other.x()) < 0.01)
            return QPointF(thin(p.x()), std::round(p.y()));
        return p;
    }

    QPainter &p_;
    QFont figureFont_;
    QFont deviationFont_;
};

// A view's mapping from millimetres (x to the right, y up) to pixels.
struct View {
    double ox, oy;  // pixel position of the view's origin
    double scale;   // pixels per millimetre
    QPointF operator()(double x, double y) const { return QPointF(ox + scale * x, oy - scale * y); }
    double len(double mm) const { return scale * mm; }
};

// Air-end dimensions in millimetres, along the shaft from its end face.
namespace dim {
constexpr double shaftR = 27.5;          // shaft 55 k6
constexpr double chamfer = 2.0;          // shaft end chamfer
constexpr double keyStart = 5.0;         // keyway starts this far from the end face
constexpr double keyLength = 63.0;       // keyway length over its round ends
constexpr double keyHalfWidth = 8.0;     // key 16 P9
constexpr double keySeatR = 21.5;        // keyway bottom from the axis (depth 6)
constexpr double keyTopR = 31.5;         // fitted key: 59 over shaft and key
constexpr double spigotFace = 80.0;      // spigot face
constexpr double flangeFace = 84.0;      // flange face
constexpr double flangeBack = 109.0;     // back of the flange plate
constexpr double spigotR = 50.0;         // spigot 100
constexpr double flangeHalf = 75.0;      // square flange 150
constexpr double flangeChamfer = 6.0;    // its corners, seen from the drive side
constexpr double pitchR = 80.0;          // bolt circle 160
constexpr double boltHoleR = 6.5;        // bolt holes on the pitch circle
constexpr double housingTop = 80.0;      // housing top above the axis
constexpr double housingBottom = -53.0;  // housing bottom below the axis
constexpr double rotorHousingEnd = 262.0;
constexpr double dischargeTop = 70.0;
constexpr double dischargeBottom = -45.0;
constexpr double dischargeEnd = 318.0;
constexpr double coverTop = 50.0;
constexpr double coverBottom = -32.0;
constexpr double coverEnd = 328.0;
constexpr double tapX = 185.0;           // tapped hole M16 in the housing top
constexpr double tapR = 8.0;
constexpr double tapDepth = 24.0;
constexpr double cogX = 40.0;            // centre of gravity from the shaft axis,
constexpr double cogY = 20.0;            // seen from the drive side
// Housing outline seen from the drive side (beyond the flange).
constexpr double endHousingLeft = -60.0;
constexpr double endHousingRight = 122.0;
}  // namespace dim

void drawSideView(Sheet &s, const View &v)
{
    using namespace dim;
    QPainter &p = s.painter();

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
    s.thickPolygon({v(spigotFace, spigotR), v(flangeFace, spigotR), v(flangeFace, -spigotR),
                    v(spigotFace, -spigotR)});
    s.thickPolygon({v(flangeFace, flangeHalf), v(flangeBack, flangeHalf), v(flangeBack, -flangeHalf),
                    v(flangeFace, -flangeHalf)});

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
    s.thickPolygon({v(rotorHousingEnd, dischargeTop), v(dischargeEnd, dischargeTop),
                    v(dischargeEnd, dischargeBottom), v(rotorHousingEnd, dischargeBottom)});
    s.thickPolygon({v(dischargeEnd, coverTop), v(coverEnd, coverTop), v(coverEnd, coverBottom),
                    v(dischargeEnd, coverBottom)});

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
    s.dimH(v(0, shaftR), v(keyStart, 0), keyRow, {QStringLiteral("5")}, -16.0);
    s.dimH(v(keyStart, 0), v(keyStart + keyLength, 0), keyRow,
           {QStringLiteral("63"), QStringLiteral("+0.3")}, 0.0, false, true);
    s.dimH(v(0, shaftR), v(spigotFace, spigotR), v(0, 64).y(), {QStringLiteral("80")});
    s.dimH(v(0, shaftR), v(flangeFace, flangeHalf), v(0, 92).y(), {QStringLiteral("84")});
    s.dimH(v(0, shaftR), v(flangeBack, housingTop), v(0, 115).y(), {QStringLiteral("109")});

    // --- dimensions across the shaft ---
    const double xDim = v(coverEnd + 14, 0).x();
    s.centreAsExtension(v(coverEnd + 6, 0), QPointF(xDim, v(0, 0).y()));
    s.dimV(v(rotorHousingEnd, housingTop), v(coverEnd + 6, 0), xDim, {QStringLiteral("80")}, true,
           NAN, true, false);
    s.dimV(v(coverEnd + 6, 0), v(rotorHousingEnd, housingBottom), xDim, {QStringLiteral("53")}, true,
           NAN, false, true);

    // --- tapped hole ---
    {
        const QPointF top = v(tapX + tapR, housingTop);
        const QPointF bottom = v(tapX + tapR, housingTop - tapDepth);
        const double x = v(tapX + tapR + 14, 0).x();
        s.dimV(QPointF(top.x(), top.y()), bottom, x, {QStringLiteral("24")}, true, NAN, true, true);
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

void drawEndView(Sheet &s, const View &v)
{
    using namespace dim;
    QPainter &p = s.painter();
    const QPointF c = v(0, 0);

    // Housing beyond the flange: only what shows outside the flange square.
    {
        const QPointF tl = v(endHousingLeft, housingTop);
        const QPointF br = v(endHousingRight, housingBottom);
        const double x0 = thick(tl.x()), y0 = thick(tl.y()), x1 = thick(br.x()), y1 = thick(br.y());
        const double fx1 = thick(v(flangeHalf, 0).x()), fy0 = thick(v(0, flangeHalf).y());
        const double r = 14.0;
        QPainterPath h;
        h.moveTo(x0, fy0);
        h.lineTo(x0, y0 + r * 0.4);
        h.quadTo(x0, y0, x0 + r * 0.4, y0);
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
        s.thickPolygon({v(-h + k, h), v(h - k, h), v(h, h - k), v(h, -h + k), v(h - k, -h),
                        v(-h + k, -h), v(-h, -h + k), v(-h, h - k)});
    }
    const double pitch = v.len(pitchR);
    for (int i = 0; i < 4; ++i) {
        const double a = (45.0 + 90.0 * i) * kPi / 180.0;
        const QPointF hc = c + QPointF(std::cos(a), -std::sin(a)) * pitch;
        s.arc(c, pitch, 45.0 + 90.0 * i - 9.0, 18.0, s.centrePen());
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
    s.dimH(v(0, -flangeHalf - 6), v(cogX, cogY), row40, {QStringLiteral("40")}, 0.0, false, true);
    const double col20 = v(endHousingRight + 16, 0).x();
    s.centreAsExtension(v(endHousingRight + 6, 0), QPointF(col20, v(0, 0).y()));
    s.dimV(v(endHousingRight + 6, 0), v(cogX, cogY), col20, {QStringLiteral("20")}, true, NAN, false,
           true);
    s.dimH(QPointF(hx0, fBottom), QPointF(hx1, fBottom), v(0, -flangeHalf - 36).y(),
           {QStringLiteral("150")});
    s.diameter(c, pitch, 135.0, 38.0, {QStringLiteral("\u00d8160")}, true);
    s.diameter(c, v.len(spigotR), 62.0, 40.0, {QStringLiteral("\u00d8100")});
}

void drawViewX(Sheet &s, QRectF frame, const View &v)
{
    using namespace dim;
    QPainter &p = s.painter();

    p.setPen(QPen(grey(kOutline), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(thin(frame.left()), thin(frame.top()), std::round(frame.width()),
                      std::round(frame.height())));
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
    s.diameter(c, r, 135.0, 14.0, {QStringLiteral("\u00d855 k6")}, true);
    s.dimV(v(keyTopR, keyHalfWidth), v(keyTopR, -keyHalfWidth), v(keyTopR + 9, 0).x(),
           {QStringLiteral("16 P9")}, true);
    s.dimH(v(-shaftR, 0), v(keyTopR, -keyHalfWidth), v(0, -shaftR - 11).y(), {QStringLiteral("59")});
}

// Title block: designation, units and the first-angle projection symbol.
void drawTitleBlock(Sheet &s, QRectF box)
{
    QPainter &p = s.painter();
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
    cone << QPointF(tx, cy - 3) << QPointF(tx + 14, cy - 6) << QPointF(tx + 14, cy + 6)
         << QPointF(tx, cy + 3);
    p.drawPolygon(cone);
    p.drawEllipse(QPointF(tx + 27, cy), 6.0, 6.0);
    p.drawEllipse(QPointF(tx + 27, cy), 3.0, 3.0);
    p.setPen(s.centrePen());
}

QImage render()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(grey(kPaper));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    Sheet sheet(p);

    // Side view at 0.8 px/mm, shaft end at the left; the end view of the
    // drive side to its right on the same axis height.
    const View side{44.0, 136.0, 0.8};
    drawSideView(sheet, side);
    const View end{420.0, 136.0, 0.8};
    drawEndView(sheet, end);

    // Enlarged view X of the shaft end in the lower-left corner.
    const QRectF frame(6.0, 246.0, 230.0, 198.0);
    const View x{frame.left() + 100.0, frame.top() + 98.0, 2.0};
    drawViewX(sheet, frame, x);

    drawTitleBlock(sheet, QRectF(290.0, 392.0, 263.0, 52.0));

    p.end();
    return img;
}

int nearestLevel(int g)
{
    int best = kLevels[0];
    for (int level : kLevels)
        if (std::abs(level - g) < std::abs(best - g))
            best = level;
    return best;
}

// 8-bit indexed BMP, bottom-up, uncompressed, palette entry i = grey i.
std::vector<std::uint8_t> encodeBmp(const QImage &img)
{
    const int w = img.width(), h = img.height();
    const int stride = (w + 3) & ~3;
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    const std::uint32_t pixels = std::uint32_t(stride) * std::uint32_t(h);
    std::vector<std::uint8_t> out;
    out.reserve(offset + pixels);
    bmp::putHeader(out, {offset + pixels, offset, std::uint32_t(w), std::uint32_t(h), 8, pixels, 3780, 256});
    for (int i = 0; i < 256; ++i) {
        out.push_back(std::uint8_t(i));  // blue
        out.push_back(std::uint8_t(i));  // green
        out.push_back(std::uint8_t(i));  // red
        out.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x];
            const int g = (qRed(c) + qGreen(c) + qBlue(c) + 1) / 3;
            out.push_back(std::uint8_t(nearestLevel(g)));
        }
        for (int x = w; x < stride; ++x)
            out.push_back(0);
    }
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string path = argc > 1 ? argv[1] : "assets/drawing.bmp";

    const std::vector<std::uint8_t> bytes = encodeBmp(render());
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_drawing: cannot write %s\n", path.c_str());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
