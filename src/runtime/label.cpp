// SPDX-License-Identifier: MIT
#include "label.h"

#include <QEvent>

namespace rt {

Label::Label(QWidget* parent) : QLabel(parent), foreColor_(this, QPalette::WindowText, QPalette::Window)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::setForeColor(Long color)
{
    foreColor_.set(color);
    emit foreColorChanged(color);
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    foreColor_.changed(event);
}

void Label::setBoxColors()
{
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    foreColor_.setRoles(QPalette::Text, QPalette::Base);
}

void Label::setSunkenBorder()
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setIndent(0);
    setMargin(0);
}

} // namespace rt
