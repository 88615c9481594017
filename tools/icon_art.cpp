// SPDX-License-Identifier: MIT
#include "icon_art.h"

#include <algorithm>
#include <cmath>

namespace icon {

namespace {

constexpr int kSamples = 8;

struct Sample {
    bool hit = false;
    double grey = 255.0;
};

double cylinderGrey(const Style& style, double v, double radius, double base, double highlight)
{
    const double s = std::clamp(v / radius, -1.0, 1.0);
    if (std::abs(s) > style.cylinderRimShare)
        return kCylinderRimGrey;
    return lit(std::asin(s), base, highlight);
}

// Distance, in design units, from the middle of the nearest groove, where the
// lobe phase is an odd multiple of pi.
double grooveDistance(const Style& style, double phase, double theta)
{
    const double off = std::remainder(phase - kPi, 2.0 * kPi);
    const double alongAxis = 2.0 * kPi / style.lobeSpacing;
    const double across = style.lobes / (kRotorRadius * std::max(std::cos(theta), 1e-3));
    return std::abs(off) / std::hypot(alongAxis, across);
}

Sample shade(const Style& style, double px, double py)
{
    // Unit vectors: along the axis (up and to the right) and across it
    // (down and to the right).
    const double ax = std::sqrt(0.5), ay = -std::sqrt(0.5);
    const double nx = std::sqrt(0.5), ny = std::sqrt(0.5);
    const double dx = px - kStartX, dy = py - kStartY;
    const double u = dx * ax + dy * ay;
    const double v = dx * nx + dy * ny;

    Sample s;
    // Rotor body with helical lobes.
    if (u >= 0.0 && u <= kRotorLength) {
        const double radius = rimRadius(style, u, v >= 0);
        if (std::abs(v) <= radius) {
            s.hit = true;
            const double sv = std::clamp(v / kRotorRadius, -1.0, 1.0);
            const double theta = std::asin(sv);
            const double phase = style.lobes * theta + 2.0 * kPi * u / style.lobeSpacing;
            // 1 on a lobe crest, 0 in the groove between two lobes; the
            // flanks are steep, the crests broad.
            const double crest = std::pow(0.5 + 0.5 * std::cos(phase), 0.6);
            // Lobe flanks tilt the surface normal along the helix.
            const double tilt = 0.55 * std::sin(phase);
            double g = lit(theta + tilt * 0.6, kBodyBase, kBodyHighlight, style.ambient, style.direct);
            g *= style.grooveShade + style.crestShade * crest;
            if (style.grooveLine > 0.0 && grooveDistance(style, phase, theta) < style.grooveLine / 2)
                g *= 0.55;
            // Dark rim, and the two end faces as darker bands.
            if (std::abs(v) > radius - style.rim)
                g = kRimGrey;
            else if (u < style.endBand || u > kRotorLength - style.endBand)
                g = std::min(g, kEndFaceGrey);
            s.grey = g;
            return s;
        }
        return s;
    }
    // Drive shaft at the upper right, with a darker key seat along its middle.
    if (u > kRotorLength && u <= kRotorLength + kShaftLength && std::abs(v) <= style.shaftRadius) {
        s.hit = true;
        s.grey = cylinderGrey(style, v, style.shaftRadius, kShaftBase, kShaftHighlight);
        const double keyFrom = kRotorLength + kKeySeatFrom, keyTo = kRotorLength + kShaftLength - kKeySeatEndGap;
        if (u > keyFrom && u < keyTo && std::abs(v - kKeySeatOffset) < style.keyHalfWidth)
            s.grey = kKeySeatGrey;
        if (u > kRotorLength + kShaftLength - style.shaftEndBand)
            s.grey = std::min(s.grey, kCylinderEndGrey);
        return s;
    }
    // Bearing journal at the lower left.
    if (u < 0.0 && u >= -kJournalLength && std::abs(v) <= style.journalRadius) {
        s.hit = true;
        s.grey = cylinderGrey(style, v, style.journalRadius, kJournalBase, kJournalHighlight);
        if (u < -kJournalLength + style.shaftEndBand)
            s.grey = std::min(s.grey, kCylinderEndGrey);
        return s;
    }
    return s;
}

} // namespace

Style styleFor(int size)
{
    Style s;
    if (size <= 16) {
        // Three lobes at a long pitch, so that each stripe is two pixels or
        // more; outlines a whole pixel; flatter light, so that the shadow
        // side does not merge with the outline; shaft and journal three
        // pixels thick; no key seat, which would only smear the shaft.
        s.lobes = 3;
        s.lobeSpacing = 8.0;
        s.grooveShade = 0.30;
        s.crestShade = 0.70;
        s.ambient = 0.50;
        s.direct = 0.55;
        s.rim = 2.0;
        s.endBand = 2.0;
        s.shaftRadius = 3.0;
        s.journalRadius = 3.2;
        s.cylinderRimShare = 0.60;
        s.keyHalfWidth = 0.0;
        s.shaftEndBand = 1.6;
    } else if (size < kDesignSize) {
        // Outlines and key seat one pixel wide, a slightly longer pitch.
        const double pixel = double(kDesignSize) / size;
        s.lobeSpacing = 6.0;
        s.rim = pixel;
        s.endBand = pixel;
        s.shaftRadius = 2.5;
        s.journalRadius = 2.8;
        s.cylinderRimShare = 0.80;
        s.keyHalfWidth = pixel / 2;
        s.shaftEndBand = pixel;
    } else if (size > kDesignSize) {
        // Outlines grow with the square root of the size, so they stay crisp
        // lines instead of becoming bands; groove lines add the lobe detail.
        const double thin = std::sqrt(double(kDesignSize) / size);
        s.rim = 0.9 * thin;
        s.endBand = 0.9 * thin;
        s.shaftEndBand = 0.8 * thin;
        s.grooveLine = 0.6 * thin;
    }
    return s;
}

double rimRadius(const Style& style, double u, bool lower)
{
    const double rimTheta = lower ? kPi / 2 : -kPi / 2;
    const double rimPhase = style.lobes * rimTheta + 2.0 * kPi * u / style.lobeSpacing;
    return kRotorRadius * (0.92 + 0.08 * (0.5 + 0.5 * std::cos(rimPhase)));
}

double lit(double theta, double base, double highlight, double ambient, double direct)
{
    // Light direction in (across, towards viewer): from the upper left and
    // in front.
    const double lx = -0.55, lz = 0.835;
    const double nx = std::sin(theta), nz = std::cos(theta);
    const double diffuse = std::max(0.0, nx * lx + nz * lz);
    // Blinn half vector with the viewer at (0, 1).
    const double hx = lx, hz = lz + 1.0;
    const double hl = std::hypot(hx, hz);
    const double specular = std::pow(std::max(0.0, (nx * hx + nz * hz) / hl), 24.0);
    return base * (ambient + direct * diffuse) + highlight * specular;
}

double cylinderShade(double v, double radius, double base, double highlight)
{
    return lit(std::asin(std::clamp(v / radius, -1.0, 1.0)), base, highlight);
}

std::vector<std::uint8_t> render(int size)
{
    const Style style = styleFor(size);
    // Design units per output pixel; exactly 1 at the design size.
    const double scale = double(kDesignSize) / size;
    std::vector<std::uint8_t> img;
    img.reserve(std::size_t(size) * std::size_t(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum = 0.0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const double px = (x + (i + 0.5) / kSamples) * scale;
                    const double py = (y + (j + 0.5) / kSamples) * scale;
                    const Sample s = shade(style, px, py);
                    sum += s.hit ? std::clamp(s.grey, 0.0, 255.0) : 255.0;
                }
            }
            img.push_back(std::uint8_t(std::lround(sum / (kSamples * kSamples))));
        }
    }
    return img;
}

Coverage renderTransparent(int size)
{
    const Style style = styleFor(size);
    const double scale = double(kDesignSize) / size;
    Coverage out;
    out.greys.reserve(std::size_t(size) * std::size_t(size));
    out.alphas.reserve(std::size_t(size) * std::size_t(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum = 0.0;
            int hits = 0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const Sample s =
                        shade(style, (x + (i + 0.5) / kSamples) * scale, (y + (j + 0.5) / kSamples) * scale);
                    if (s.hit) {
                        sum += std::clamp(s.grey, 0.0, 255.0);
                        ++hits;
                    }
                }
            }
            // A pixel nothing covers is transparent black.
            out.greys.push_back(hits ? std::uint8_t(std::lround(sum / hits)) : 0);
            out.alphas.push_back(std::uint8_t(std::lround(255.0 * hits / (kSamples * kSamples))));
        }
    }
    return out;
}

} // namespace icon
