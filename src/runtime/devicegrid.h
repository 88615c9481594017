// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>

#include <vector>

namespace rt {

// How whole logical pixels of a control land on whole device pixels at a
// fractional screen scale. Logical pixel i covers the device pixels
// [round(i * scale + origin), round((i + 1) * scale + origin)), halves rounded
// up, with origin the device position of the control's logical (0, 0).
// Drawing and the mouse both go through this one table, so that a press
// always selects the pixel drawn under the pointer, and neighbouring pixels
// meet without gaps.
class DeviceGrid {
public:
    DeviceGrid(qreal scale, QPointF origin) : scale_(scale), origin_(origin) {}

    // The first device column (row) of logical column (row) i.
    int edgeX(int i) const { return edge(i, origin_.x()); }
    int edgeY(int i) const { return edge(i, origin_.y()); }

    // The logical pixel covering a device position (device pixels, possibly
    // fractional).
    QPoint cellAt(QPointF device) const { return {cell(device.x(), origin_.x()), cell(device.y(), origin_.y())}; }

    // For each device column (row) from edgeX(first) up to edgeX(first + count),
    // the logical column (row) covering it.
    std::vector<int> columns(int first, int count) const { return cells(first, count, origin_.x()); }
    std::vector<int> rows(int first, int count) const { return cells(first, count, origin_.y()); }

private:
    int edge(int i, qreal origin) const;
    int cell(qreal device, qreal origin) const;
    std::vector<int> cells(int first, int count, qreal origin) const;

    qreal scale_;
    QPointF origin_;
};

} // namespace rt
