// SPDX-License-Identifier: MIT
#pragma once

#include "handler.h"

#include <QPushButton>

namespace rt {

// Command button with its Click handler; never a default button.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);
    Handler Click;
};

} // namespace rt
