// SPDX-License-Identifier: MIT
// The cross-hair of the chart window: start-up, the two bars and the mouse.
#include "chart_fixture.h"

using namespace rt;

class TestCrosshair : public QObject, ChartFixture {
    Q_OBJECT

    // A move over chart pixel `chart` with these buttons held.
    void move(QPointF chart, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {})
    {
        chartMouse(QEvent::MouseMove, chart, Qt::NoButton, buttons, mods);
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void startUpParksTheCrossHair()
    {
        QCOMPARE(int(H->Max()), 450);
        QCOMPARE(int(V->Max()), 450);
        QCOMPARE(int(H->Value()), 0);
        QCOMPARE(int(V->Value()), 0);
        QCOMPARE(Line1->X1(), -1.0f);
        QCOMPARE(Line1->X2(), -1.0f);
        QCOMPARE(Line1->Y1(), 0.0f);
        QCOMPARE(Line1->Y2(), 224.0f);
        QCOMPARE(Line2->Y1(), -1.0f);
        QCOMPARE(Line2->X2(), 408.0f);
        QCOMPARE(Shape2->Left(), -8.8f); // wholly off the chart
        QCOMPARE(Shape2->Top(), -8.8f);
        QCOMPARE(Shape2->Width(), 7.8f);
        QCOMPARE(text("Label4"), QString());
        QCOMPARE(text("Text1"), QString());
        // Every evaluation writes the pressure and the delivery.
        QCOMPARE(text("Text2"), QString());
        QCOMPARE(text("Label20"), QString());
    }

    void speedBar_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<float>("x");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<float>("markerLeft"); // the marker, 7.8 wide, centred on the line
        QTest::newRow("0") << 0 << -1.0f << "1500" << -4.9f;
        QTest::newRow("1") << 1 << -0.1f << "1510" << -4.0f;
        QTest::newRow("223") << 223 << 199.7f << "3730" << 195.8f;
        QTest::newRow("450") << 450 << 404.0f << "6000" << 400.1f;
    }
    void speedBar()
    {
        QFETCH(int, value);
        QFETCH(float, x);
        QFETCH(QString, speed);
        QFETCH(float, markerLeft);
        V->assignValue(Integer(226));
        H->assignValue(Integer(value == 0 ? 5 : 0));
        const QString power = text("Text1");
        H->assignValue(Integer(value));
        QCOMPARE(Line1->X1(), x);
        QCOMPARE(Line1->X2(), x);
        QCOMPARE(text("Label4"), speed);
        QCOMPARE(text("Text1"), power); // the other axis is left alone
        QCOMPARE(Line2->Y1(), 112.0f);
        QCOMPARE(Shape2->Left(), markerLeft);
        QCOMPARE(Shape2->Top(), 108.1f);
    }

