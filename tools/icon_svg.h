// SPDX-License-Identifier: MIT
#pragma once

// The program icon as a scalable SVG 1.1 drawing, from the same geometry as
// the pixel icons.

#include <string>

namespace icon {

// The whole SVG document, 32 x 32 user units (the design units) on a
// transparent ground.
std::string svgDocument();

} // namespace icon
