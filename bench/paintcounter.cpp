// SPDX-License-Identifier: MIT
#include "paintcounter.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QWidget>

namespace bench {

PaintCounter::PaintCounter(QWidget* window) : window_(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

PaintCounter::~PaintCounter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void PaintCounter::reset()
{
    total_ = 0;
    perWidget_.clear();
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_)
        return false;
    qint64 area = 0;
    for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) // the rectangles never overlap
        area += qint64(r.width()) * r.height();
    total_ += area;
    const QString name =
        widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : widget->objectName();
    perWidget_[name] += area;
    return false;
}

} // namespace bench
