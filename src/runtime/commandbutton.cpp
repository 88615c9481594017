// SPDX-License-Identifier: MIT
#include "commandbutton.h"

#include <QKeyEvent>

namespace rt {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QAbstractButton::clicked, this, &CommandButton::Click);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    // A button that is no default button would pass Enter on to the window.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace rt
