// SPDX-License-Identifier: MIT
// The two windows together: the single drawing window, Close, and closing
// the chart window through its frame.
#include "testsupport.h"

#include "runtime/errors.h"
#include "ui/chartwindow.h"
#include "ui/drawingwindow.h"

#include <QtTest>

// Counts the requests to end the program that Qt makes when the last window
// closes: a Quit event to the application.
class QuitRequests : public QObject {
public:
    QuitRequests() { qApp->installEventFilter(this); }
    ~QuitRequests() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit)
            ++count;
        return false;
    }
};

class TestWindows : public QObject {
    Q_OBJECT

    static int visibleWindows(const QString& name)
    {
        int n = 0;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == name && t->isVisible())
                ++n;
        return n;
    }
    // The drawing window, found like any top-level window, by its name.
    static ui::DrawingWindow* drawingWindow()
    {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == QLatin1String("Form6"))
                return qobject_cast<ui::DrawingWindow*>(t);
        return nullptr;
    }
    // A button of the chart window, clicked; the test fails with its name
    // when there is none.
    static void click(ui::ChartWindow& w, const char* name,
                      testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        if (auto* button = testsupport::find<QPushButton>(&w, name, where))
            button->click();
    }

private slots:
    void cleanup()
    {
        // The drawing window lives no longer than the chart window.
        QCOMPARE(drawingWindow(), nullptr);
    }

    void drawingWindowLayout()
    {
        ui::ChartWindow w;
        w.show();
        click(w, "Command4");
        ui::DrawingWindow* d = drawingWindow();
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral(" KRTd258"));
        QCOMPARE(d->size(), QSize(580, 481));
        QVERIFY(!d->parentWidget());
        QVERIFY(!d->isModal());
        QVERIFY(!d->windowIcon().isNull());
        FIND(QFrame, p, d, "Picture1");
        QCOMPARE(p->geometry(), QRect(8, 8, 564, 455));
        QCOMPARE(p->frameWidth(), 2);
        QCOMPARE(p->frameShadow(), QFrame::Sunken);
        QCOMPARE(p->contentsRect().size(), QSize(560, 451));
        d->resize(900, 700);
        QCOMPARE(p->geometry(), QRect(8, 8, 564, 455));
    }

    void airEndShowsOneWindow()
    {
        ui::ChartWindow w;
        w.show();
        click(w, "Command4");
        click(w, "Command4");
        QCOMPARE(visibleWindows(QStringLiteral("Form6")), 1);
        ui::DrawingWindow* first = drawingWindow();
        first->resize(700, 700);
        first->close(); // through its frame
        QCOMPARE(visibleWindows(QStringLiteral("Form6")), 0);
        QVERIFY(w.isVisible());
        click(w, "Command4");
        QCOMPARE(drawingWindow(), first);
        QCOMPARE(visibleWindows(QStringLiteral("Form6")), 1);
        QCOMPARE(first->size(), QSize(580, 481)); // as laid out again
    }

    void airEndRestoresAMinimisedWindow()
    {
        ui::ChartWindow w;
        w.show();
        click(w, "Command4");
        drawingWindow()->showMinimized();
        click(w, "Command4");
        QVERIFY(!drawingWindow()->isMinimized());
        QVERIFY(drawingWindow()->isVisible());
    }

    void spaceClicksTheFocusedButton()
    {
        ui::ChartWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        FIND(QPushButton, airEnd, &w, "Command4");
        airEnd->setFocus();
        QTest::keyClick(airEnd, Qt::Key_Space);
        QCOMPARE(visibleWindows(QStringLiteral("Form6")), 1);
    }

    void closeEndsEverything_data()
    {
        QTest::addColumn<bool>("drawingOpen");
        QTest::newRow("drawing window closed") << false;
        QTest::newRow("drawing window open") << true;
    }
    void closeEndsEverything()
    {
        QFETCH(bool, drawingOpen);
        ui::ChartWindow w;
        w.show();
        if (drawingOpen)
            click(w, "Command4");
        int exitCode = -1;
        // Close ends the event loop; run one so that its end can be seen.
        QTimer::singleShot(0, &w, [&] { click(w, "Command3"); });
        exitCode = QApplication::exec();
        QCOMPARE(exitCode, 0);
        QCOMPARE(visibleWindows(QStringLiteral("Form1")), 0);
        QCOMPARE(visibleWindows(QStringLiteral("Form6")), 0);
    }

    // Closing the chart window through its frame leaves an open drawing
    // window; the program ends with the last window.
    void frameCloseLeavesTheDrawingWindow()
    {
        ui::ChartWindow w;
        w.show();
        click(w, "Command4");
        const QuitRequests quits;
        bool drawingStayed = false;
        QTimer::singleShot(0, &w, [&] {
            w.close();
            testsupport::settle(); // all the close sets off, an end of the program among it
            drawingStayed = quits.count == 0 && drawingWindow()->isVisible() && !w.isVisible();
            drawingWindow()->close();
        });
        QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(2); }); // the program did not end
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(drawingStayed);
        QCOMPARE(quits.count, 1); // with the drawing window
    }

    void frameCloseWithoutDrawingEndsTheProgram()
    {
        ui::ChartWindow w;
        w.show();
        QTimer::singleShot(0, &w, [&] { w.close(); });
        QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void chartWorksWithTheDrawingOpen()
    {
        ui::ChartWindow w;
        w.show();
        click(w, "Command4");
        FIND(rt::ScrollBar, speed, &w, "HScroll1");
        FIND(rt::ScrollBar, power, &w, "VScroll1");
        FIND(QLineEdit, pressure, &w, "Text2");
        power->assignValue(rt::Integer(202));
        speed->assignValue(rt::Integer(200));
        QCOMPARE(pressure->text(), QStringLiteral("9.2"));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
