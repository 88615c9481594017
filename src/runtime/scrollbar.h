// SPDX-License-Identifier: MIT
#pragma once

#include "focusring.h"
#include "numbers.h"

#include <QScrollBar>

namespace rt {

// Scroll bar. The program assigns its Value with assignValue(), which
// refuses a value outside 0 to Max and, for a new value, raises Change and
// so runs its handler to its end before it returns; the current value raises
// nothing.
// The user moves it by exactly one step per arrow click, track click, arrow
// key or wheel notch; Home and End go to the ends; a thumb drag raises
// Change only on release.
class ScrollBar : public QScrollBar {
    Q_OBJECT
    Q_PROPERTY(int Value READ value)
    Q_PROPERTY(int Max READ maximum)
public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    Integer Max() const { return Integer(maximum()); }
    void setMax(Integer max);
    Integer Value() const { return Integer(value()); }
    void assignValue(int value); // an int, so that no value is narrowed before the check

    // QAbstractSlider::setValue() clamps silently: deleted here, so that code
    // holding a ScrollBar cannot call it instead of assignValue(). Qt's own
    // controls reach the value through triggerAction() and the thumb; the
    // accessible interface through assignValue() too.
    void setValue(int) = delete;

signals:
    // The Value changed: raised once per new value (connectHandler()).
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void sliderChange(SliderChange change) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void valueMoved(int value);
    QRect thumbArea(int position) const;
    int thumbReach() const;

    int wheelRemainder_ = 0;
    int lastValue_ = 0;       // the value the last Change was raised for
    int paintedPosition_ = 0; // where the thumb was last painted
    int hovered_ = 0;         // the part under the pointer (a QStyle::SubControl)
    // How far the style draws beyond the thumb, for a size, scale and style.
    mutable struct {
        QSize size;
        qreal scale = 0;
        const QStyle* style = nullptr;
        int margin = 0;
    } reach_;
    FocusRing focusRing_;
};

} // namespace rt
