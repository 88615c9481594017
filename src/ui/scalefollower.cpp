// SPDX-License-Identifier: MIT
#include "scalefollower.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace ui {

ScaleFollower::ScaleFollower(QWidget* window)
    : QObject(window), window_(window), logical_(window->size()), ratio_(window->devicePixelRatioF())
{
    window->installEventFilter(this);
    if (window->windowHandle())
        watch(window->windowHandle());
}

void ScaleFollower::watch(QWindow* handle)
{
    if (handle == handle_)
        return;
    if (handle_)
        disconnect(handle_, nullptr, this, nullptr);
    handle_ = handle;
    connect(handle, &QWindow::screenChanged, this, &ScaleFollower::follow);
}

bool ScaleFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::WinIdChange:
        case QEvent::Show:
            // A window first shown on a screen of another scale than the
            // one it was laid out at (placed there by the window manager)
            // has already changed screens.
            if (window_->windowHandle()) {
                watch(window_->windowHandle());
                follow(window_->windowHandle()->screen());
            }
            break;
        case QEvent::Resize: {
            // A size given at the scale the window has (by the program, the
            // user or the window manager) is the one to keep; the one Qt
            // derives from the native size at a new scale is not. Qt 6.4
            // gives that size once the window has its new scale, Qt 6.8
            // just before, when the window's centre is already on a screen
            // of the new scale (or, between screens of different scale, on
            // none).
            // Qt 6.8 and 6.11 may also give it while the window's position is
            // still the old one (its centre still on the old screen): a size
            // that is the kept one at another screen's scale is a derived one.
            const QScreen* under = QGuiApplication::screenAt(window_->geometry().center());
            if (!restoring_ && window_->devicePixelRatioF() == ratio_ && under && under->devicePixelRatio() == ratio_ &&
                !rescaled(window_->size()))
                logical_ = window_->size();
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool ScaleFollower::rescaled(QSize size) const
{
    const auto near = [](qreal a, int b) { return std::abs(a - b) <= 1; };
    // Either way: the native size at the kept one read at the other scale
    // (the window moved onto that screen), or the native size made for the
    // other scale read at the kept one (Qt 6.11 under load).
    for (const QScreen* screen : QGuiApplication::screens()) {
        const qreal factor = ratio_ / screen->devicePixelRatio();
        if (factor == 1)
            continue;
        for (const qreal f : {factor, 1 / factor}) {
            if (near(logical_.width() * f, size.width()) && near(logical_.height() * f, size.height()))
                return true;
        }
    }
    return false;
}

void ScaleFollower::follow(QScreen* screen)
{
    if (!screen || screen->devicePixelRatio() == ratio_ || restoring_)
        return;
    // Qt 6.4 applies the new screen's geometry after this signal, which
    // would overwrite a size set now: it is set once the events are handled.
    restoring_ = true;
    QTimer::singleShot(0, this, &ScaleFollower::restore);
}

void ScaleFollower::restore()
{
    restoring_ = false;
    ratio_ = window_->devicePixelRatioF();
    QWindow* handle = window_->windowHandle();
    if (!handle || window_->isMaximized() || window_->isFullScreen())
        return;
    // The window's geometry as its native size makes it at the new scale:
    // Qt 6.4 also gives the widget that size, Qt 6.8 keeps the widget's.
    const QRect now = handle->geometry();
    if (now.size() == logical_)
        return;
    QRect wanted(QPoint(0, 0), logical_);
    wanted.moveCenter(now.center());
    if (QScreen* screen = handle->screen()) {
        const QRect area = screen->geometry();
        const auto open = [](QPoint p) { return QGuiApplication::screenAt(p) != nullptr; };
        if (wanted.right() > area.right() && !open(QPoint(area.right() + 1, area.center().y())))
            wanted.moveRight(area.right());
        if (wanted.bottom() > area.bottom() && !open(QPoint(area.center().x(), area.bottom() + 1)))
            wanted.moveBottom(area.bottom());
        if (wanted.left() < area.left() && !open(QPoint(area.left() - 1, area.center().y())))
            wanted.moveLeft(area.left());
        if (wanted.top() < area.top() && !open(QPoint(area.center().x(), area.top() - 1)))
            wanted.moveTop(area.top());
    }
    // Where the widget already has the size (Qt 6.8), its own setGeometry()
    // would change nothing: the window itself is given it.
    if (window_->size() != logical_)
        window_->setGeometry(wanted);
    else
        handle->setGeometry(wanted);
}

} // namespace ui
