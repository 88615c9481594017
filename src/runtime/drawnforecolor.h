// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"
#include "pendingupdate.h"

#include <QPalette>

class QEvent;
class QWidget;

namespace rt {

// The ForeColor of a control that shows text, drawn in the control's
// palette in its text role over its background role. The colour is drawn
// once the handler that set it has finished, so that a figure set black and
// then red again is not repainted, and drawn anew on a new colour scheme.
// Until it is first set, the control shows the scheme's text colour.
class DrawnForeColor {
public:
    DrawnForeColor(QWidget* control, QPalette::ColorRole text, QPalette::ColorRole background)
        : control_(control), text_(text), background_(background)
    {
    }

    Long value() const { return value_; }
    void set(Long color);
    // Other roles, drawn at once if the colour has been set.
    void setRoles(QPalette::ColorRole text, QPalette::ColorRole background);
    // To be called from the control's changeEvent().
    void changed(const QEvent* event);

private:
    void draw();

    QWidget* control_;
    QPalette::ColorRole text_, background_;
    Long value_ = 0;
    bool set_ = false;
    PendingUpdate pending_;
};

} // namespace rt
