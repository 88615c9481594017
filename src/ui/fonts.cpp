// SPDX-License-Identifier: MIT
#include "fonts.h"

#include <QFontDatabase>
#include <QList>

namespace ui {

const char* const FallbackFace = "FreeSans";

namespace {

QString face()
{
    // One family is looked up, by its name in any case, not the list of every
    // installed family.
    static const QString chosen = QFontDatabase::writingSystems(QStringLiteral("MS Sans Serif")).isEmpty()
                                      ? QString::fromLatin1(FallbackFace)
                                      : QStringLiteral("MS Sans Serif");
    return chosen;
}

// Sizes are given in pixels, so that every caption has the same size on
// every platform (macOS measures points at 72 per inch, others at 96).
QFont fontOf(int pixels)
{
    QFont font(face());
    font.setPixelSize(pixels);
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
    return fontOf(13); // 9.75 pt at 96 pixels per inch
}

QFont defaultFont()
{
    return fontOf(11); // 8.25 pt at 96 pixels per inch
}

} // namespace ui
