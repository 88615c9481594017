// SPDX-License-Identifier: MIT
#include "ui/application.h"
#include "ui/chartwindow.h"

#include <QApplication>

#include <cstdio>

namespace {

// Whether Qt will find a display: one named by the environment, or a
// platform chosen on purpose. Without one, Qt would end the program with an
// abort and a message about reinstalling it.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int, char** argv)
{
    if (!displayAvailable()) {
        std::fputs("krtd258: no display is available; start it from a graphical desktop session.\n", stderr);
        return 1;
    }
    ui::prepareApplication();
    // The program takes no command line: Qt sees only the program name.
    int argc = 1;
    char name[] = "krtd258";
    char* args[] = {argv && argv[0] ? argv[0] : name, nullptr};
    QApplication app(argc, args);
    ui::setUpApplication();
    ui::ChartWindow window;
    window.show();
    return QApplication::exec();
}
