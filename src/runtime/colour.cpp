// SPDX-License-Identifier: MIT
#include "colour.h"

namespace rt {

QColor toQColor(Long colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Long fromQRgb(QRgb rgb)
{
    return Long(qBlue(rgb)) * 65536 + Long(qGreen(rgb)) * 256 + Long(qRed(rgb));
}

} // namespace rt
