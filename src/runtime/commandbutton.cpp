// SPDX-License-Identifier: MIT
#include "commandbutton.h"

#include "errors.h"

namespace rt {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Click)
            runHandler(Click);
    });
}

} // namespace rt
