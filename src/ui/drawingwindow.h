// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/controls.h"

#include <QWidget>

namespace ui {

// The drawing window: the dimension drawing of the air end in a picture box.
// No state and no handlers of its own.
class DrawingWindow : public QWidget {
    Q_OBJECT
public:
    DrawingWindow();

    // Shows the window non-modal: as laid out when it had been closed,
    // restored when minimised, and brought to the front.
    void showAgain();

private:
    rt::PictureBox* Picture1;
};

} // namespace ui
