// SPDX-License-Identifier: MIT
#include "picturebox.h"

#include "color.h"
#include "devicegrid.h"
#include "errors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTouchEvent>

#include <algorithm>
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
    setAttribute(Qt::WA_AcceptTouchEvents);
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

Line* PictureBox::addLine(const QString& name, Single x1, Single y1, Single x2, Single y2, Long color)
{
    auto* line = new Line(this, x1, y1, x2, y2, color);
    line->setObjectName(name);
    lines_.push_back(line);
    shownLines_.push_back(drawingOf(*line));
    update(areaOf(shownLines_.back()));
    return line;
}

ShapeControl* PictureBox::addShape(const QString& name, Single left, Single top, Single width, Single height,
                                   Long color)
{
    auto* shape = new ShapeControl(this, left, top, width, height, color);
    shape->setObjectName(name);
    shapes_.push_back(shape);
    shownShapes_.push_back(drawingOf(*shape));
    update(areaOf(shownShapes_.back()));
    return shape;
}

void PictureBox::itemChanged()
{
    pendingItems_.request(this, [this] { syncItems(); });
}

// Repaints where an item was shown and where it is now, for each item whose
// drawing has changed since it was last shown.
void PictureBox::syncItems()
{
    QRegion dirty;
    const auto bringUp = [&](Drawing& shown, Drawing now) {
        if (now == shown)
            return;
        dirty += areaOf(shown);
        dirty += areaOf(now);
        shown = std::move(now);
    };
    for (std::size_t i = 0; i < lines_.size(); ++i)
        bringUp(shownLines_[i], drawingOf(*lines_[i]));
    for (std::size_t i = 0; i < shapes_.size(); ++i)
        bringUp(shownShapes_[i], drawingOf(*shapes_[i]));
    if (!dirty.isEmpty())
        update(dirty);
}

// The pixels are chosen in picture pixels; a run longer than DrawLimit is
// not drawn.
PictureBox::Drawing PictureBox::drawingOf(const Line& line)
{
    Drawing d;
    d.color = line.BorderColor();
    if (!line.Visible())
        return d;
    const Span s{pixelOf(line.X1()), pixelOf(line.Y1()), pixelOf(line.X2()), pixelOf(line.Y2())};
    if (std::llabs(s.x0) > DrawLimit || std::llabs(s.y0) > DrawLimit || std::llabs(s.x1) > DrawLimit ||
        std::llabs(s.y1) > DrawLimit)
        return d;
    if (std::max(std::llabs(s.x1 - s.x0), std::llabs(s.y1 - s.y0)) <= DrawLimit)
        d.spans.push_back(s);
    return d;
}

PictureBox::Drawing PictureBox::drawingOf(const ShapeControl& shape)
{
    Drawing d;
    d.color = shape.BorderColor();
    const long long l = pixelOf(shape.Left()), t = pixelOf(shape.Top());
    const long long r = pixelOf(shape.Left() + shape.Width());
    const long long b = pixelOf(shape.Top() + shape.Height());
    if (std::llabs(l) > DrawLimit || std::llabs(t) > DrawLimit || std::llabs(r) > DrawLimit ||
        std::llabs(b) > DrawLimit)
        return d;
    for (const Span& s : {Span{l, t, r, t}, Span{l, b, r, b}, Span{l, t, l, b}, Span{r, t, r, b}})
        if (std::max(std::llabs(s.x1 - s.x0), std::llabs(s.y1 - s.y0)) <= DrawLimit)
            d.spans.push_back(s);
    return d;
}

