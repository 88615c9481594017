// SPDX-License-Identifier: MIT
#include "picturebox.h"

#include "colour.h"
#include "devicegrid.h"
#include "errors.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

// Whole-pixel coordinates are kept within +-FarOff, so that converting a
// floored Single (up to 3.4e38, or NaN) to an integer is always defined.
constexpr long long FarOff = 1'000'000'000;
// A line or outline with an end, or a length, beyond DrawLimit pixels lies
// far outside any picture and is not drawn: this bounds the work of a paint.
constexpr long long DrawLimit = 100'000;

// The pixel whose unit square holds a coordinate.
long long pixelOf(Single v)
{
    const double f = std::floor(double(v));
    if (!(f > -double(FarOff) && f < double(FarOff))) // far off the picture, NaN included
        return f > 0 ? FarOff : -FarOff;
    return static_cast<long long>(f);
}

} // namespace

PictureBox::PictureBox(Border border, QWidget* parent) : QFrame(parent)
{
    if (border == Border::Flat) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    }
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    update();
}

Long PictureBox::Point(Single x, Single y) const
{
    const long long px = pixelOf(x);
    const long long py = pixelOf(y);
    if (px < 0 || py < 0 || px >= picture_.width() || py >= picture_.height())
        return -1;
    return fromQRgb(picture_.pixel(int(px), int(py)));
}

Line* PictureBox::addLine(const QString& name, Single x1, Single y1, Single x2, Single y2, Long colour)
{
    auto* line = new Line(this, x1, y1, x2, y2, colour);
    line->setObjectName(name);
    lines_.push_back(line);
    return line;
}

