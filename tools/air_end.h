// SPDX-License-Identifier: MIT
#pragma once

// Dimensions of the KRTd258 air end in millimetres, along the shaft from its
// end face and across it from the shaft axis.

namespace air_end {

constexpr double shaftR = 27.5;         // shaft 55 k6
constexpr double chamfer = 2.0;         // shaft end chamfer
constexpr double keyStart = 5.0;        // keyway starts this far from the end face
constexpr double keyLength = 63.0;      // keyway length over its round ends
constexpr double keyHalfWidth = 8.0;    // key 16 P9
constexpr double keySeatR = 21.5;       // keyway bottom from the axis (depth 6)
constexpr double keyTopR = 31.5;        // fitted key: 59 over shaft and key
constexpr double spigotFace = 80.0;     // spigot face
constexpr double flangeFace = 84.0;     // flange face
constexpr double flangeBack = 109.0;    // back of the flange plate
constexpr double spigotR = 50.0;        // spigot 100
constexpr double flangeHalf = 75.0;     // square flange 150
constexpr double flangeChamfer = 6.0;   // its corners, seen from the drive side
constexpr double pitchR = 80.0;         // bolt circle 160
constexpr double boltHoleR = 6.5;       // bolt holes on the pitch circle
constexpr double housingTop = 80.0;     // housing top above the axis
constexpr double housingBottom = -53.0; // housing bottom below the axis
constexpr double rotorHousingEnd = 262.0;
constexpr double dischargeTop = 70.0;
constexpr double dischargeBottom = -45.0;
constexpr double dischargeEnd = 318.0;
constexpr double coverTop = 50.0;
constexpr double coverBottom = -32.0;
constexpr double coverEnd = 328.0;
constexpr double tapX = 185.0; // tapped hole M16 in the housing top
constexpr double tapR = 8.0;
constexpr double tapDepth = 24.0;
constexpr double cogX = 40.0; // centre of gravity from the shaft axis,
constexpr double cogY = 20.0; // seen from the drive side
// Housing outline seen from the drive side (beyond the flange).
constexpr double endHousingLeft = -60.0;
constexpr double endHousingRight = 122.0;

} // namespace air_end
