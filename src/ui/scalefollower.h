// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

class QScreen;
class QWidget;
class QWindow;

namespace ui {

// Keeps a top-level window's size in logical pixels when it moves onto a
// screen of another scale. On X11 Qt keeps the native size instead (it
// resizes only on Windows, on a DPI change): moved from a screen of scale 1
// onto one of scale 2 the window would show its top-left quarter. Once Qt
// has taken the new screen, the window gets its logical size back, about
// its centre, so that the centre and with it the screen stay where they
// are; on a side where the screen has no neighbour, it is kept from growing
// off the desktop.
class ScaleFollower : public QObject {
    Q_OBJECT
public:
    // Follows the window from now on; a child of the window.
    explicit ScaleFollower(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWindow* handle);
    void follow(QScreen* screen);
    void restore();
    // Whether size is the kept logical size rescaled by the ratio of its scale
    // to another screen's, either way.
    bool rescaled(QSize size) const;

    QWidget* window_;
    QPointer<QWindow> handle_;
    QSize logical_;   // the size last given at the current scale
    qreal ratio_ = 0; // that scale
    bool restoring_ = false;
};

} // namespace ui
