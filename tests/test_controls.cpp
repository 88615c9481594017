// SPDX-License-Identifier: MIT
// Controls of the form runtime: the scroll bar's refusal, re-entry and user
// steps, the text box's length, the picture box's Point, drawing and mouse.
#include "testsupport.h"

#include "runtime/controls.h"
#include "runtime/errors.h"
#include "runtime/style.h"

#include <QtTest>

#include <QStyleFactory>

using namespace rt;

class TestControls : public QObject {
    Q_OBJECT

    const testsupport::ApplicationSettings initial = testsupport::ApplicationSettings::now();

    // A bar as long as the chart window's speed bar, on the screen.
    static void showAsSpeedBar(ScrollBar& bar)
    {
        bar.resize(441, 17);
        bar.setMax(450);
        bar.show();
    }

    // Presses the left button on the thumb and drags it dx pixels, keeping
    // the button down; returns where the pointer is.
    static QPoint holdThumbAndDrag(ScrollBar& bar, int dx)
    {
        const QPoint thumb = testsupport::scrollBarPartCentre(bar, QStyle::SC_ScrollBarSlider);
        const QPoint to = thumb + QPoint(dx, 0);
        QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, thumb);
        testsupport::sendMouse(&bar, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        return to;
    }

    static QImage picture()
    {
        QImage img(4, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                img.setPixel(x, y, qRgb(10 * x, 20 * y, 200 + x + y));
        return img;
    }

private slots:
    void cleanup() { CHECK_APPLICATION_SETTINGS(initial); }

    void valueRefusedOutsideRange_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("0") << 0 << true;
        QTest::newRow("450") << 450 << true;
        QTest::newRow("451") << 451 << false;
        QTest::newRow("452") << 452 << false;
    }
    void valueRefusedOutsideRange()
    {
        QFETCH(int, value);
        QFETCH(bool, accepted);
        ScrollBar bar(Qt::Horizontal);
        bar.setMax(450);
        bar.assignValue(Integer(7));
        int changes = 0;
        connectHandler(&bar, &ScrollBar::Change, [&] { ++changes; });
        bool refused = false;
        try {
            bar.assignValue(Integer(value));
        } catch (const RuntimeError& e) {
            refused = e.kind() == ErrorKind::InvalidPropertyValue;
        }
        QCOMPARE(refused, !accepted);
        QCOMPARE(int(bar.Value()), accepted ? value : 7);
        QCOMPARE(changes, accepted && value != 7 ? 1 : 0);
    }

    void changeRunsInsideTheAssignment()
    {
        ScrollBar bar(Qt::Vertical);
        bar.setMax(450);
        QStringList log;
        connectHandler(&bar, &ScrollBar::Change, [&] { log << QStringLiteral("change %1").arg(bar.Value()); });
        bar.assignValue(Integer(5));
        log << QStringLiteral("returned");
        bar.assignValue(Integer(5)); // the current value raises nothing
        QCOMPARE(log, (QStringList{QStringLiteral("change 5"), QStringLiteral("returned")}));
    }

