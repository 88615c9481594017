// SPDX-License-Identifier: MIT
// Generates the window icon: a 32 x 32 pixel, 24-bit BMP showing a grey
// helical screw rotor with its drive shaft, lying diagonally on white.
//
//   make_icon [output.bmp]      (default: assets/icon.bmp)
//
// The rotor is ray-cast as a lit cylinder whose surface carries helical lobes,
// sampled 8 x 8 times per pixel and laid over white; every pixel is a pure
// grey and the file has no alpha.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bmp_writer.h"

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 8;
constexpr double kPi = 3.14159265358979323846;

// Geometry in pixels. The axis runs from the lower left to the upper right;
// u is measured along it from the rotor's lower-left end face, v across it.
constexpr double kStartX = 6.5, kStartY = 25.5; // rotor end face centre, lower left
constexpr double kRotorLength = 20.5;
constexpr double kRotorRadius = 6.3;
constexpr double kJournalLength = 3.4; // bearing journal beyond the lower-left end
constexpr double kJournalRadius = 2.6;
constexpr double kShaftLength = 9.5; // drive shaft beyond the upper-right end
constexpr double kShaftRadius = 2.3;
constexpr int kLobes = 4;
constexpr double kLobeSpacing = 5.0; // lobe pitch along the axis on the front line

struct Sample {
    bool hit = false;
    double grey = 255.0;
};

// Lambert plus a little specular light from the upper left, for a surface
// normal given by the angle theta around the axis (0 faces the viewer,
// positive towards the lower right).
double lit(double theta, double base, double highlight)
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
    return base * (0.30 + 0.70 * diffuse) + highlight * specular;
}

// A plain cylinder (shaft, journal): theta from the offset across the axis.
double cylinderGrey(double v, double radius, double base, double highlight, double rimLevel)
{
    const double s = std::clamp(v / radius, -1.0, 1.0);
    if (std::abs(s) > 0.86)
        return rimLevel;
    return lit(std::asin(s), base, highlight);
}

Sample shade(double px, double py)
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
        // The silhouette undulates where the lobe tips pass the rim.
        const double rimTheta = v >= 0 ? kPi / 2 : -kPi / 2;
        const double rimPhase = kLobes * rimTheta + 2.0 * kPi * u / kLobeSpacing;
        const double radius = kRotorRadius * (0.92 + 0.08 * (0.5 + 0.5 * std::cos(rimPhase)));
        if (std::abs(v) <= radius) {
            s.hit = true;
            const double sv = std::clamp(v / kRotorRadius, -1.0, 1.0);
            const double theta = std::asin(sv);
            const double phase = kLobes * theta + 2.0 * kPi * u / kLobeSpacing;
            // 1 on a lobe crest, 0 in the groove between two lobes; the
            // flanks are steep, the crests broad.
            const double crest = std::pow(0.5 + 0.5 * std::cos(phase), 0.6);
            // Lobe flanks tilt the surface normal along the helix.
            const double tilt = 0.55 * std::sin(phase);
            double g = lit(theta + tilt * 0.6, 215.0, 70.0);
            g *= 0.36 + 0.64 * crest;
            // Dark rim, and the two end faces as darker bands.
            if (std::abs(v) > radius - 0.9)
                g = 60.0;
            else if (u < 0.9 || u > kRotorLength - 0.9)
                g = std::min(g, 95.0);
            s.grey = g;
            return s;
        }
        return s;
    }
    // Drive shaft at the upper right, with a darker key seat along its middle.
    if (u > kRotorLength && u <= kRotorLength + kShaftLength && std::abs(v) <= kShaftRadius) {
        s.hit = true;
        s.grey = cylinderGrey(v, kShaftRadius, 225.0, 40.0, 80.0);
        const double keyFrom = kRotorLength + 2.5, keyTo = kRotorLength + kShaftLength - 1.2;
        if (u > keyFrom && u < keyTo && std::abs(v + 0.4) < 0.55)
            s.grey = 110.0;
        if (u > kRotorLength + kShaftLength - 0.8)
            s.grey = std::min(s.grey, 100.0);
        return s;
    }
    // Bearing journal at the lower left.
    if (u < 0.0 && u >= -kJournalLength && std::abs(v) <= kJournalRadius) {
        s.hit = true;
        s.grey = cylinderGrey(v, kJournalRadius, 200.0, 30.0, 80.0);
        if (u < -kJournalLength + 0.8)
            s.grey = std::min(s.grey, 100.0);
        return s;
    }
    return s;
}

std::array<std::array<int, kSize>, kSize> render()
{
    std::array<std::array<int, kSize>, kSize> img{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double sum = 0.0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const Sample s = shade(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples);
                    sum += s.hit ? std::clamp(s.grey, 0.0, 255.0) : 255.0;
                }
            }
            img[y][x] = int(std::lround(sum / (kSamples * kSamples)));
        }
    }
    return img;
}

// Every pixel as a colour value (blue * 65536 + green * 256 + red) of its grey.
std::vector<std::uint32_t> colourValues(const std::array<std::array<int, kSize>, kSize>& img)
{
    std::vector<std::uint32_t> colours;
    colours.reserve(kSize * kSize);
    for (const auto& row : img)
        for (int g : row)
            colours.push_back(std::uint32_t(g) * 0x010101u);
    return colours;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : "assets/icon.bmp";
    if (!bmp::writeFile(path, bmp::encodeColour(kSize, kSize, colourValues(render()), {}))) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", path.c_str());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
