#include "controls.h"

#include "errors.h"
#include "style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <climits>
#include <cmath>

namespace rt {

QColor toQColor(Long colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Long fromQRgb(QRgb rgb)
{
    return Long(qBlue(rgb)) * 65536 + Long(qGreen(rgb)) * 256 + Long(qRed(rgb));
}

// ---- ScrollBar -------------------------------------------------------------

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    setStyle(formStyle());
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    setTracking(false); // a thumb drag changes the value when it is released
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::valueMoved);
}

// Qt also signals a "change" that only resets a held thumb to the unchanged
// value; Change is raised for real changes only.
void ScrollBar::valueMoved(int value)
{
    if (value == lastValue_)
        return;
    lastValue_ = value;
    if (Change)
        runHandler(Change);
}

void ScrollBar::setMax(Integer max)
{
    setMaximum(max); // a value above the new maximum follows it and raises Change
}

void ScrollBar::setValue(int value)
{
    if (value < minimum() || value > maximum())
        rt::raise(ErrorKind::InvalidPropertyValue);
    if (value == this->value())
        return; // the current value raises nothing and leaves a held thumb alone
    QScrollBar::setValue(value); // raises Change synchronously
}

void ScrollBar::keyPressEvent(QKeyEvent* event)
{
    if (isSliderDown()) { // the held thumb decides until it is released
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void ScrollBar::wheelEvent(QWheelEvent* event)
{
    // One notch (120 units) is one step; rolling away from the user goes
    // towards 0, on either bar.
    event->accept();
    if (isSliderDown())
        return;
    const QPoint delta = event->angleDelta();
    wheelRemainder_ += delta.y() != 0 ? delta.y() : delta.x();
    while (wheelRemainder_ >= 120) {
        wheelRemainder_ -= 120;
        triggerAction(SliderSingleStepSub);
    }
    while (wheelRemainder_ <= -120) {
        wheelRemainder_ += 120;
        triggerAction(SliderSingleStepAdd);
    }
}

void ScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept(); // only the left button works the bar
        return;
    }
    QScrollBar::mousePressEvent(event);
}

// ---- TextBox, Label, CommandButton ----------------------------------------

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(INT_MAX);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TextBox::setForeColor(Long colour)
{
    foreColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(colour));
    setPalette(p);
    emit foreColorChanged(colour);
}

Label::Label(QWidget* parent) : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::setForeColor(Long colour)
{
    foreColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(p);
    emit foreColorChanged(colour);
}

void Label::setBackColor(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

void Label::setSunkenBorder()
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setIndent(0);
    setMargin(0);
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Click)
            runHandler(Click);
    });
}

// ---- Line, Shape -----------------------------------------------------------

Line::Line(PictureBox* owner, Single x1, Single y1, Single x2, Single y2, Long colour)
    : QObject(owner), owner_(owner), x1_(x1), y1_(y1), x2_(x2), y2_(y2), colour_(colour)
{
}

void Line::setX1(Single v) { assign(x1_, v); }
void Line::setY1(Single v) { assign(y1_, v); }
void Line::setX2(Single v) { assign(x2_, v); }
void Line::setY2(Single v) { assign(y2_, v); }

void Line::setVisible(bool v)
{
    visible_ = v;
    owner_->update();
}

void Line::assign(Single& field, Single v)
{
    field = v;
    owner_->update();
}

Shape::Shape(PictureBox* owner, Single left, Single top, Single width, Single height, Long colour)
    : QObject(owner), owner_(owner), left_(left), top_(top), width_(width), height_(height), colour_(colour)
{
}

void Shape::setLeft(Single v)
{
    left_ = v;
    owner_->update();
}

void Shape::setTop(Single v)
{
    top_ = v;
    owner_->update();
}

// ---- PictureBox ------------------------------------------------------------

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

namespace {

// The pixel whose unit square holds a coordinate.
long long pixelOf(Single v)
{
    const double f = std::floor(double(v));
    if (!(f > -1e9 && f < 1e9)) // far off the picture, NaN included
        return f > 0 ? 1000000000LL : -1000000000LL;
    return static_cast<long long>(f);
}

} // namespace

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

rt::Shape* PictureBox::addShape(const QString& name, Single left, Single top, Single width, Single height,
                            Long colour)
{
    auto* shape = new rt::Shape(this, left, top, width, height, colour);
    shape->setObjectName(name);
    shapes_.push_back(shape);
    return shape;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event); // the border
    QPainter p(this);
    const QRect inner = contentsRect();
    p.setClipRect(inner);
    p.translate(inner.topLeft());
    // Each picture pixel is drawn as a whole block at any device pixel ratio.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawImage(QPoint(0, 0), picture_);

    // Lines and outlines: the pixels are chosen in picture pixels first and
    // then filled as whole picture-pixel squares.
    auto dot = [&p](long long x, long long y, const QColor& c) {
        if (x >= -1 && y >= -1 && x <= 100000 && y <= 100000)
            p.fillRect(QRect(int(x), int(y), 1, 1), c);
    };
    auto span = [&](long long x0, long long y0, long long x1, long long y1, const QColor& c) {
        const long long dx = x1 - x0, dy = y1 - y0;
        const long long steps = std::max(std::llabs(dx), std::llabs(dy));
        if (steps > 100000)
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
        if (std::llabs(x0) > 100000 || std::llabs(y0) > 100000 || std::llabs(x1) > 100000 || std::llabs(y1) > 100000)
            continue;
        span(x0, y0, x1, y1, c);
    }
    for (const rt::Shape* shape : shapes_) {
        const QColor c = toQColor(shape->BorderColor());
        const long long l = pixelOf(shape->Left()), t = pixelOf(shape->Top());
        const long long r = pixelOf(shape->Left() + shape->Width());
        const long long b = pixelOf(shape->Top() + shape->Height());
        if (std::llabs(l) > 100000 || std::llabs(t) > 100000 || std::llabs(r) > 100000 || std::llabs(b) > 100000)
            continue;
        span(l, t, r, t, c);
        span(l, b, r, b, c);
        span(l, t, l, b, c);
        span(r, t, r, b, c);
    }
}

void PictureBox::raiseMouse(const std::function<void(Integer, Integer, Single, Single)>& handler, int buttons,
                            QMouseEvent* event)
{
    if (!handler)
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const Integer shift = Integer(((mods & Qt::ShiftModifier) ? 1 : 0) + ((mods & Qt::ControlModifier) ? 2 : 0) +
                                  ((mods & Qt::AltModifier) ? 4 : 0));
    // Qt hands a child widget its position rounded to whole logical pixels;
    // the position in the window is exact at every screen scale, so it is
    // used where the event carries a consistent one.
    QPointF local = event->position();
    const QPointF fromWindow = event->scenePosition() - QPointF(mapTo(window(), QPoint(0, 0)));
    if (std::abs(fromWindow.x() - local.x()) <= 1 && std::abs(fromWindow.y() - local.y()) <= 1)
        local = fromWindow;
    const QPointF inside = local - QPointF(contentsRect().topLeft());
    const Single x = Single(std::floor(inside.x()));
    const Single y = Single(std::floor(inside.y()));
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

} // namespace rt
