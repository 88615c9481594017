// SPDX-License-Identifier: MIT
#include "application.h"

#include "runtime/style.h"

#include <QApplication>

namespace ui {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

// Whether the program runs in a Wayland session, natively or through
// XWayland: the platform named is Wayland's, or the session is one.
bool waylandSession()
{
    return qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("wayland")) ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

} // namespace
#endif

void prepareApplication()
{
    // A scale Qt derives from an X11 screen's resolution is rounded to a
    // whole factor, so that every chart pixel stays a whole block. A scale
    // the desktop chooses is taken as given: a factor it gives for the
    // screens (QT_SCREEN_SCALE_FACTORS, as X11 desktops with fractional
    // scaling set it; Qt 6.4 takes it whatever the policy, later versions
    // round it too unless the policy passes it through), the scale of a
    // Wayland compositor (fractional where it offers wp_fractional_scale_v1,
    // which Qt asks for only when the factor is passed through; XWayland's
    // resolution there is the compositor's choice too) and the scale of the
    // other systems. (QT_SCALE_FACTOR is never rounded.)
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const bool desktopChooses = !qEnvironmentVariableIsEmpty("QT_SCREEN_SCALE_FACTORS") || waylandSession();
#else
    const bool desktopChooses = true;
#endif
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(desktopChooses
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
