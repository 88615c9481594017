// SPDX-License-Identifier: MIT
#include "textbox.h"

#include "colour.h"

#include <QEvent>

#include <climits>

namespace rt {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(INT_MAX);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TextBox::setForeColor(Long colour)
{
    foreColor_ = colour;
    foreColorSet_ = true;
    pendingColour_.request(this, [this] { drawForeColor(); });
    emit foreColorChanged(colour);
}

// An unchanged palette repaints nothing.
void TextBox::drawForeColor()
{
    setTextColour(this, QPalette::Text, QPalette::Base, foreColor_);
}

// A new colour scheme: the fore colour is drawn anew on the new background.
// Setting an unchanged palette raises no further change event.
void TextBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (foreColorSet_ && event->type() == QEvent::PaletteChange)
        drawForeColor();
}

} // namespace rt
