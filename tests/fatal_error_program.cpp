// A program whose handler raises a runtime error outside error-skipping
// mode. It reports the message the runtime shows, then answers it.
#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::printf("message: %s\n", qPrintable(box->text()));
            std::fflush(stdout);
            box->accept();
        }
    });
    answer.start(20);
    QTimer::singleShot(0, [] {
        rt::runHandler([] {
            rt::toInteger(40000.0);
            std::printf("the handler went on\n");
        });
        std::printf("the program went on\n");
    });
    return QApplication::exec();
}
