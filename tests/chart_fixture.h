// SPDX-License-Identifier: MIT
#pragma once

// Set-up shared by the tests that drive the real chart window: a fresh
// window for every test, its controls found by name, the chart pressed at
// its pixels. A runtime error ends the test program as it ends
// the program, with status 1: offscreen its name goes to standard error; on
// a real display the message box it shows is answered here, after its text
// has been written to standard error, so that no run waits for a person.

#include "testsupport.h"

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
        if (auto* delivery = find<rt::Label>("Label20"))
            QObject::connect(delivery, &rt::Label::foreColorChanged, [this] { ++evaluations; });
    }

    void closeWindow()
    {
        answering.stop();
        answering.disconnect();
        w.reset();
    }

    // The control of the window named `name`; nullptr, the test failed with
    // the name, when there is none.
    template <class T = QWidget>
    T* find(const char* name, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        return testsupport::find<T>(w.get(), name, where);
    }

    QString text(const char* name, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        QWidget* control = find(name, where);
        return control ? control->property("text").toString() : QString();
    }
    void setText(const char* name, const QString& text, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        if (auto* box = find<rt::TextBox>(name, where))
            box->setText(text);
    }
    void click(const char* name, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        if (auto* button = find<rt::CommandButton>(name, where))
            button->click();
    }

    // Mouse events on the chart at chart pixel `chart`, at the pixel's
    // centre: the picture box has a one-pixel border.
    static QPointF onChart(QPointF chart) { return chart + QPointF(1.5, 1.5); }
    void chartMouse(QEvent::Type type, QPointF chart, Qt::MouseButton button, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers mods = {})
    {
        testsupport::sendMouse(Picture1, type, onChart(chart), button, buttons, mods);
    }
    void chartClick(QPointF chart, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        testsupport::sendClick(Picture1, onChart(chart), button, mods);
    }
};
