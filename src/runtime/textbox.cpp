// SPDX-License-Identifier: MIT
#include "textbox.h"

#include <QEvent>

#include <climits>

namespace rt {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent), foreColor_(this, QPalette::Text, QPalette::Base)
{
    setMaxLength(INT_MAX);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TextBox::setForeColor(Long colour)
{
    foreColor_.set(colour);
    emit foreColorChanged(colour);
}

void TextBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    foreColor_.changed(event);
}

} // namespace rt
