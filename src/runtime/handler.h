// SPDX-License-Identifier: MIT
#pragma once

#include "errors.h"

#include <QObject>

namespace rt {

// Connects a control's event (one of its signals) to its handler, which
// runs inside the runtime's error boundary: a runtime error ends the
// handler there, and never unwinds into Qt's signal code. Every handler of
// a control's event is connected this way.
//   rt::connectHandler(HScroll1, &rt::ScrollBar::Change, &form, &chart::Form1::HScroll1_Change);
template <class Control, class... EventArgs, class Receiver, class... HandlerArgs>
QMetaObject::Connection connectHandler(Control* control, void (Control::*event)(EventArgs...), Receiver* receiver,
                                       void (Receiver::*handler)(HandlerArgs...))
{
    return QObject::connect(control, event, control, [receiver, handler](EventArgs... args) {
        runHandler([&] { (receiver->*handler)(args...); });
    });
}

// The same for a handler that is a function object.
template <class Control, class... EventArgs, class Handler>
QMetaObject::Connection connectHandler(Control* control, void (Control::*event)(EventArgs...), Handler handler)
{
    return QObject::connect(control, event, control,
                            [handler](EventArgs... args) { runHandler([&] { handler(args...); }); });
}

} // namespace rt
