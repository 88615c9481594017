// SPDX-License-Identifier: MIT
#include "finger.h"

#include <QTouchEvent>

namespace rt {

std::optional<Finger::Move> Finger::follow(const QTouchEvent* event)
{
    if (event->type() == QEvent::TouchCancel) {
        id_ = -1;
        return std::nullopt;
    }
    std::optional<Move> move;
    for (const QEventPoint& p : event->points()) {
        if (id_ < 0 && p.state() == QEventPoint::State::Pressed) {
            id_ = p.id();
            last_ = p.position();
            move = Move{Step::Down, p.position(), p.globalPosition()};
            continue;
        }
        if (p.id() != id_ || move)
            continue;
        if (p.position() != last_) {
            last_ = p.position();
            move = Move{Step::Moved, p.position(), p.globalPosition()};
        }
        if (p.state() == QEventPoint::State::Released)
            id_ = -1;
    }
    if (event->type() == QEvent::TouchEnd)
        id_ = -1;
    return move;
}

} // namespace rt
