// SPDX-License-Identifier: MIT
#include "scrollbar.h"

#include "errors.h"
#include "style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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
    if (Change)
        runHandler(Change);
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

void ScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept(); // only the left button works the bar
        return;
    }
    QScrollBar::mousePressEvent(event);
}

void ScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    QPainter p(this);
    focusRing_.paint(this, p);
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
