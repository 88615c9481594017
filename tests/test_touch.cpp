// SPDX-License-Identifier: MIT
// The chart window on a touch screen: a tap on the chart sets the point, a
// finger drags it as the right button does, other fingers are ignored; taps
// elsewhere click. The mouse keeps its own rules beside a finger.
#include "chart_fixture.h"

#include <QPointingDevice>
#ifdef KRTD258_PLATFORM_TOUCH
#include <qpa/qwindowsysteminterface.h>
#endif
#include <QTouchEvent>

#include <cmath>
#include <memory>

using namespace rt;

class TestTouch : public QObject, ChartFixture {
    Q_OBJECT

    // Registered with Qt's window system interface, which leaves them to us.
    std::unique_ptr<QPointingDevice> screenDevice{QTest::createTouchDevice()};
    QPointingDevice* screen = screenDevice.get();

    // Chart pixel (x, y) in the picture box, inside its one-pixel border.
    // The points touched are multiples of 4: at scale 1.25 each lies a
    // quarter into a device pixel, which Qt 6.8's rounding of a touch point
    // to the device pixel keeps it in.
    static QPoint at(QPoint chart) { return chart + QPoint(1, 1); }
    QTest::QTouchEventWidgetSequence touch() { return QTest::touchEvent(w.get(), screen); }
    // The mouse at the same point as a finger.
    void mouse(QEvent::Type type, QPoint chart, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        testsupport::sendMouse(Picture1, type, at(chart), button, buttons);
    }
    // Where a press with the mouse would put the point.
    std::pair<int, int> pressedAt(QPoint chart) { return pressedInPicture(at(chart)); }
    std::pair<int, int> point() const { return {int(H->Value()), int(V->Value())}; }
    // Where a press with the mouse at a point of Picture1 would put the point.
    std::pair<int, int> pressedInPicture(QPointF at)
    {
        const int h = int(H->Value()), v = int(V->Value());
        testsupport::sendClick(Picture1, at);
        const std::pair<int, int> point{int(H->Value()), int(V->Value())};
        H->assignValue(Integer(h));
        V->assignValue(Integer(v));
        return point;
    }
#ifdef KRTD258_PLATFORM_TOUCH
    // Finger 0 on the touch screen at a point of Picture1, handed to Qt as
    // a platform plugin hands it a compositor's touch point: in native
    // pixels, a position that need not be whole.
    void tap(QEvent::Type type, QPointF at)
    {
        QWindowSystemInterface::TouchPoint point;
        point.id = 0;
        point.state = type == QEvent::TouchBegin ? QEventPoint::Pressed
                      : type == QEvent::TouchEnd ? QEventPoint::Released
                                                 : QEventPoint::Updated;
        point.pressure = point.state == QEventPoint::Released ? 0 : 1;
        QWindow* window = w->windowHandle();
        point.area = QRectF(QPointF(), QSizeF(0, 0));
        point.area.moveCenter(Picture1->mapToGlobal(at) * window->devicePixelRatio());
        QWindowSystemInterface::handleTouchEvent<QWindowSystemInterface::SynchronousDelivery>(window, screen, {point});
    }
#endif

private slots:
    void init()
    {
        openWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup()
    {
        closeWindow();
    }

    void tapSetsThePoint_data()
    {
        QTest::addColumn<QPoint>("chart");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::newRow("(200,112)") << QPoint(200, 112) << 223 << 226;
        QTest::newRow("(0,0)") << QPoint(0, 0) << 1 << 2;
        QTest::newRow("(404,224)") << QPoint(404, 224) << 450 << 450;
        // Beside the picture, where the nearest device pixel may be inside.
        if (qApp->devicePixelRatio() == int(qApp->devicePixelRatio()))
            QTest::newRow("x = 405 keeps H") << QPoint(405, 52) << 0 << 106;
    }
    void tapSetsThePoint()
    {
        QFETCH(QPoint, chart);
        QFETCH(int, h);
        QFETCH(int, v);
        const auto pressed = pressedAt(chart);
        touch().press(0, at(chart), Picture1);
        touch().release(0, at(chart), Picture1);
        QCOMPARE(point(), pressed);
        if (Picture1->devicePixelRatioF() == 1) { // a chart pixel per device pixel
            QCOMPARE(point(), std::make_pair(h, v));
            QCOMPARE(text("Label4").isEmpty(), h == 0);
        }
        QVERIFY(Picture1->hasFocus()); // as a click gives it
    }

    // The point follows the finger, each step where a press there puts it,
    // and stays where the finger lifts.
    void dragFollows()
    {
        const QPoint path[] = {{100, 100}, {148, 100}, {200, 112}, {260, 40}};
        touch().press(0, at(path[0]), Picture1);
        QCOMPARE(point(), pressedAt(path[0]));
        for (const QPoint p : path) {
            const auto wanted = pressedAt(p);
            touch().move(0, at(p), Picture1);
            QCOMPARE(point(), wanted);
        }
        const int evaluationsBefore = evaluations;
        touch().release(0, at(path[3]), Picture1);
        QCOMPARE(point(), pressedAt(path[3]));
        QCOMPARE(evaluations, evaluationsBefore); // lifting where it is changes nothing
    }

#ifdef KRTD258_PLATFORM_TOUCH
    // A finger where the compositor puts it: Wayland hands touch points over
    // in 1/256 of a logical pixel, at a fractional scale a little off each
    // device pixel's edge. At every such point across the chart's row 100
    // and column 200, a finger and a drag with it set the point where a
    // press with the mouse at the same point does.
    void fingerAsTheMouse_data()
    {
        QTest::addColumn<double>("offset"); // logical pixels from a device pixel's edge
        QTest::newRow("on an edge") << 0.0;
        QTest::newRow("1/256 short") << -1.0 / 256;
        QTest::newRow("1/256 past") << 1.0 / 256;
        QTest::newRow("mid-pixel") << 0.5 / qApp->devicePixelRatio();
    }
    void fingerAsTheMouse()
    {
        QFETCH(double, offset);
        const qreal scale = Picture1->devicePixelRatioF();
        const QPointF origin = QPointF(Picture1->mapTo(w.get(), QPoint(0, 0))) * scale;
        // Picture1's logical point over device position d of one axis.
        const auto logical = [&](int d, qreal from) { return (d - from) / scale + offset; };
        int checked = 0;
        for (const bool alongX : {true, false}) {
            const qreal from = alongX ? origin.x() : origin.y();
            const int first = int(std::ceil(from + scale));
            const int last = int(from + (alongX ? 405 : 225) * scale);
            for (int d = first; d < last; ++d) {
                const qreal along = logical(d, from);
                const QPointF at = alongX ? QPointF(along, 101.25) : QPointF(201.25, along);
                const auto pressed = pressedInPicture(at);
                tap(QEvent::TouchBegin, at);
                tap(QEvent::TouchEnd, at);
                QCOMPARE(point(), pressed);
                ++checked;
            }
        }
        // A drag through the same points, the finger down at the chart's corner.
        tap(QEvent::TouchBegin, QPointF(1.25, 1.25));
        for (int d = int(std::ceil(origin.x() + scale)); d < int(origin.x() + 405 * scale); d += 3) {
            const QPointF at(logical(d, origin.x()), 101.25);
            const auto pressed = pressedInPicture(at);
            tap(QEvent::TouchUpdate, at);
            QCOMPARE(point(), pressed);
        }
        tap(QEvent::TouchEnd, QPointF(1.25, 1.25));
        QVERIFY(checked > 600);
    }
#endif

    // A second finger, or a palm resting on the chart, is not followed.
    void otherFingersIgnored()
    {
        touch().press(0, at({100, 100}), Picture1);
        const auto first = point();
        touch().stationary(0).press(1, at({300, 52}), Picture1);
        QCOMPARE(point(), first);
        touch().stationary(0).move(1, at({320, 60}), Picture1);
        QCOMPARE(point(), first);
        const auto moved = pressedAt({200, 112});
        touch().move(0, at({200, 112}), Picture1).stationary(1);
        QCOMPARE(point(), moved);
        touch().release(0, at({200, 112}), Picture1).stationary(1);
        // The finger left resting does not take over.
        touch().move(1, at({52, 200}), Picture1);
        QCOMPARE(point(), moved);
        touch().release(1, at({52, 200}), Picture1);
        // The next touch is followed again.
        const auto next = pressedAt({0, 0});
        touch().press(2, at({0, 0}), Picture1);
        touch().release(2, at({0, 0}), Picture1);
        QCOMPARE(point(), next);
    }

    // A cancelled touch leaves no finger behind, and the mouse keeps its own
    // rules: the left button alone does not drag, the right one does.
    void mouseBesideAFinger()
    {
        touch().press(0, at({100, 100}), Picture1);
        QTouchEvent cancel(QEvent::TouchCancel, screen);
        QApplication::sendEvent(Picture1, &cancel);
        const auto there = point();
        mouse(QEvent::MouseMove, {200, 112}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(point(), there);
        mouse(QEvent::MouseMove, {200, 112}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(point(), there);
        mouse(QEvent::MouseMove, {200, 112}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(point(), pressedAt({200, 112}));
        // A finger down while the mouse drags: each moves the point, neither
        // holds it once let go.
        touch().press(1, at({52, 52}), Picture1);
        QCOMPARE(point(), pressedAt({52, 52}));
        mouse(QEvent::MouseMove, {60, 40}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(point(), pressedAt({60, 40}));
        touch().release(1, at({52, 52}), Picture1);
        mouse(QEvent::MouseMove, {300, 30}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(point(), pressedAt({60, 40}));
    }

    // A touch pad's fingers are the pointer's: Qt makes them a left-button
    // click and drag, which does not follow.
    void touchPadLeftToThePointer()
    {
        const std::unique_ptr<QPointingDevice> touchPad{QTest::createTouchDevice(QInputDevice::DeviceType::TouchPad)};
        QPointingDevice* pad = touchPad.get();
        QTest::touchEvent(w.get(), pad).press(0, at({100, 100}), Picture1);
        const auto pressed = point();
        QTest::touchEvent(w.get(), pad).move(0, at({200, 112}), Picture1);
        QTest::touchEvent(w.get(), pad).release(0, at({200, 112}), Picture1);
        QCOMPARE(point(), pressed);
    }

    // Elsewhere a tap is a click: a bar's arrow steps, a box takes the focus.
    void tapsClick()
    {
        const QPoint arrow(H->width() - 4, H->height() / 2);
        touch().press(0, arrow, H);
        touch().release(0, arrow, H);
        QCOMPARE(int(H->Value()), 1);
        FIND(TextBox, box, w.get(), "Text3");
        touch().press(0, box->rect().center(), box);
        touch().release(0, box->rect().center(), box);
        QTRY_VERIFY(box->hasFocus());
    }

    // A palm on a bar's track while the mouse works the other bar: once both
    // are lifted neither bar goes on moving.
    void palmOnABarAndTheMouse()
    {
        const QPoint track(H->width() - 40, H->height() / 2);
        touch().press(0, track, H);
        const QPoint arrow(V->width() / 2, V->height() - 4);
        QTest::mousePress(V, Qt::LeftButton, {}, arrow);
        QTest::mouseRelease(V, Qt::LeftButton, {}, arrow);
        touch().release(0, track, H);
        QVERIFY(!H->isSliderDown());
        QVERIFY(!V->isSliderDown());
        // A move that must not come has no condition to wait for: the test
        // watches for longer than a bar's first auto-repeat delay (500 ms)
        // and finds the cross-hair where it was.
        const auto settled = point();
        QTest::qWait(600);
        QCOMPARE(point(), settled);
    }
};

QTEST_MAIN(TestTouch)
#include "test_touch.moc"
