// SPDX-License-Identifier: MIT
#include "pictures.h"

#include "runtime/bitmap.h"

#include <QFile>
#include <QPixmap>

namespace ui {

QImage builtInPicture(const char* name)
{
    QFile file(QStringLiteral(":/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return rt::decodeBitmap(file.readAll());
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(builtInPicture("icon.bmp")));
}

} // namespace ui
