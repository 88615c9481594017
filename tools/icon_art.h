// SPDX-License-Identifier: MIT
#pragma once

// The art of the program icon: a grey helical screw rotor with its drive
// shaft, lying diagonally on white or on a transparent ground. Geometry is given in design units, the
// pixels of the 32-pixel icon; every other size is drawn from the same
// geometry with strokes and detail chosen for that size.

#include <cstdint>
#include <vector>

namespace icon {

constexpr double kPi = 3.14159265358979323846;
constexpr int kDesignSize = 32;

// The axis runs from the lower left to the upper right; u is measured along
// it from the rotor's lower-left end face, v across it (positive towards the
// lower right).
constexpr double kStartX = 6.5, kStartY = 25.5; // rotor end face centre, lower left
constexpr double kRotorLength = 20.5;
constexpr double kRotorRadius = 6.3;
constexpr double kJournalLength = 3.4; // bearing journal beyond the lower-left end
constexpr double kShaftLength = 9.5;   // drive shaft beyond the upper-right end

// What changes with the output size. Lengths are in design units.
struct Style {
    int lobes = 4;
    double lobeSpacing = 5.0; // lobe pitch along the axis on the front line
    // Shade of the surface: grooveShade in a groove, plus crestShade on a crest.
    double grooveShade = 0.36;
    double crestShade = 0.64;
    // Share of the rotor's light that reaches every side, and of the light
    // that depends on the side's angle to the lamp.
    double ambient = 0.30;
    double direct = 0.70;
    double rim = 0.9;     // dark outline of the rotor
    double endBand = 0.9; // darker bands at the rotor's end faces
    double shaftRadius = 2.3;
    double journalRadius = 2.6;
    // Shaft and journal: dark where |v| exceeds this share of their radius.
    double cylinderRimShare = 0.86;
    double keyHalfWidth = 0.55; // key seat along the shaft; 0: none
    double shaftEndBand = 0.8;
    // Large sizes: the rotor's outline follows the lobe tips, and a thin dark
    // line marks the bottom of each groove.
    double grooveLine = 0.0;
};

Style styleFor(int size);

// Rotor radius at axial position u on the upper (v < 0) or lower rim: the
// silhouette undulates where the lobe tips pass the rim.
double rimRadius(const Style& style, double u, bool lower);

// Lambert plus a little specular light from the upper left for a surface
// normal at angle theta around the axis (0 faces the viewer, positive towards
// the lower right).
double lit(double theta, double base, double highlight, double ambient = 0.30, double direct = 0.70);

// Grey of a plain cylinder (shaft, journal) at offset v across its axis,
// without its dark rim.
double cylinderShade(double v, double radius, double base, double highlight);

// Shading of the shaft and the journal: base grey and highlight.
constexpr double kShaftBase = 225.0, kShaftHighlight = 40.0;
constexpr double kJournalBase = 200.0, kJournalHighlight = 30.0;
constexpr double kBodyBase = 215.0, kBodyHighlight = 70.0;
constexpr double kRimGrey = 60.0;
constexpr double kEndFaceGrey = 95.0;
constexpr double kCylinderRimGrey = 80.0;
constexpr double kKeySeatGrey = 110.0;
constexpr double kCylinderEndGrey = 100.0;
constexpr double kKeySeatOffset = -0.4; // key seat centre across the shaft axis
constexpr double kKeySeatFrom = 2.5;    // key seat start beyond the rotor
constexpr double kKeySeatEndGap = 1.2;  // key seat end before the shaft end

// The icon at size x size pixels, supersampled 8 x 8 per pixel over white:
// one grey level per pixel, top row first. (The window icon.)
std::vector<std::uint8_t> render(int size);

// The icon at size x size pixels on a transparent ground, supersampled the
// same way: for each pixel, top row first, the mean grey of the samples that
// hit the rotor, shaft or journal, and the share of samples that hit them as
// an alpha of 0 to 255. (The desktop icons.)
struct Coverage {
    std::vector<std::uint8_t> greys;
    std::vector<std::uint8_t> alphas;
};
Coverage renderTransparent(int size);

} // namespace icon
