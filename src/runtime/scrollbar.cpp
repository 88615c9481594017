// SPDX-License-Identifier: MIT
#include "scrollbar.h"

#include "errors.h"
#include "style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace rt {

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    // The bar's behaviour must not depend on the application's style.
    auto* style = new FormStyle;
    style->setParent(this);
    setStyle(style);
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    setTracking(false); // a thumb drag changes the value when it is released
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::valueMoved);
}

// Qt also signals a "change" that only resets a held thumb to the unchanged
// value (a range change while the thumb is held, for instance); Change is
// raised for real changes only.
void ScrollBar::valueMoved(int value)
{
    if (value == lastValue_)
        return;
    lastValue_ = value;
    emit Change();
}

void ScrollBar::setMax(Integer max)
{
    setMaximum(max); // a value above the new maximum follows it and raises Change
}

void ScrollBar::assignValue(int value)
{
    if (value < minimum() || value > maximum())
        raiseError(ErrorKind::InvalidPropertyValue);
    if (value == this->value())
        return;                  // the current value raises nothing and leaves a held thumb alone
    QScrollBar::setValue(value); // raises Change synchronously
}

void ScrollBar::keyPressEvent(QKeyEvent* event)
{
    focusRing_.keyPressed(this);
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
    // One notch is one step; rolling away from the user goes towards 0, on
    // either bar.
    constexpr int Notch = QWheelEvent::DefaultDeltasPerStep;
    event->accept();
    if (isSliderDown())
        return;
    const QPoint delta = event->angleDelta();
    wheelRemainder_ += delta.y() != 0 ? delta.y() : delta.x();
    while (wheelRemainder_ >= Notch) {
        wheelRemainder_ -= Notch;
        triggerAction(SliderSingleStepSub);
    }
    while (wheelRemainder_ <= -Notch) {
        wheelRemainder_ += Notch;
        triggerAction(SliderSingleStepAdd);
    }
}

// QScrollBar repaints only the rectangle of a part that is pressed,
// released or hovered, but the style draws the part's outline just outside
// it: the whole bar is repainted then instead (a click or a hover, not a
// move of the thumb).
bool ScrollBar::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        reach_ = {}; // the thumb's reach is measured anew, in the new colours
        break;
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave: {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const int part =
            event->type() == QEvent::HoverLeave
                ? QStyle::SC_None
                : style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option,
                                                 static_cast<QHoverEvent*>(event)->position().toPoint(), this);
        if (part != hovered_) {
            hovered_ = part;
            update();
        }
        break;
    }
    default:
        break;
    }
    return QScrollBar::event(event);
}

void ScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept(); // only the left button works the bar
        return;
    }
    QScrollBar::mousePressEvent(event);
    update();
}

void ScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    update();
}

void ScrollBar::paintEvent(QPaintEvent* event)
{
    paintedPosition_ = sliderPosition();
    QScrollBar::paintEvent(event);
    QPainter p(this);
    focusRing_.paint(this, p);
}

// A new value moves only the thumb: its old and new places are repainted,
// not the whole bar. (The style draws nothing else that depends on the
// value.) Other changes repaint the whole bar, as QScrollBar does, and so
// does every change at a fractional scale, where the thumb's edges fall
// between device pixels.
void ScrollBar::sliderChange(SliderChange change)
{
    const qreal scale = devicePixelRatioF();
    if (change != SliderValueChange || scale != std::floor(scale)) {
        QScrollBar::sliderChange(change);
        return;
    }
    update(thumbArea(paintedPosition_));
    update(thumbArea(sliderPosition()));
}

// The thumb at a position with all it paints: the style may draw its
// outline, and its antialiasing, outside the thumb's rectangle.
QRect ScrollBar::thumbArea(int position) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = position;
    const QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    const int margin = thumbReach();
    return thumb.adjusted(-margin, -margin, margin, margin);
}

// How far (in logical pixels) the style draws beyond the thumb's rectangle,
// found by drawing the bar with its thumb at two places along the track, at
// rest, hovered and held, and seeing where the drawings differ: styles and
// their versions differ in this. The places are a quarter of the track from
// its ends, so that what the thumb draws outside its rectangle lands on the
// track, not on an arrow drawn alike. Measured once for each size, scale and
// style; the whole bar if it cannot be told.
int ScrollBar::thumbReach() const
{
    const qreal scale = devicePixelRatioF();
    if (reach_.size == size() && reach_.scale == scale && reach_.style == style())
        return reach_.margin;
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    const QStyle::State plain = option.state;
    const auto draw = [&](int position) {
        QImage image((QSizeF(size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        option.sliderPosition = option.sliderValue = position;
        QPainter p(&image);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &p, this);
        return image;
    };
    const auto thumb = [&](int position) {
        option.sliderPosition = position;
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    };
    int margin = std::max(width(), height()); // the whole bar
    const int quarter = (maximum() - minimum()) / 4;
    const int from = minimum() + quarter, to = maximum() - quarter;
    const QRect first = thumb(from), last = thumb(to);
    if (from < to && !first.intersects(last)) {
        const QRect thumbs = first | last;
        margin = 0;
        const QStyle::State states[] = {plain, plain | QStyle::State_MouseOver,
                                        plain | QStyle::State_MouseOver | QStyle::State_Sunken};
        for (const QStyle::State state : states) {
            option.state = state;
            option.activeSubControls = state == plain ? QStyle::SC_None : QStyle::SC_ScrollBarSlider;
            const QImage a = draw(from), b = draw(to);
            QRect differ; // logical pixels, each device pixel's whole cell
            for (int y = 0; y < a.height(); ++y) {
                const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
                const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
                for (int x = 0; x < a.width(); ++x)
                    if (pa[x] != pb[x])
                        differ |=
                            QRect(QPoint(int(std::floor(x / scale)), int(std::floor(y / scale))),
                                  QPoint(int(std::ceil((x + 1) / scale)) - 1, int(std::ceil((y + 1) / scale)) - 1));
            }
            margin = std::max({margin, thumbs.left() - differ.left(), thumbs.top() - differ.top(),
                               differ.right() - thumbs.right(), differ.bottom() - thumbs.bottom()});
        }
    }
    reach_ = {size(), scale, style(), margin};
    return margin;
}

void ScrollBar::focusInEvent(QFocusEvent* event)
{
    QScrollBar::focusInEvent(event);
    focusRing_.focusIn(this, event->reason());
}

void ScrollBar::focusOutEvent(QFocusEvent* event)
{
    QScrollBar::focusOutEvent(event);
    focusRing_.focusOut(this);
}

} // namespace rt
