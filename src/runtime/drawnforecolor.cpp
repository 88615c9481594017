// SPDX-License-Identifier: MIT
#include "drawnforecolor.h"

#include "color.h"

#include <QEvent>
#include <QWidget>

namespace rt {

void DrawnForeColor::set(Long color)
{
    value_ = color;
    set_ = true;
    pending_.request(control_, [this] { draw(); });
}

void DrawnForeColor::setRoles(QPalette::ColorRole text, QPalette::ColorRole background)
{
    text_ = text;
    background_ = background;
    if (set_)
        draw();
}

// A new colour scheme: the colour is drawn anew on the new background.
// Setting an unchanged palette raises no further change event.
void DrawnForeColor::changed(const QEvent* event)
{
    if (set_ && event->type() == QEvent::PaletteChange)
        draw();
}

// An unchanged palette repaints nothing.
void DrawnForeColor::draw()
{
    setTextColor(control_, text_, background_, value_);
}

} // namespace rt
