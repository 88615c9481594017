// SPDX-License-Identifier: MIT
#include "focusring.h"

#include <QPainter>
#include <QWidget>

namespace rt {

void FocusRing::focusIn(QWidget* control, Qt::FocusReason reason)
{
    shown_ = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    if (shown_)
        control->update();
}

void FocusRing::focusOut(QWidget* control)
{
    if (shown_)
        control->update();
    shown_ = false;
}

void FocusRing::keyPressed(QWidget* control)
{
    if (!shown_ && control->hasFocus()) {
        shown_ = true;
        control->update();
    }
}

void FocusRing::paint(const QWidget* control, QPainter& painter) const
{
    if (!shown_ || !control->hasFocus())
        return;
    painter.save();
    painter.setClipping(false);
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(control->palette().color(QPalette::Highlight));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(control->rect().adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace rt
