// SPDX-License-Identifier: MIT
// A program whose handler raises a runtime error outside error-skipping
// mode (an overflow, or what the first argument names: divide, bad_alloc,
// logic_error, empty_function; or an overflow in the handler of a control's
// event: click, change, press). With --answer it reports the message box the
// runtime shows on standard output, then answers it; without, nobody answers.
#include "runtime/controls.h"
#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
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
    // A control whose event's handler overflows, raised as the user would.
    rt::CommandButton button;
    rt::ScrollBar bar(Qt::Horizontal);
    rt::PictureBox box(rt::PictureBox::Border::Flat);
    const auto overflow = [] {
        rt::toInteger(40000.0);
        std::printf("the handler went on\n");
    };
    rt::connectHandler(&button, &rt::CommandButton::Click, overflow);
    rt::connectHandler(&bar, &rt::ScrollBar::Change, overflow);
    rt::connectHandler(&box, &rt::PictureBox::MouseDown,
                       [overflow](rt::Integer, rt::Integer, rt::Single, rt::Single) { overflow(); });
    if (raise == "click" || raise == "change" || raise == "press") {
        QTimer::singleShot(0, [&] {
            if (raise == "click") {
                button.click();
            } else if (raise == "change") {
                bar.setMax(10);
                bar.assignValue(3);
            } else {
                box.resize(50, 50);
                QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(&box, &press);
            }
            std::printf("the program went on\n");
        });
        return QApplication::exec();
    }
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
