// SPDX-License-Identifier: MIT
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace ui {

const char* const FallbackFace = "FreeSans";

namespace {

QString face()
{
    static const QString chosen = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QStringLiteral("MS Sans Serif")))
            return QStringLiteral("MS Sans Serif");
        return QString::fromLatin1(FallbackFace);
    }();
    return chosen;
}

QFont fontOf(double points)
{
    QFont font(face());
    font.setPointSizeF(points); // QFont(family, 9.75) would round to 9
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

QFont captionFont()
{
    return fontOf(9.75);
}

QFont defaultFont()
{
    return fontOf(8.25);
}

} // namespace ui
