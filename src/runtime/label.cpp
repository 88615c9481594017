// SPDX-License-Identifier: MIT
#include "label.h"

#include "colour.h"

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
    setTextColour(this, QPalette::WindowText, colour);
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

} // namespace rt