    void keysStepByOne_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        for (int o : {int(Qt::Horizontal), int(Qt::Vertical)}) {
            const char* n = o == Qt::Horizontal ? "H" : "V";
            QTest::addRow("%s Left", n) << o << int(Qt::Key_Left) << 9;
            QTest::addRow("%s Up", n) << o << int(Qt::Key_Up) << 9;
            QTest::addRow("%s Right", n) << o << int(Qt::Key_Right) << 11;
            QTest::addRow("%s Down", n) << o << int(Qt::Key_Down) << 11;
            QTest::addRow("%s PageUp", n) << o << int(Qt::Key_PageUp) << 9;
            QTest::addRow("%s PageDown", n) << o << int(Qt::Key_PageDown) << 11;
            QTest::addRow("%s Home", n) << o << int(Qt::Key_Home) << 0;
            QTest::addRow("%s End", n) << o << int(Qt::Key_End) << 450;
        }
    }
    void keysStepByOne()
    {
        QFETCH(int, orientation);
        QFETCH(int, key);
        QFETCH(int, expected);
        ScrollBar bar{Qt::Orientation(orientation)};
        bar.setMax(450);
        bar.assignValue(Integer(10));
        int changes = 0;
        connectHandler(&bar, &ScrollBar::Change, [&] { ++changes; });
        QTest::keyClick(&bar, Qt::Key(key));
        QCOMPARE(bar.value(), expected);
        QCOMPARE(changes, 1);
    }

    // A click gives a bar the focus (Tab does too: the layout test), and no
    // scroll-bar menu opens.
    void barsTakeFocusAndOfferNoMenu()
    {
        QWidget window;
        auto* bar = new ScrollBar(Qt::Horizontal, &window);
        bar->setGeometry(10, 10, 120, 17);
        bar->setMax(450);
        auto* other = new TextBox(&window);
        other->setGeometry(10, 40, 50, 19);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        const QPoint thumb = testsupport::scrollBarPartCentre(*bar, QStyle::SC_ScrollBarSlider);
        QTest::mouseClick(bar, Qt::LeftButton, {}, thumb);
        QVERIFY(bar->hasFocus());
        // The menu a right click or the menu key asks for. A menu would run
        // its own event loop, inside sendEvent(): closed there, and counted.
        int menus = 0;
        QTimer closer;
        closer.callOnTimeout([&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ++menus;
                popup->close();
            }
        });
        closer.start(10);
        for (const auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
            QContextMenuEvent ask(reason, thumb, bar->mapToGlobal(thumb));
            QApplication::sendEvent(bar, &ask);
        }
        QCOMPARE(menus, 0);
        QCOMPARE(bar->value(), 0);
    }

    void wheelNotchIsOneStep_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("H away") << int(Qt::Horizontal) << 120 << 9;
        QTest::newRow("H towards") << int(Qt::Horizontal) << -120 << 11;
        QTest::newRow("V away") << int(Qt::Vertical) << 120 << 9;
        QTest::newRow("V towards two notches") << int(Qt::Vertical) << -240 << 12;
        QTest::newRow("V half notch") << int(Qt::Vertical) << 60 << 10;
    }
    void wheelNotchIsOneStep()
    {
        QFETCH(int, orientation);
        QFETCH(int, delta);
        QFETCH(int, expected);
        ScrollBar bar{Qt::Orientation(orientation)};
        bar.resize(orientation == Qt::Horizontal ? QSize(200, 17) : QSize(17, 200));
        bar.setMax(450);
        bar.assignValue(Integer(10));
        QWheelEvent ev(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(&bar, &ev);
        QCOMPARE(bar.value(), expected);
    }

    // A click in the track and an arrow click each move by exactly 1, and a
    // middle click does nothing, whatever the application's style.
    void clicksStepByOne_data()
    {
        QTest::addColumn<QString>("appStyle");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("expected");
        for (const QString& s : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
            const QByteArray n = s.toLatin1();
            QTest::addRow("%s add arrow", n.data())
                << s << int(QStyle::SC_ScrollBarAddLine) << int(Qt::LeftButton) << 1;
            QTest::addRow("%s track", n.data()) << s << int(QStyle::SC_ScrollBarAddPage) << int(Qt::LeftButton) << 1;
            QTest::addRow("%s middle in track", n.data())
                << s << int(QStyle::SC_ScrollBarAddPage) << int(Qt::MiddleButton) << 0;
            QTest::addRow("%s right in track", n.data())
                << s << int(QStyle::SC_ScrollBarAddPage) << int(Qt::RightButton) << 0;
        }
    }
    void clicksStepByOne()
    {
        QFETCH(QString, appStyle);
        QFETCH(int, part);
        QFETCH(int, button);
        QFETCH(int, expected);
        const testsupport::KeepApplicationSettings keep;
        QApplication::setStyle(QStyleFactory::create(appStyle));
        ScrollBar bar(Qt::Horizontal);
        showAsSpeedBar(bar);
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        int changes = 0;
        connectHandler(&bar, &ScrollBar::Change, [&] { ++changes; });
        const QPoint at = testsupport::scrollBarPartCentre(bar, QStyle::SubControl(part));
        QTest::mouseClick(&bar, Qt::MouseButton(button), Qt::NoModifier, at);
        QCOMPARE(bar.value(), expected);
        QCOMPARE(changes, expected);
    }

    // A thumb drag changes the value once, on release. While the thumb is
    // held, an assignment of the current value raises nothing and keys are
    // ignored.
    void dragChangesOnRelease()
    {
        ScrollBar bar(Qt::Horizontal);
        showAsSpeedBar(bar);
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        int changes = 0;
        connectHandler(&bar, &ScrollBar::Change, [&] { ++changes; });
        const QPoint to = holdThumbAndDrag(bar, 100);
        bar.assignValue(0);
        QTest::keyClick(&bar, Qt::Key_Right);
        QCOMPARE(changes, 0);
        QCOMPARE(bar.value(), 0);
        QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(changes, 1);
        QVERIFY(bar.value() > 50);
    }

    // A change of the range puts a held thumb back on the unchanged value;
    // some Qt versions signal valueChanged with that value then: no Change,
    // then or on release.
    void heldThumbPutBackRaisesNoChange()
    {
        ScrollBar bar(Qt::Horizontal);
        showAsSpeedBar(bar);
        bar.assignValue(7);
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        int changes = 0;
        connectHandler(&bar, &ScrollBar::Change, [&] { ++changes; });
        QSignalSpy signalled(&bar, &QAbstractSlider::valueChanged);
        const QPoint to = holdThumbAndDrag(bar, 100);
        QVERIFY(bar.sliderPosition() != 7);
        bar.setMax(449);
        for (const QList<QVariant>& signal : signalled)
            QCOMPARE(signal.at(0).toInt(), 7);
        QCOMPARE(changes, 0);
        QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(int(bar.Value()), 7);
        QCOMPARE(changes, 0);
    }

    void valueAboveIntegerRangeIsRefused()
    {
        ScrollBar bar(Qt::Horizontal);
        bar.setMax(450);
        bool refused = false;
        try {
            bar.assignValue(70000); // 4464 if it were narrowed to 16 bits first
        } catch (const RuntimeError&) {
            refused = true;
        }
        QVERIFY(refused);
    }

    // Enter and Return click the focused button, as Space does; with a
    // modifier they do not.
    void enterClicksTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 1;
        QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << 0;
    }
    void enterClicksTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, clicks);
        CommandButton button;
        int clicked = 0;
        connectHandler(&button, &CommandButton::Click, [&] { ++clicked; });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::keyClick(&button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(clicked, clicks);
    }

    // The scroll bar and the picture box show a focus ring in the highlight
    // colour when the keyboard gives them the focus, and look as ever when a
    // mouse press does.
    void focusRingFollowsTheKeyboard_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("ring");
        for (const char* control : {"scroll bar", "picture box"}) {
            const QString c = QString::fromLatin1(control);
            QTest::addRow("%s, Tab", control) << c << int(Qt::TabFocusReason) << true;
            QTest::addRow("%s, Backtab", control) << c << int(Qt::BacktabFocusReason) << true;
            QTest::addRow("%s, mouse", control) << c << int(Qt::MouseFocusReason) << false;
        }
    }
    void focusRingFollowsTheKeyboard()
    {
        QFETCH(QString, control);
        QFETCH(int, reason);
        QFETCH(bool, ring);
        QWidget window;
        QWidget* c = nullptr;
        if (control == QLatin1String("scroll bar")) {
            auto* bar = new ScrollBar(Qt::Horizontal, &window);
            bar->setMax(450);
            c = bar;
        } else {
            auto* box = new PictureBox(PictureBox::Border::Flat, &window);
            box->setPicture(picture());
            c = box;
        }
        c->setGeometry(10, 10, 120, 17);
        auto* other = new TextBox(&window);
        other->setGeometry(10, 40, 50, 19);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        const QImage unfocused = c->grab().toImage();
        c->setFocus(Qt::FocusReason(reason));
        QVERIFY(c->hasFocus());
        const QImage focused = c->grab().toImage();
        const QRgb highlight = c->palette().color(QPalette::Highlight).rgb();
        const QPoint edge[] = {{0, 0}, {c->width() / 2, 0}, {0, c->height() / 2}, {c->width() - 1, c->height() - 1}};
        for (const QPoint& at : edge)
            QCOMPARE(focused.pixel(at) == highlight, ring);
        if (!ring)
            QCOMPARE(focused, unfocused);
        other->setFocus();
        QCOMPARE(c->grab().toImage(), unfocused); // the ring goes with the focus
    }

    // A key pressed on the control shows the ring even after a mouse focus.
    void keyShowsTheFocusRing()
    {
        ScrollBar bar(Qt::Horizontal);
        bar.resize(120, 17);
        bar.setMax(450);
        bar.show();
        QVERIFY(QTest::qWaitForWindowActive(&bar));
        bar.setFocus(Qt::MouseFocusReason);
        const QRgb highlight = bar.palette().color(QPalette::Highlight).rgb();
        QVERIFY(bar.grab().toImage().pixel(60, 0) != highlight);
        QTest::keyClick(&bar, Qt::Key_Right);
        QCOMPARE(bar.grab().toImage().pixel(60, 0), highlight);
    }

    // A text box keeps all it is given, and takes a typed key beyond
    // QLineEdit's usual 32767 characters.
    void textBoxHasNoLengthLimit()
    {
        TextBox box;
        const QString longText(100000, QLatin1Char('7'));
        box.setText(longText);
        QCOMPARE(box.text().size(), longText.size());
        QTest::keyClick(&box, Qt::Key_End);
        QTest::keyClick(&box, Qt::Key_8);
        QCOMPARE(box.text().size(), longText.size() + 1);
        QVERIFY(box.text().endsWith(QLatin1Char('8')));
    }

    void pointReadsThePicture_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("px");
        QTest::addColumn<int>("py");
        QTest::newRow("corner") << 0.0f << 0.0f << 0 << 0;
        QTest::newRow("last") << 3.0f << 2.0f << 3 << 2;
        QTest::newRow("fraction floors") << 1.5f << 1.99f << 1 << 1;
        QTest::newRow("-0.1 is off") << -0.1f << 1.0f << -1 << -1;
        QTest::newRow("-0.5 is off") << 1.0f << -0.5f << -1 << -1;
        QTest::newRow("right of picture") << 4.0f << 0.0f << -1 << -1;
        QTest::newRow("below picture") << 0.0f << 3.0f << -1 << -1;
        QTest::newRow("far off") << 1e30f << 0.0f << -1 << -1;
    }
    void pointReadsThePicture()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, px);
        QFETCH(int, py);
        PictureBox box(PictureBox::Border::Flat);
        box.setPicture(picture());
        box.addLine(QStringLiteral("Line1"), 1, 0, 1, 2, rgb(255, 192, 192)); // drawn over, never read
        const Long expected = px < 0 ? -1 : rgb(10 * px, 20 * py, 200 + px + py);
        QCOMPARE(box.Point(x, y), expected);
    }

    void linesReadBackExactly()
    {
        PictureBox box(PictureBox::Border::Flat);
        Line* line = box.addLine(QStringLiteral("Line1"), 200, 0, 200, 224, 0);
        line->setX1(199.7f);
        line->setX2(-0.1f);
        QCOMPARE(line->X1(), 199.7f);
        QCOMPARE(line->X2(), -0.1f);
        QCOMPARE(line->property("X1").toFloat(), 199.7f);
    }

    // Lines and outlines cover whole picture pixels chosen by floor, at any
    // device pixel ratio.
    void drawingUsesWholePixels_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100%") << qreal(1);
        QTest::newRow("200%") << qreal(2);
    }
    void drawingUsesWholePixels()
    {
        QFETCH(qreal, ratio);
        QImage white(20, 20, QImage::Format_RGB32);
        white.fill(Qt::white);
        PictureBox box(PictureBox::Border::Flat);
        box.setGeometry(0, 0, 22, 22);
        box.setPicture(white);
        const Long red = rgb(255, 0, 0);
        box.addLine(QStringLiteral("Line1"), 5.9f, 0, 5.9f, 19, red);
        box.addLine(QStringLiteral("Line2"), 0, 7.5f, 30, 7.5f, red);
        box.addShape(QStringLiteral("Shape2"), 10.1f, 12.0f, 3.8f, 3.8f, red);
        QImage shot(int(22 * ratio), int(22 * ratio), QImage::Format_RGB32);
        shot.setDevicePixelRatio(ratio);
        shot.fill(Qt::black);
        box.render(&shot);
        auto isRed = [&](int x, int y) { // picture pixel (x, y), every device pixel of it
            for (int dy = 0; dy < int(ratio); ++dy)
                for (int dx = 0; dx < int(ratio); ++dx)
                    if (shot.pixel(int((x + 1) * ratio) + dx, int((y + 1) * ratio) + dy) != qRgb(255, 0, 0))
                        return false;
            return true;
        };
        QVERIFY(isRed(5, 0) && isRed(5, 19) && !isRed(4, 3) && !isRed(6, 3));
        QVERIFY(isRed(0, 7) && isRed(19, 7) && !isRed(2, 6) && !isRed(2, 8));
        QVERIFY(isRed(10, 12) && isRed(13, 15) && isRed(10, 15) && isRed(13, 12));
        QVERIFY(!isRed(11, 13) && !isRed(9, 12) && !isRed(14, 12));
    }

    void mouseEventsGiveSumsAndWholePixels_data()
    {
        QTest::addColumn<bool>("move");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QPointF>("pos");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QPointF>("xy");
        QTest::newRow("press left") << false << int(Qt::LeftButton) << 0 << QPointF(11.7, 5.2) << 1 << 0
                                    << QPointF(10, 4);
        QTest::newRow("press middle with ctrl")
            << false << int(Qt::MiddleButton) << int(Qt::ControlModifier) << QPointF(1, 1) << 4 << 2 << QPointF(0, 0);
        QTest::newRow("move left+right, shift+alt")
            << true << int(Qt::LeftButton | Qt::RightButton) << int(Qt::ShiftModifier | Qt::AltModifier)
            << QPointF(3, 3) << 3 << 5 << QPointF(2, 2);
        QTest::newRow("move outside with right")
            << true << int(Qt::RightButton) << 0 << QPointF(-5.5, 600) << 2 << 0 << QPointF(-7, 599);
        QTest::newRow("meta is no shift")
            << true << 0 << int(Qt::MetaModifier) << QPointF(2, 2) << 0 << 0 << QPointF(1, 1);
        QTest::newRow("back button presses nothing")
            << false << int(Qt::BackButton) << 0 << QPointF(3, 3) << -1 << -1 << QPointF();
    }
    void mouseEventsGiveSumsAndWholePixels()
    {
        QFETCH(bool, move);
        QFETCH(int, buttons);
        QFETCH(int, modifiers);
        QFETCH(QPointF, pos);
        QFETCH(int, button);
        QFETCH(int, shift);
        QFETCH(QPointF, xy);
        PictureBox box(PictureBox::Border::Flat);
        box.setGeometry(0, 0, 407, 227);
        int gotButton = -1, gotShift = -1;
        QPointF got;
        auto record = [&](Integer b, Integer s, Single x, Single y) {
            gotButton = b;
            gotShift = s;
            got = QPointF(x, y);
        };
        connectHandler(&box, move ? &PictureBox::MouseMove : &PictureBox::MouseDown, record);
        const auto single = Qt::MouseButton(buttons);
        testsupport::sendMouse(&box, move ? QEvent::MouseMove : QEvent::MouseButtonPress, pos,
                               move ? Qt::NoButton : single, Qt::MouseButtons(buttons),
                               Qt::KeyboardModifiers(modifiers));
        QCOMPARE(gotButton, button);
        QCOMPARE(gotShift, shift);
        QCOMPARE(got, xy);
    }

    // At 200% Qt rounds the widget-local position to whole logical pixels;
    // the pixel under the pointer comes from the exact window position.
    void mouseUsesTheExactPositionAtTwice()
    {
        QWidget window;
        PictureBox box(PictureBox::Border::Flat, &window);
        box.setGeometry(32, 24, 407, 227);
        QPointF got;
        connectHandler(&box, &PictureBox::MouseDown,
                       [&](Integer, Integer, Single x, Single y) { got = QPointF(x, y); });
        const QPointF scene(233.5, 137.5);              // device pixel (467, 275)
        const QPointF roundedLocal(234 - 32, 138 - 24); // what Qt hands the widget
        QMouseEvent ev(QEvent::MouseButtonPress, roundedLocal, scene, scene, Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
        QApplication::sendEvent(&box, &ev);
        QCOMPARE(got, QPointF(200, 112));
    }
};

QTEST_MAIN(TestControls)
#include "test_controls.moc"
