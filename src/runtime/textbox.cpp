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

void TextBox::setForeColor(Long color)
{
    foreColor_.set(color);
    emit foreColorChanged(color);
}

void TextBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    foreColor_.changed(event);
}

} // namespace rt
