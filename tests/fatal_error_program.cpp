// SPDX-License-Identifier: MIT
// A program whose handler raises a runtime error outside error-skipping
// mode (an overflow, or what the first argument names: divide, bad_alloc,
// logic_error, empty_function). With --answer it reports the message box the
// runtime shows on standard output, then answers it; without, nobody answers.
#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

int main(int argc, char** argv)
{
    const bool answer = argc > 1 && std::strcmp(argv[1], "--answer") == 0;
    const std::string raise = argc > 1 && !answer ? argv[1] : "overflow";
    QApplication app(argc, argv);
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::printf("message: %s\n", qPrintable(box->text()));
            std::fflush(stdout);
            box->accept();
        }
    });
    if (answer)
        answering.start(20);
    QTimer::singleShot(0, [raise] {
        rt::runHandler([raise] {
            if (raise == "divide")
                rt::divide(1, 0);
            else if (raise == "bad_alloc")
                throw std::bad_alloc();
            else if (raise == "logic_error")
                throw std::logic_error("x");
            else if (raise == "empty_function")
                std::function<void()>()();
            else
                rt::toInteger(40000.0);
            std::printf("the handler went on\n");
        });
        std::printf("the program went on\n");
    });
    return QApplication::exec();
}