ShapeControl* PictureBox::addShape(const QString& name, Single left, Single top, Single width, Single height,
                                   Long colour)
{
    auto* shape = new ShapeControl(this, left, top, width, height, colour);
    shape->setObjectName(name);
    shapes_.push_back(shape);
    return shape;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    // Border, picture, lines and outlines are all whole logical pixels: they
    // are drawn at logical size first, then every logical pixel is widened to
    // the device pixels the grid gives it, the same grid the mouse reads.
    QImage logical(size(), QImage::Format_ARGB32_Premultiplied);
    logical.fill(Qt::transparent);
    {
        QPainter lp(&logical);
        drawFrame(&lp);
        drawContents(lp);
    }
    QPainter p(this);
    const QTransform toDevice = p.deviceTransform();
    // The grid serves a screen's scale: one positive factor on both axes.
    // Any other transform (none reaches here today: Qt renders a widget for
    // a transformed painter through a pixmap) draws the logical image as it
    // is, rather than building a grid that runs backwards.
    const bool screenScale =
        toDevice.type() == QTransform::TxScale && toDevice.m11() > 0 && qFuzzyCompare(toDevice.m11(), toDevice.m22());
    if (!screenScale) {
        p.drawImage(QPoint(0, 0), logical);
    } else {
        const DeviceGrid grid(toDevice.m11(), toDevice.map(QPointF(0, 0)));
        const std::vector<int> columns = grid.columns(0, logical.width());
        const std::vector<int> rows = grid.rows(0, logical.height());
        QImage device(int(columns.size()), int(rows.size()), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < device.height(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(logical.constScanLine(rows[size_t(y)]));
            auto* to = reinterpret_cast<QRgb*>(device.scanLine(y));
            for (int x = 0; x < device.width(); ++x)
                to[x] = from[columns[size_t(x)]];
        }
        p.save();
        p.setWorldTransform(toDevice.inverted()); // draw in device pixels
        p.drawImage(QPoint(grid.edgeX(0), grid.edgeY(0)), device);
        p.restore();
    }
    focusRing_.paint(this, p);
}

void PictureBox::drawContents(QPainter& p) const
{
    const QRect inner = contentsRect();
    p.setClipRect(inner);
    p.translate(inner.topLeft());
    p.drawImage(QPoint(0, 0), picture_);

    // Lines and outlines: the pixels are chosen in picture pixels first and
    // then filled as whole picture-pixel squares.
    auto dot = [&p](long long x, long long y, const QColor& c) {
        if (x >= -1 && y >= -1 && x <= DrawLimit && y <= DrawLimit)
            p.fillRect(QRect(int(x), int(y), 1, 1), c);
    };
    auto span = [&](long long x0, long long y0, long long x1, long long y1, const QColor& c) {
        const long long dx = x1 - x0, dy = y1 - y0;
        const long long steps = std::max(std::llabs(dx), std::llabs(dy));
        if (steps > DrawLimit)
            return;
        if (dx == 0 || dy == 0) {
            const QRect r(QPoint(int(std::min(x0, x1)), int(std::min(y0, y1))),
                          QPoint(int(std::max(x0, x1)), int(std::max(y0, y1))));
            p.fillRect(r, c);
            return;
        }
        for (long long i = 0; i <= steps; ++i)
            dot(x0 + (dx * i + (dx > 0 ? steps / 2 : -steps / 2)) / steps,
                y0 + (dy * i + (dy > 0 ? steps / 2 : -steps / 2)) / steps, c);
    };
    for (const Line* line : lines_) {
        if (!line->Visible())
            continue;
        const QColor c = toQColor(line->BorderColor());
        const long long x0 = pixelOf(line->X1()), y0 = pixelOf(line->Y1());
        const long long x1 = pixelOf(line->X2()), y1 = pixelOf(line->Y2());
        if (std::llabs(x0) > DrawLimit || std::llabs(y0) > DrawLimit || std::llabs(x1) > DrawLimit ||
            std::llabs(y1) > DrawLimit)
            continue;
        span(x0, y0, x1, y1, c);
    }
    for (const ShapeControl* shape : shapes_) {
        const QColor c = toQColor(shape->BorderColor());
        const long long l = pixelOf(shape->Left()), t = pixelOf(shape->Top());
        const long long r = pixelOf(shape->Left() + shape->Width());
        const long long b = pixelOf(shape->Top() + shape->Height());
        if (std::llabs(l) > DrawLimit || std::llabs(t) > DrawLimit || std::llabs(r) > DrawLimit ||
            std::llabs(b) > DrawLimit)
            continue;
        span(l, t, r, t, c);
        span(l, b, r, b, c);
        span(l, t, l, b, c);
        span(r, t, r, b, c);
    }
}

void PictureBox::raiseMouse(const MouseHandler& handler, int buttons, QMouseEvent* event)
{
    if (!handler)
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const Integer shift = Integer(((mods & Qt::ShiftModifier) ? 1 : 0) + ((mods & Qt::ControlModifier) ? 2 : 0) +
                                  ((mods & Qt::AltModifier) ? 4 : 0));
    // Qt hands a child widget its position rounded to whole logical pixels;
    // the position in the window is exact at every screen scale, so it is
    // used where the event carries a consistent one.
    const QPoint offset = mapTo(window(), QPoint(0, 0));
    QPointF local = event->position();
    const QPointF fromWindow = event->scenePosition() - QPointF(offset);
    if (std::abs(fromWindow.x() - local.x()) <= 1 && std::abs(fromWindow.y() - local.y()) <= 1)
        local = fromWindow;
    // The pixel drawn under the pointer: the device pixel it is on, read
    // back through the grid the drawing used.
    const qreal scale = devicePixelRatioF();
    const QPointF origin = QPointF(offset) * scale;
    const QPoint cell = DeviceGrid(scale, origin).cellAt(local * scale + origin) - contentsRect().topLeft();
    const Single x = Single(cell.x());
    const Single y = Single(cell.y());
    runHandler([&] { handler(Integer(buttons), shift, x, y); });
}

namespace {

int buttonSum(Qt::MouseButtons buttons)
{
    return ((buttons & Qt::LeftButton) ? 1 : 0) + ((buttons & Qt::RightButton) ? 2 : 0) +
           ((buttons & Qt::MiddleButton) ? 4 : 0);
}

} // namespace

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const int button = buttonSum(event->button());
    if (button != 0) // only the left, right and middle buttons press
        raiseMouse(MouseDown, button, event);
    event->accept();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(MouseMove, buttonSum(event->buttons()), event);
    event->accept();
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    focusRing_.focusIn(this, event->reason());
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    focusRing_.focusOut(this);
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    focusRing_.keyPressed(this);
    QFrame::keyPressEvent(event);
}

} // namespace rt
