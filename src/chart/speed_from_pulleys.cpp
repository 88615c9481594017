// SPDX-License-Identifier: MIT
#include "form1.h"
#include "geometry.h"

#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <cmath>
#include <optional>

namespace chart {

using rt::Integer;

using namespace geometry;
using rt::intFloor;
using rt::subtract;
using rt::toInteger;

namespace {

// The lenient read of a box; a number beyond the Double range is refused
// like any other out-of-range value.
std::optional<double> readBox(const rt::TextBox* box)
{
    try {
        return rt::val(box->text());
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
}

// v within 0 < v <= limit, tested on the number as read.
bool accepted(const std::optional<double>& v, double limit)
{
    return v && *v > 0 && *v <= limit;
}

} // namespace

// Turns a motor speed and the two pulleys of a belt drive into the air-end
// speed, and moves the speed bar to it when it lies on the chart. Stops
// silently at the first box whose value is refused.
void Form1::Command2_Click()
{
    // 1, 2. The motor speed, stored rounded down.
    const std::optional<double> motorRpm = readBox(Text3);
    if (!accepted(motorRpm, 32767))
        return;
    MotorRpm = toInteger(intFloor(*motorRpm));

    // 3, 4. The motor pulley, stored rounded down.
    const std::optional<double> motorPulley = readBox(Text4);
    if (!accepted(motorPulley, 500))
        return;
    MotorPulley = toInteger(intFloor(*motorPulley));

    // 5, 6. The air-end pulley, stored rounded down.
    const std::optional<double> airEndPulley = readBox(Text5);
    if (!accepted(airEndPulley, 500))
        return;
    AirEndPulley = toInteger(intFloor(*airEndPulley));

    // An air-end pulley below 1 is stored as 0: there is no ratio.
    if (AirEndPulley == 0)
        return;

    // 7. The pulley ratio first, then the motor speed; rounded half to even.
    const double speed = double(MotorPulley) / double(AirEndPulley) * double(MotorRpm);
    // A speed that does not fit an Integer, or one below the chart's first
    // bar position, is refused like an input out of range: nothing changes.
    if (std::nearbyint(speed) > 32767)
        return;
    const Integer rpm = toInteger(speed);
    if (toInteger(subtract(rpm, LowestRpm) / RpmPerStep) < 0)
        return;
    AirEndRpm = rpm;

    // 8. Above the chart: the speed is kept, the bar stays.
    if (AirEndRpm > HighestRpm)
        return;

    // 9. The speed bar to the speed.
    HScroll1->assignValue(toInteger(subtract(AirEndRpm, LowestRpm) / RpmPerStep));
}

} // namespace chart
