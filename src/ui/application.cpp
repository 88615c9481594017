// SPDX-License-Identifier: MIT
#include "application.h"

#include "runtime/style.h"

#include <QApplication>

namespace ui {

void prepareApplication()
{
    // Integer scale factors only, so that every chart pixel stays a whole block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

void setUpApplication()
{
    // The application name is also the X11 window class (WM_CLASS), which the
    // desktop file's StartupWMClass names; the desktop file name lets Wayland
    // compositors find the installed desktop file and its icon.
    QCoreApplication::setApplicationName(QStringLiteral("krtd258"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("krtd258.org"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KRTD258_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KRTD258_APP_ID));
    QApplication::setStyle(new rt::FormStyle); // the application owns its style
}

} // namespace ui
