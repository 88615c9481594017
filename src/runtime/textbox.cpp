// SPDX-License-Identifier: MIT
#include "textbox.h"

#include "colour.h"

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
    setTextColour(this, QPalette::Text, colour);
    emit foreColorChanged(colour);
}

} // namespace rt
