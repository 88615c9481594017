// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace rt {

// Work a control puts off until the handler that changed it has finished,
// so that what it shows is brought up to date once, from its final values: a
// property set twice, or set and put back, repaints once or not at all. The
// work is queued at normal priority, ahead of the window's update request,
// which Qt posts at low priority, so the change still reaches the next frame.
// A control deleted in between drops the work.
class PendingUpdate {
public:
    template <class Work>
    void request(QObject* control, Work work)
    {
        if (pending_)
            return;
        pending_ = true;
        QMetaObject::invokeMethod(
            control,
            [this, work] {
                pending_ = false;
                work();
            },
            Qt::QueuedConnection);
    }

    // Whether the work is queued and has not run yet.
    bool pending() const { return pending_; }

private:
    bool pending_ = false;
};

} // namespace rt
