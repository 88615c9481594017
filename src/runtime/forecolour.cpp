// SPDX-License-Identifier: MIT
#include "forecolour.h"

#include "colour.h"

#include <QEvent>
#include <QWidget>

namespace rt {

void ForeColour::set(Long colour)
{
    value_ = colour;
    set_ = true;
    pending_.request(control_, [this] { draw(); });
}

void ForeColour::setRoles(QPalette::ColorRole text, QPalette::ColorRole background)
{
    text_ = text;
    background_ = background;
    if (set_)
        draw();
}

// A new colour scheme: the colour is drawn anew on the new background.
// Setting an unchanged palette raises no further change event.
void ForeColour::changed(const QEvent* event)
{
    if (set_ && event->type() == QEvent::PaletteChange)
        draw();
}

// An unchanged palette repaints nothing.
void ForeColour::draw()
{
    setTextColour(control_, text_, background_, value_);
}

} // namespace rt
