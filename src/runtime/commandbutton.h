// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

namespace rt {

// Command button with its Click handler; never a default button. Enter or
// Return on the focused button clicks it, as Space does.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

signals:
    // The button was clicked: by the mouse, Space, Enter or Return
    // (connectHandler()).
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rt
