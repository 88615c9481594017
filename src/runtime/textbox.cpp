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
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(colour));
    setPalette(p);
    emit foreColorChanged(colour);
}

} // namespace rt
