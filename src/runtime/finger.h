// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>

#include <optional>

class QTouchEvent;

namespace rt {

// The one finger that works a control on a touch screen: the first to touch
// it, followed until it lifts or the touch is cancelled. Other fingers (a
// second one, a palm resting beside it) are ignored.
class Finger {
public:
    enum class Step { Down, Moved };
    struct Move {
        Step step;
        QPointF position;       // in the control
        QPointF globalPosition; // on the screen
    };

    // What a touch event does with the finger, if anything.
    std::optional<Move> follow(const QTouchEvent* event);

private:
    int id_ = -1; // none down
    QPointF last_;
};

} // namespace rt