// The widget pixels a drawing covers. At a fractional scale a logical pixel
// has no whole number of device pixels, and Qt's device pixels for a logical
// rectangle need not be those the grid gives it: there the whole widget is
// repainted, as for any other change.
QRegion PictureBox::areaOf(const Drawing& drawing) const
{
    const qreal scale = devicePixelRatioF();
    if (scale != std::floor(scale))
        return drawing.spans.empty() ? QRegion() : QRegion(rect());
    const QRect inner = contentsRect();
    QRegion area;
    for (const Span& s : drawing.spans) {
        const QRect r(QPoint(int(std::min(s.x0, s.x1)), int(std::min(s.y0, s.y1))),
                      QPoint(int(std::max(s.x0, s.x1)), int(std::max(s.y0, s.y1))));
        area += r.translated(inner.topLeft()) & inner;
    }
    return area;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    // A paint that comes before the items were brought up to date (a
    // repaint() or an expose inside a handler) shows them as they are now:
    // what they showed before must then be repainted too.
    if (pendingItems_.pending())
        syncItems();
    QPainter p(this);
    const QTransform toDevice = p.deviceTransform();
    // The grid serves a screen's scale: one positive factor on both axes.
    // Any other transform (none reaches here today: Qt renders a widget for
    // a transformed painter through a pixmap) draws the logical image as it
    // is, rather than building a grid that runs backwards.
    const bool screenScale =
        toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && qFuzzyCompare(toDevice.m11(), toDevice.m22());
    if (!screenScale) {
        paintPiece(p, rect(), toDevice, nullptr);
    } else {
        const DeviceGrid grid(toDevice.m11(), toDevice.map(QPointF(0, 0)));
        // At a fractional scale Qt's device clip of a logical rectangle may
        // take in a device pixel of a neighbouring logical pixel.
        const bool fractional = toDevice.m11() != std::floor(toDevice.m11());
        for (const QRect& r : event->region())
            paintPiece(p, fractional ? r.adjusted(-1, -1, 1, 1) & rect() : r, toDevice, &grid);
    }
    focusRing_.paint(this, p);
}

