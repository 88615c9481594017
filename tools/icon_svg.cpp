// SPDX-License-Identifier: MIT
#include "icon_svg.h"

#include "icon_art.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

namespace icon {

namespace {

// The scalable icon is mostly shown large: it takes the strokes of the
// 64-pixel icon.
constexpr int kStyleSize = 64;

// Steps along one helix curve, and along one rim of the rotor.
constexpr int kHelixSteps = 32;
constexpr double kRimStep = 0.1;

std::string num(double v)
{
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, std::abs(v) < 5e-4 ? 0.0 : v, std::chars_format::fixed, 3);
    std::string s(buf, result.ptr);
    // No trailing zeros: "2.500" -> "2.5", "3.000" -> "3".
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s;
}

std::string grey(double g)
{
    static const char* const kHex = "0123456789abcdef";
    const int level = int(std::lround(std::clamp(g, 0.0, 255.0)));
    std::string s = "#";
    for (int i = 0; i < 3; ++i) {
        s += kHex[level >> 4];
        s += kHex[level & 15];
    }
    return s;
}

// A vertical gradient across a cylinder of the given radius, in the rotated
// frame in which the axis runs along x; a dark rim outside `rimShare`.
std::string cylinderGradient(const std::string& id, double radius, double base, double highlight, double rimShare)
{
    std::string s = "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + num(-radius) +
                    "\" x2=\"0\" y2=\"" + num(radius) + "\">\n";
    auto stop = [&](double share, double g) {
        s += "  <stop offset=\"" + num(0.5 + 0.5 * share) + "\" stop-color=\"" + grey(g) + "\"/>\n";
    };
    if (rimShare < 1.0) {
        stop(-1.0, kCylinderRimGrey);
        stop(-rimShare, kCylinderRimGrey);
    }
    constexpr int kStops = 16;
    for (int i = 0; i <= kStops; ++i) {
        const double share = -rimShare + 2.0 * rimShare * i / kStops;
        stop(share, cylinderShade(share * radius, radius, base, highlight));
    }
    if (rimShare < 1.0) {
        stop(rimShare, kCylinderRimGrey);
        stop(1.0, kCylinderRimGrey);
    }
    return s + "</linearGradient>\n";
}

// The rotor's silhouette: along the upper rim, back along the lower one.
std::string silhouette(const Style& style)
{
    const int steps = int(std::lround(kRotorLength / kRimStep));
    std::string d;
    for (int i = 0; i <= steps; ++i) {
        const double u = kRotorLength * i / steps;
        d += (i == 0 ? "M" : " L") + num(u) + " " + num(-rimRadius(style, u, false));
    }
    for (int i = steps; i >= 0; --i) {
        const double u = kRotorLength * i / steps;
        d += " L" + num(u) + " " + num(rimRadius(style, u, true));
    }
    return d + " Z";
}

// The helix on which the lobe phase is `phase`, across the whole visible
// half of the rotor, from the upper rim to the lower one (or back).
std::string helix(const Style& style, double phase, bool backwards, bool first)
{
    std::string d;
    for (int k = 0; k <= kHelixSteps; ++k) {
        const int i = backwards ? kHelixSteps - k : k;
        const double theta = -kPi / 2 + kPi * i / kHelixSteps;
        const double u = (phase - style.lobes * theta) * style.lobeSpacing / (2.0 * kPi);
        d += (first && k == 0 ? "M" : " L") + num(u) + " " + num(kRotorRadius * std::sin(theta));
    }
    return d;
}

// A band between two helices, for every lobe on the rotor: phases from
// `from` to `to` past each multiple of 2 pi.
std::string bands(const Style& style, double from, double to)
{
    const double lowest = -style.lobes * kPi / 2 - 2.0 * kPi;
    const double highest = style.lobes * kPi / 2 + 2.0 * kPi * kRotorLength / style.lobeSpacing + 2.0 * kPi;
    std::string d;
    for (double base = std::floor(lowest / (2.0 * kPi)) * 2.0 * kPi; base <= highest; base += 2.0 * kPi) {
        if (!d.empty())
            d += ' ';
        d += helix(style, base + from, false, true);
        d += helix(style, base + to, true, false);
        d += " Z";
    }
    return d;
}

// The ray-cast surface darkens towards a groove by
// grooveShade + crestShade * crest, crest = sin^2(d/2)^0.6 at a phase d from
// the groove's middle. Nested bands of black, each narrower and laid over the
// wider ones, follow that curve in steps.
std::string grooves(const Style& style)
{
    constexpr int kLayers = 12;
    auto shadeAt = [&](double d) {
        return style.grooveShade + style.crestShade * std::pow(std::pow(std::sin(d / 2), 2.0), 0.6);
    };
    std::string s;
    double covered = 1.0; // shade under the layers drawn so far
    for (int k = 0; k < kLayers; ++k) {
        const double halfWidth = kPi * (kLayers - k) / (kLayers + 0.5);
        const double next = kPi * (kLayers - k - 1) / (kLayers + 0.5);
        const double target = shadeAt((halfWidth + next) / 2);
        const double opacity = 1.0 - target / covered;
        covered = target;
        s += "<path fill=\"#000000\" fill-opacity=\"" + num(opacity) + "\" d=\"" +
             bands(style, kPi - halfWidth, kPi + halfWidth) + "\"/>\n";
    }
    return s;
}

} // namespace

