// SPDX-License-Identifier: MIT
#include "application.h"

#include "runtime/style.h"

#include <QApplication>

namespace ui {

void prepareApplication()
{
    // A scale Qt derives from the screen's resolution is rounded to a whole
    // factor, so that every chart pixel stays a whole block. A factor the
    // desktop or the user gives for the screens (QT_SCREEN_SCALE_FACTORS,
    // as desktops with fractional scaling set it) is taken as given: Qt 6.4
    // does so whatever the policy, later versions round it too unless the
    // policy passes it through. (QT_SCALE_FACTOR is never rounded.)
    const bool screenFactorsGiven = !qEnvironmentVariableIsEmpty("QT_SCREEN_SCALE_FACTORS");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(screenFactorsGiven
                                                             ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
                                                             : Qt::HighDpiScaleFactorRoundingPolicy::Round);
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