// Border, picture, lines and outlines are all whole logical pixels: a piece
// of the widget is drawn at logical size first, then every logical pixel is
// widened to the device pixels the grid gives it, the same grid the mouse
// reads.
void PictureBox::paintPiece(QPainter& p, const QRect& piece, const QTransform& toDevice, const DeviceGrid* grid)
{
    if (piece.isEmpty())
        return;
    QImage logical(piece.size(), QImage::Format_ARGB32_Premultiplied);
    logical.fill(Qt::transparent);
    if (!contentsRect().contains(piece)) {
        QPainter lp(&logical);
        lp.translate(-piece.topLeft());
        drawFrame(&lp);
    }
    drawContents(logical, piece.topLeft());
    if (!grid) {
        p.drawImage(piece.topLeft(), logical);
        return;
    }
    const QPoint at(grid->edgeX(piece.left()), grid->edgeY(piece.top()));
    QImage device;
    const QPointF origin = toDevice.map(QPointF(0, 0));
    if (toDevice.m11() == 1 && origin == QPointF(origin.toPoint())) {
        device = logical; // one device pixel for each logical one
    } else {
        const std::vector<int> columns = grid->columns(piece.left(), piece.width());
        const std::vector<int> rows = grid->rows(piece.top(), piece.height());
        device = QImage(int(columns.size()), int(rows.size()), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < device.height(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(logical.constScanLine(rows[size_t(y)] - piece.top()));
            auto* to = reinterpret_cast<QRgb*>(device.scanLine(y));
            for (int x = 0; x < device.width(); ++x)
                to[x] = from[columns[size_t(x)] - piece.left()];
        }
    }
    p.save();
    p.setWorldTransform(toDevice.inverted()); // draw in device pixels
    // A rectangular clip lets the image be copied in one go.
    p.setClipRect(QRect(at, device.size()), Qt::IntersectClip);
    p.drawImage(at, device);
    p.restore();
}

// Draws the picture, the lines and the outlines into a piece of the widget
// whose top-left widget pixel is at origin, within the contents rectangle:
// every pixel is written whole, the picture's own or a line's colour.
void PictureBox::drawContents(QImage& piece, QPoint origin) const
{
    const QRect inner = contentsRect();
    const QRect area = inner & QRect(origin, piece.size()); // widget pixels to write
    if (area.isEmpty())
        return;
    // Widget pixel (x, y) is picture pixel (x, y) - inner.topLeft(), and
    // pixel (x, y) - origin of the piece.
    const QRect picture = QRect(inner.topLeft(), picture_.size()) & area;
    for (int y = picture.top(); y <= picture.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(picture_.constScanLine(y - inner.top()));
        auto* to = reinterpret_cast<QRgb*>(piece.scanLine(y - origin.y()));
        for (int x = picture.left(); x <= picture.right(); ++x)
            to[x - origin.x()] = 0xff000000 | from[x - inner.left()];
    }

    // Lines and outlines: their pixels are filled as whole picture-pixel
    // squares.
    const auto plot = [&](long long x, long long y, QRgb c) {
        x += inner.left();
        y += inner.top();
        if (x >= area.left() && x <= area.right() && y >= area.top() && y <= area.bottom())
            reinterpret_cast<QRgb*>(piece.scanLine(int(y) - origin.y()))[int(x) - origin.x()] = c;
    };
    const auto span = [&](const Span& s, QRgb c) {
        const long long dx = s.x1 - s.x0, dy = s.y1 - s.y0;
        const long long steps = std::max(std::llabs(dx), std::llabs(dy));
        if (dx == 0 || dy == 0) {
            const QRect r = QRect(QPoint(int(std::min(s.x0, s.x1)), int(std::min(s.y0, s.y1))),
                                  QPoint(int(std::max(s.x0, s.x1)), int(std::max(s.y0, s.y1))))
                                .translated(inner.topLeft()) &
                            area;
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::fill_n(reinterpret_cast<QRgb*>(piece.scanLine(y - origin.y())) + (r.left() - origin.x()),
                            r.width(), c);
            return;
        }
        for (long long i = 0; i <= steps; ++i)
            plot(s.x0 + (dx * i + (dx > 0 ? steps / 2 : -steps / 2)) / steps,
                 s.y0 + (dy * i + (dy > 0 ? steps / 2 : -steps / 2)) / steps, c);
    };
    const auto draw = [&](const Drawing& d) {
        const QRgb c = toQColor(d.color).rgba();
        for (const Span& s : d.spans)
            span(s, c);
    };
    for (const Line* line : lines_)
        draw(drawingOf(*line));
    for (const ShapeControl* shape : shapes_)
        draw(drawingOf(*shape));
}

void PictureBox::raiseMouse(MouseEvent event, int buttons, QPointF position, QPointF scenePosition,
                            Qt::KeyboardModifiers mods)
{
    const Integer shift = Integer(((mods & Qt::ShiftModifier) ? 1 : 0) + ((mods & Qt::ControlModifier) ? 2 : 0) +
                                  ((mods & Qt::AltModifier) ? 4 : 0));
    // Qt hands a child widget its position rounded to whole logical pixels;
    // the position in the window is exact at every screen scale, so it is
    // used where the event carries a consistent one.
    const QPoint offset = mapTo(window(), QPoint(0, 0));
    QPointF local = position;
    const QPointF fromWindow = scenePosition - QPointF(offset);
    if (std::abs(fromWindow.x() - local.x()) <= 1 && std::abs(fromWindow.y() - local.y()) <= 1)
        local = fromWindow;
    // The pixel drawn under the pointer: the device pixel it is on, read
    // back through the grid the drawing used.
    const qreal scale = devicePixelRatioF();
    const QPointF origin = QPointF(offset) * scale;
    const QPoint cell = DeviceGrid(scale, origin).cellAt(local * scale + origin) - contentsRect().topLeft();
    const Single x = Single(cell.x());
    const Single y = Single(cell.y());
    (this->*event)(Integer(buttons), shift, x, y);
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
        raiseMouse(&PictureBox::MouseDown, button, event->position(), event->scenePosition(), event->modifiers());
    event->accept();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(&PictureBox::MouseMove, buttonSum(event->buttons()), event->position(), event->scenePosition(),
               event->modifiers());
    event->accept();
}

// A finger on a touch screen; a touch pad's points stay with the pointer.
bool PictureBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        auto* touch = static_cast<QTouchEvent*>(event);
        if (touch->device()->type() != QInputDevice::DeviceType::TouchScreen)
            return QFrame::event(event);
        if (const auto move = finger_.follow(touch)) {
            const MouseEvent raised =
                move->step == Finger::Step::Down ? &PictureBox::MouseDown : &PictureBox::MouseMove;
            // A touch point's scene position is not the window's on every
            // Qt; its position on the screen is exact.
            raiseMouse(raised, 2, move->position, window()->mapFromGlobal(move->globalPosition), touch->modifiers());
        }
        event->accept();
        return true;
    }
    default:
        return QFrame::event(event);
    }
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
