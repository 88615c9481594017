// SPDX-License-Identifier: MIT
#pragma once

#include <Qt>

class QPainter;
class QWidget;

namespace rt {

// The focus ring of a control whose style draws none (scroll bars, picture
// boxes): a one-pixel line in the palette's highlight colour along the
// control's edge. Like a browser's visible focus it shows when the focus
// came from the keyboard, or once a key is pressed on the control, not when
// a mouse press took the focus; so pointing and clicking look as ever.
class FocusRing {
public:
    void focusIn(QWidget* control, Qt::FocusReason reason);
    void focusOut(QWidget* control);
    void keyPressed(QWidget* control);
    void paint(const QWidget* control, QPainter& painter) const;

private:
    bool shown_ = false;
};

} // namespace rt
