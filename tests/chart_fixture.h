// SPDX-License-Identifier: MIT
#pragma once

// Set-up shared by the tests that drive the real chart window: a fresh
// window for every test. A runtime error ends the test program as it ends
// the program, with status 1: offscreen its name goes to standard error; on
// a real display the message box it shows is answered here, after its text
// has been written to standard error, so that no run waits for a person.

#include "runtime/errors.h"
#include "ui/chartwindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <memory>

class ChartFixture {
protected:
    std::unique_ptr<ui::ChartWindow> w;
    rt::ScrollBar* H = nullptr;
    rt::ScrollBar* V = nullptr;
    rt::Line* Line1 = nullptr;
    rt::Line* Line2 = nullptr;
    rt::ShapeControl* Shape2 = nullptr;
    rt::PictureBox* Picture1 = nullptr;
    int evaluations = 0; // evaluations since the window opened
    QTimer answering;

    void openWindow()
    {
        QObject::connect(&answering, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::fprintf(stderr, "the program would end with the message: %s\n", qPrintable(box->text()));
                box->accept();
            }
        });
        answering.start(50);
        w = std::make_unique<ui::ChartWindow>();
        H = find<rt::ScrollBar>("HScroll1");
        V = find<rt::ScrollBar>("VScroll1");
        Line1 = find<rt::Line>("Line1");
        Line2 = find<rt::Line>("Line2");
        Shape2 = find<rt::ShapeControl>("Shape2");
        Picture1 = find<rt::PictureBox>("Picture1");
        // Every evaluation gives the delivery the pressure's colour, once.
        evaluations = 0;
        QObject::connect(find<rt::Label>("Label20"), &rt::Label::foreColorChanged, [this] { ++evaluations; });
    }

    void closeWindow()
    {
        answering.stop();
        answering.disconnect();
        w.reset();
    }

    template <class T = QWidget>
    T* find(const char* name)
    {
        auto* found = w->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    QString text(const char* name) { return find(name)->property("text").toString(); }
};
