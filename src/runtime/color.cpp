// SPDX-License-Identifier: MIT
#include "color.h"

#include <QApplication>
#include <QWidget>

#include <cmath>

namespace rt {

namespace {

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Black or white, whichever stands out more on the background; one of them
// always reaches MinTextContrast.
QColor blackOrWhite(const QColor& background)
{
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

// The colour in its own hue and saturation with the HSL lightness nearest to
// its own that reaches the contrast; the closer of black and white when none does.
QColor adjustLightness(const QColor& color, const QColor& background, double contrast)
{
    const float hue = color.hslHueF(), saturation = color.hslSaturationF();
    const int own = color.lightness();
    for (int step = 1; step <= 255; ++step) {
        for (const int lightness : {own + step, own - step}) {
            if (lightness < 0 || lightness > 255)
                continue;
            const QColor c = QColor::fromHslF(hue, saturation, lightness / 255.0f).toRgb();
            if (contrastRatio(c, background) >= contrast)
                return c;
        }
    }
    return blackOrWhite(background);
}

} // namespace

QColor toQColor(Long color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

Long fromQRgb(QRgb rgb)
{
    return Long(qBlue(rgb)) * 65536 + Long(qGreen(rgb)) * 256 + Long(qRed(rgb));
}

double relativeLuminance(const QColor& color)
{
    const QColor c = color.toRgb();
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor drawnTextColor(Long color, const QColor& background, const QColor& schemeText)
{
    if (color == 0) {
        const QColor text = schemeText.toRgb();
        return contrastRatio(text, background) >= MinTextContrast ? text : blackOrWhite(background);
    }
    const QColor warning = toQColor(color);
    if (contrastRatio(warning, background) >= MinWarningContrast)
        return warning;
    // A moved colour aims a tenth higher: thin strokes of antialiased text
    // have no pixel in the full colour, only blends with the background.
    return adjustLightness(warning, background, MinWarningContrast * 1.1);
}

void setTextColor(QWidget* widget, QPalette::ColorRole role, QPalette::ColorRole background, Long color)
{
    // The scheme's own text colour, not one set on the widget before.
    const QColor schemeText = QApplication::palette(widget).color(role);
    const QColor drawn = drawnTextColor(color, widget->palette().color(background), schemeText);
    const QPalette& now = widget->palette();
    if (now.color(QPalette::Active, role) == drawn && now.color(QPalette::Inactive, role) == drawn &&
        now.color(QPalette::Disabled, role) == drawn)
        return; // drawn so already: the palette is left alone
    QPalette p = widget->palette();
    p.setColor(role, drawn);
    widget->setPalette(p);
}

} // namespace rt
