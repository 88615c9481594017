// SPDX-License-Identifier: MIT
#include "colour.h"

#include <QWidget>

namespace rt {

QColor toQColor(Long colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Long fromQRgb(QRgb rgb)
{
    return Long(qBlue(rgb)) * 65536 + Long(qGreen(rgb)) * 256 + Long(qRed(rgb));
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, Long colour)
{
    QPalette p = widget->palette();
    p.setColor(role, toQColor(colour));
    widget->setPalette(p);
}

} // namespace rt
