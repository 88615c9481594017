// SPDX-License-Identifier: MIT
#include "devicegrid.h"

#include <algorithm>
#include <cmath>

namespace rt {

int DeviceGrid::edge(int i, qreal origin) const
{
    return int(std::floor(i * scale_ + origin + 0.5));
}

int DeviceGrid::cell(qreal device, qreal origin) const
{
    // A device pixel's position comes back from logical coordinates as
    // d / scale * scale, short of or past d by what the logical position
    // lost: a rounding error, or on Wayland, whose positions are in 1/256 of
    // a logical pixel, up to a whole 1/256 (sway 1.10 hands the pointer on
    // logical pixel 37 over as 36.99609375). Within 2/256 of a logical pixel
    // of a whole device position the pointer is on that device pixel.
    const qreal nearest = std::round(device);
    const qreal tolerance = std::max(1e-6, scale_ / 128);
    const int d = int(std::abs(device - nearest) < tolerance ? nearest : std::floor(device));
    int i = int(std::floor((d + 0.5 - origin) / scale_));
    while (edge(i, origin) > d)
        --i;
    while (edge(i + 1, origin) <= d)
        ++i;
    return i;
}

std::vector<int> DeviceGrid::cells(int first, int count, qreal origin) const
{
    std::vector<int> out;
    if (count <= 0)
        return out;
    out.reserve(size_t(edge(first + count, origin) - edge(first, origin)));
    for (int i = first; i < first + count; ++i)
        out.insert(out.end(), size_t(edge(i + 1, origin) - edge(i, origin)), i);
    return out;
}

} // namespace rt