std::string svgDocument()
{
    const Style style = styleFor(kStyleSize);
    const double tipU = kRotorLength + kShaftLength;

    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"32\" height=\"32\" "
                    "viewBox=\"0 0 32 32\">\n"
                    "<title>KRTd258 screw rotor</title>\n<defs>\n";
    s += cylinderGradient("body", kRotorRadius, kBodyBase, kBodyHighlight, 1.0);
    s += cylinderGradient("shaft", style.shaftRadius, kShaftBase, kShaftHighlight, style.cylinderRimShare);
    s += cylinderGradient("journal", style.journalRadius, kJournalBase, kJournalHighlight, style.cylinderRimShare);
    const std::string outline = silhouette(style);
    s += "<clipPath id=\"rotor\"><path d=\"" + outline + "\"/></clipPath>\n</defs>\n";
    // The drawing frame: x along the axis from the rotor's lower-left end
    // face, y across it towards the lower right.
    s += "<g transform=\"translate(" + num(kStartX) + " " + num(kStartY) + ") rotate(-45)\">\n";

    // Bearing journal and drive shaft with their end faces and the key seat.
    s += "<rect x=\"" + num(-kJournalLength) + "\" y=\"" + num(-style.journalRadius) + "\" width=\"" +
         num(kJournalLength) + "\" height=\"" + num(2 * style.journalRadius) + "\" fill=\"url(#journal)\"/>\n";
    s += "<rect x=\"" + num(-kJournalLength) + "\" y=\"" + num(-style.journalRadius) + "\" width=\"" +
         num(style.shaftEndBand) + "\" height=\"" + num(2 * style.journalRadius) + "\" fill=\"" +
         grey(kCylinderEndGrey) + "\"/>\n";
    s += "<rect x=\"" + num(kRotorLength) + "\" y=\"" + num(-style.shaftRadius) + "\" width=\"" + num(kShaftLength) +
         "\" height=\"" + num(2 * style.shaftRadius) + "\" fill=\"url(#shaft)\"/>\n";
    s += "<rect x=\"" + num(kRotorLength + kKeySeatFrom) + "\" y=\"" + num(kKeySeatOffset - style.keyHalfWidth) +
         "\" width=\"" + num(kShaftLength - kKeySeatFrom - kKeySeatEndGap) + "\" height=\"" +
         num(2 * style.keyHalfWidth) + "\" fill=\"" + grey(kKeySeatGrey) + "\"/>\n";
    s += "<rect x=\"" + num(tipU - style.shaftEndBand) + "\" y=\"" + num(-style.shaftRadius) + "\" width=\"" +
         num(style.shaftEndBand) + "\" height=\"" + num(2 * style.shaftRadius) + "\" fill=\"" + grey(kCylinderEndGrey) +
         "\"/>\n";

    // Rotor body, lit as a cylinder, with the helical lobes laid over it.
    s += "<path fill=\"url(#body)\" d=\"" + outline + "\"/>\n";
    s += "<g clip-path=\"url(#rotor)\">\n";
    s += grooves(style);
    // The flanks tilt the surface: the one facing the light is brighter.
    s += "<path fill=\"#ffffff\" fill-opacity=\"0.18\" d=\"" + bands(style, -5 * kPi / 6, -kPi / 6) + "\"/>\n";
    s += "<path fill=\"#000000\" fill-opacity=\"0.18\" d=\"" + bands(style, kPi / 6, 5 * kPi / 6) + "\"/>\n";
    if (style.grooveLine > 0.0) {
        const double half = style.grooveLine / (2.0 * kRotorRadius) * style.lobes;
        s += "<path fill=\"#000000\" fill-opacity=\"0.45\" d=\"" + bands(style, kPi - half, kPi + half) + "\"/>\n";
    }
    // End faces, then the dark outline (the inner half of a stroke on the
    // silhouette, the outer half clipped away).
    s += "<rect x=\"0\" y=\"" + num(-kRotorRadius) + "\" width=\"" + num(style.endBand) + "\" height=\"" +
         num(2 * kRotorRadius) + "\" fill=\"" + grey(kEndFaceGrey) + "\"/>\n";
    s += "<rect x=\"" + num(kRotorLength - style.endBand) + "\" y=\"" + num(-kRotorRadius) + "\" width=\"" +
         num(style.endBand) + "\" height=\"" + num(2 * kRotorRadius) + "\" fill=\"" + grey(kEndFaceGrey) + "\"/>\n";
    s += "<path fill=\"none\" stroke=\"" + grey(kRimGrey) + "\" stroke-width=\"" + num(2 * style.rim) +
         "\" stroke-linejoin=\"round\" d=\"" + outline + "\"/>\n";
    s += "</g>\n</g>\n</svg>\n";
    return s;
}

} // namespace icon
