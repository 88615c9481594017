// SPDX-License-Identifier: MIT
#include "errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace rt {

QString RuntimeError::name() const
{
    return QString::fromLatin1(what());
}

const char* RuntimeError::what() const noexcept
{
    switch (kind_) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::DivisionByZero:
        return "Division by zero";
    case ErrorKind::InvalidOperation:
        return "Invalid floating-point operation";
    case ErrorKind::TypeMismatch:
        return "Type mismatch";
    case ErrorKind::InvalidPropertyValue:
        return "Invalid property value";
    case ErrorKind::OutOfMemory:
        return "Out of memory";
    case ErrorKind::Internal:
        return "Internal error";
    }
    return "Runtime error";
}

void raiseError(ErrorKind kind)
{
    throw RuntimeError(kind);
}

namespace {

bool programEnding = false;

// Whether a person can see and answer a message box: a real display, not
// Qt's offscreen or minimal platform.
bool someoneCanAnswer()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void showAndExit(const RuntimeError& error)
{
    programEnding = true;
    if (someoneCanAnswer()) {
        QWidget* parent = QApplication::activeWindow();
        QMessageBox::critical(parent, QString(), QStringLiteral("Runtime error: ") + error.name());
    } else {
        std::fprintf(stderr, "Runtime error: %s\n", error.what());
    }
    // The program ends here: nothing of the failed handler or of any other
    // window may run after the message.
    std::fflush(nullptr);
    std::_Exit(1);
}

} // namespace

void runHandler(const std::function<void()>& handler)
{
    if (programEnding)
        return;
    try {
        handler();
    } catch (const RuntimeError& error) {
        showAndExit(error);
    } catch (const std::bad_alloc&) {
        showAndExit(RuntimeError(ErrorKind::OutOfMemory));
    } catch (...) {
        showAndExit(RuntimeError(ErrorKind::Internal));
    }
}

} // namespace rt
