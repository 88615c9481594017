// SPDX-License-Identifier: MIT
#include "label.h"

#include "colour.h"

#include <QEvent>

namespace rt {

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
    foreColorSet_ = true;
    pendingColour_.request(this, [this] { drawForeColor(); });
    emit foreColorChanged(colour);
}

// An unchanged palette repaints nothing.
void Label::drawForeColor()
{
    setTextColour(this, foregroundRole(), backgroundRole(), foreColor_);
}

// A new colour scheme: the fore colour is drawn anew on the new background.
// Setting an unchanged palette raises no further change event.
void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (foreColorSet_ && event->type() == QEvent::PaletteChange)
        drawForeColor();
}

void Label::setBoxColours()
{
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    if (foreColorSet_)
        drawForeColor();
}

void Label::setSunkenBorder()
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setIndent(0);
    setMargin(0);
}

} // namespace rt