    void powerBar_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<float>("y");
        QTest::addColumn<QString>("power");
        QTest::addColumn<float>("markerTop");
        QTest::newRow("0") << 0 << -1.0f << "75.3" << -4.9f;
        QTest::newRow("2") << 2 << 0.0f << "75.0" << -3.9f;
        QTest::newRow("75") << 75 << 36.5f << "62.8" << 32.6f;
        QTest::newRow("226") << 226 << 112.0f << "37.7" << 108.1f;
        QTest::newRow("449") << 449 << 223.5f << ".5" << 219.6f;
        QTest::newRow("450") << 450 << 224.0f << ".3" << 220.1f;
    }
    void powerBar()
    {
        QFETCH(int, value);
        QFETCH(float, y);
        QFETCH(QString, power);
        QFETCH(float, markerTop);
        H->assignValue(Integer(223));
        V->assignValue(Integer(value == 0 ? 1 : 0));
        V->assignValue(Integer(value));
        QCOMPARE(Line2->Y1(), y);
        QCOMPARE(Line2->Y2(), y);
        QCOMPARE(text("Text1"), power);
        QCOMPARE(text("Label4"), QStringLiteral("3730"));
        QCOMPARE(Line1->X1(), 199.7f);
        QCOMPARE(Shape2->Left(), 195.8f);
        QCOMPARE(Shape2->Top(), markerTop);
    }

    void firstChangeMovesOneAxisOnly()
    {
        H->assignValue(Integer(100));
        QCOMPARE(Line2->Y1(), -1.0f);
        QCOMPARE(Shape2->Top(), -4.9f);
        QCOMPARE(text("Text1"), QString());
    }

    void press_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::newRow("(0,0)") << QPointF(0, 0) << 1 << 2;
        QTest::newRow("(404,224)") << QPointF(404, 224) << 450 << 450;
        QTest::newRow("x = 4") << QPointF(4, 10) << 6 << 22;
        QTest::newRow("(200,112)") << QPointF(200, 112) << 223 << 226;
        QTest::newRow("x = 405 keeps H") << QPointF(405, 50) << 17 << 102;
        QTest::newRow("x < 0 keeps H") << QPointF(-1, 50) << 17 << 102;
        QTest::newRow("y = 225 keeps V") << QPointF(50, 225) << 57 << 33;
        QTest::newRow("y < 0 keeps V") << QPointF(50, -1) << 57 << 33;
    }
    void press()
    {
        QFETCH(QPointF, at);
        QFETCH(int, h);
        QFETCH(int, v);
        H->assignValue(Integer(17));
        V->assignValue(Integer(33));
        chartClick(at);
        QCOMPARE(int(H->Value()), h);
        QCOMPARE(int(V->Value()), v);
    }

    void pressAtTheWorkedExample()
    {
        chartClick(QPointF(200, 112));
        QCOMPARE(Line1->X1(), 199.7f);
        QCOMPARE(text("Label4"), QStringLiteral("3730"));
        QCOMPARE(Line2->Y1(), 112.0f);
        QCOMPARE(text("Text1"), QStringLiteral("37.7"));
    }

    // Each bar's change evaluates once, horizontal first; a press on the
    // current point evaluates nothing.
    void pressEvaluatesPerChangedBar()
    {
        QStringList order;
        QObject::connect(H, &rt::ScrollBar::Change, [&] { order << "H"; });
        QObject::connect(V, &rt::ScrollBar::Change, [&] { order << "V"; });
        chartClick(QPointF(100, 100));
        QCOMPARE(order, (QStringList{"H", "V"}));
        QCOMPARE(evaluations, 2);
        chartClick(QPointF(100, 100));
        QCOMPARE(evaluations, 2);
        chartClick(QPointF(150, 100));
        QCOMPARE(evaluations, 3);
        QCOMPARE(order, (QStringList{"H", "V", "H"}));
    }

    void moveFollowsOnlySomeStates_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("mods");
        QTest::addColumn<bool>("follows");
        QTest::newRow("no button") << 0 << 0 << false;
        QTest::newRow("left alone") << int(Qt::LeftButton) << 0 << false;
        QTest::newRow("left + shift") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << true;
        QTest::newRow("left + ctrl") << int(Qt::LeftButton) << int(Qt::ControlModifier) << true;
        QTest::newRow("left + alt") << int(Qt::LeftButton) << int(Qt::AltModifier) << true;
        QTest::newRow("left + ctrl + alt") << int(Qt::LeftButton) << int(Qt::ControlModifier | Qt::AltModifier) << true;
        QTest::newRow("left + meta") << int(Qt::LeftButton) << int(Qt::MetaModifier) << false;
        QTest::newRow("right alone") << int(Qt::RightButton) << 0 << true;
        QTest::newRow("right + shift") << int(Qt::RightButton) << int(Qt::ShiftModifier) << true;
        QTest::newRow("both buttons") << int(Qt::LeftButton | Qt::RightButton) << 0 << false;
        QTest::newRow("middle") << int(Qt::MiddleButton) << int(Qt::ShiftModifier) << false;
    }
    void moveFollowsOnlySomeStates()
    {
        QFETCH(int, buttons);
        QFETCH(int, mods);
        QFETCH(bool, follows);
        move(QPointF(300, 150), Qt::MouseButtons(buttons), Qt::KeyboardModifiers(mods));
        QCOMPARE(int(H->Value()), follows ? 334 : 0);
        QCOMPARE(int(V->Value()), follows ? 302 : 0);
    }

    void dragOutsideKeepsTheOutOfRangeAxis()
    {
        move(QPointF(100, 100), Qt::RightButton);
        move(QPointF(450, 120), Qt::RightButton); // right of the chart: only V follows
        QCOMPARE(int(H->Value()), 112);
        QCOMPARE(int(V->Value()), 242);
    }
};

QTEST_MAIN(TestCrosshair)
#include "test_crosshair.moc"
