// SPDX-License-Identifier: MIT
// The two calculations on the real chart window: speed from power and
// pressure, and speed from the belt pulleys. No input may end the program.
#include "chart_fixture.h"

using namespace rt;

class TestCalculations : public QObject, ChartFixture {
    Q_OBJECT

    void powerAndPressure(const QString& power, const QString& pressure)
    {
        setText("Text1", power);
        setText("Text2", pressure);
        click("Command1");
    }
    void pulleys(const QString& motorRpm, const QString& motorPulley, const QString& airEndPulley)
    {
        setText("Text3", motorRpm);
        setText("Text4", motorPulley);
        setText("Text5", airEndPulley);
        click("Command2");
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // Start from a point inside the chart (H 200, V 202: row 100).
    void speedFromPower_data()
    {
        QTest::addColumn<QString>("power");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::newRow("worked example") << "30"
                                        << "8.5" << 124 << 272;
        QTest::newRow("pressure 4 is on the 4 bar curve") << "30"
                                                          << "4" << 201 << 272;
        QTest::newRow("pressure 7 is on the 7 bar curve") << "30"
                                                          << "7" << 149 << 272;
        QTest::newRow("pressure 10 is on the 10 bar curve") << "30"
                                                            << "10" << 100 << 272;
        QTest::newRow("pressure 13 is on the 13 bar curve") << "30"
                                                            << "13" << 59 << 272;
        QTest::newRow("3.99 keeps the vertical line") << "30"
                                                      << "3.99" << 200 << 272;
        QTest::newRow("13.01 keeps the vertical line") << "30"
                                                       << "13.01" << 200 << 272;
        QTest::newRow("empty pressure") << "30"
                                        << "" << 200 << 272;
        QTest::newRow("power 75 is row 0") << "75"
                                           << "8.5" << 193 << 2;
        QTest::newRow("power 0 is row 225, no curves, V refused") << "0"
                                                                  << "8.5" << 1 << 202;
        QTest::newRow("power 0.25 gives 450.5, V 450") << "0.25"
                                                       << "8.5" << 1 << 450;
        QTest::newRow("power -1 keeps row 100") << "-1"
                                                << "8.5" << 214 << 202;
        QTest::newRow("power 75.5 keeps row 100") << "75.5"
                                                  << "8.5" << 214 << 202;
        QTest::newRow("power 75.000001: row just above 0") << "75.000001"
                                                           << "8.5" << 1 << 202;
        QTest::newRow("power 74, pressure 8: missing 7 bar is column 0") << "74"
                                                                         << "8" << 128 << 8;
        QTest::newRow("power 74, pressure 5: x = 0") << "74"
                                                     << "5" << 1 << 8;
        QTest::newRow("power beyond Single keeps row") << "1e39"
                                                       << "8.5" << 214 << 202;
        QTest::newRow("power beyond Double keeps row") << "1e999"
                                                       << "8.5" << 214 << 202;
        QTest::newRow("pressure beyond Double") << "30"
                                                << "1e999" << 200 << 272;
        QTest::newRow("letters") << "abc"
                                 << "x" << 200 << 202;
    }
    void speedFromPower()
    {
        QFETCH(QString, power);
        QFETCH(QString, pressure);
        QFETCH(int, h);
        QFETCH(int, v);
        H->assignValue(Integer(200));
        V->assignValue(Integer(202));
        powerAndPressure(power, pressure);
        QCOMPARE(int(H->Value()), h);
        QCOMPARE(int(V->Value()), v);
        QVERIFY(Line1->Visible() && Line2->Visible());
    }

    void workedExampleShowsThePoint()
    {
        powerAndPressure(QStringLiteral("30"), QStringLiteral("8.5"));
        QCOMPARE(text("Label4"), QStringLiteral("2740"));
        QCOMPARE(text("Text1"), QStringLiteral("30.0"));
        QCOMPARE(Line1->X1(), 110.6f); // bar 124
        QCOMPARE(Line2->Y1(), 135.0f);
        QCOMPARE(evaluations, 2);
        QCOMPARE(text("Text2"), QStringLiteral("8.5")); // read off the chart at the snapped point
    }

    // With both bars already at the result nothing is evaluated, and the
    // lines stay where the calculation put them.
    void barsAlreadyThere()
    {
        powerAndPressure(QStringLiteral("30"), QStringLiteral("8.5"));
        const int before = evaluations;
        setText("Text1", QStringLiteral("30"));
        click("Command1");
        QCOMPARE(evaluations, before);
        QCOMPARE(Line1->X1(), 111.0f);
        QCOMPARE(text("Text1"), QStringLiteral("30"));
    }

    void firstClickPowerOutOfRange()
    {
        powerAndPressure(QStringLiteral("80"), QStringLiteral("8.5"));
        QCOMPARE(int(H->Value()), 1); // row -1 has no curves: x = 0
        QCOMPARE(int(V->Value()), 0);
        QCOMPARE(Line2->Y1(), -1.0f);
    }

    void firstClickPressureOutOfRange()
    {
        powerAndPressure(QStringLiteral("30"), QStringLiteral("20"));
        QCOMPARE(int(H->Value()), 0);
        QCOMPARE(Line1->X1(), -1.0f);
        QCOMPARE(int(V->Value()), 272);
        QCOMPARE(text("Text1"), QStringLiteral("30.0"));
    }

    void rowJustAboveTheChart()
    {
        H->assignValue(Integer(200));
        V->assignValue(Integer(202));
        powerAndPressure(QStringLiteral("75.000001"), QStringLiteral("8.5"));
        QCOMPARE(Line2->Y1(), -3e-6f); // 225 - 3 * 75.000001
        QVERIFY(Line2->Y1() < 0);
    }

    void pulleys_data()
    {
        QTest::addColumn<QString>("motorRpm");
        QTest::addColumn<QString>("motorPulley");
        QTest::addColumn<QString>("airEndPulley");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("speed");    // shown: the bar's
        QTest::addColumn<QString>("band");     // at V 203
        QTest::addColumn<QString>("delivery"); // from the speed kept
        const auto row = [](const char* name, const char* motorRpm, const char* motorPulley, const char* airEndPulley,
                            int h, const char* speed, const char* band, const char* delivery) {
            QTest::newRow(name) << QString::fromLatin1(motorRpm) << QString::fromLatin1(motorPulley)
                                << QString::fromLatin1(airEndPulley) << h << QString::fromLatin1(speed)
                                << QString::fromLatin1(band) << QString::fromLatin1(delivery);
        };
        // The bar starts at 10 (1600 1/min); a refused input changes nothing,
        // and the delivery is the one of 1600 1/min.
        const auto refused = [&](const char* name, const char* motorRpm, const char* motorPulley,
                                 const char* airEndPulley) {
            row(name, motorRpm, motorPulley, airEndPulley, 10, "1600", "@ 13 bar", "2.7");
        };
        // 250 / 100 * 1450 = 3625, kept; the bar takes 212.5 rounded to even.
        row("worked example", "1450", "250", "100", 212, "3620", "@ 7 bar", "6.8");
        row("6000 is bar 450", "3000", "200", "100", 450, "6000", "@ 4 bar", "11.8");
        row("6001 keeps the bar", "6001", "100", "100", 10, "1600", "@ 13 bar", "11.2"); // 6001 kept
        row("1505 is bar 0", "1505", "100", "100", 0, "1500", "@ 13 bar", "2.5");
        row("1495 is bar 0", "1495", "100", "100", 0, "1500", "@ 13 bar", "2.5");
        row("32767 accepted", "32767", "100", "500", 10, "1600", "@ 13 bar", "12.3"); // 6553 kept
        refused("32767.5 refused", "32767.5", "100", "500");
        refused("32768 refused", "32768", "100", "500");
        row("pulley 500 accepted", "1450", "500", "250", 140, "2900", "@ 13 bar", "5.2");
        refused("pulley 500.5 refused", "1450", "500.5", "250");
        // Each box is stored rounded down; the ratio magnifies the difference.
        row("motor speed 500.9 stored as 500", "500.9", "10", "1", 350, "5000", "@ 4 bar", "9.8");
        row("motor pulley 10.9 stored as 10", "500", "10.9", "1", 350, "5000", "@ 4 bar", "9.8");
        row("air-end pulley 1.9 stored as 1", "3000", "2", "1.9", 450, "6000", "@ 4 bar", "11.8");
        row("1450.9 stored as 1450", "1450.9", "200", "100", 140, "2900", "@ 13 bar", "5.2");
        row("12abc reads 12", "3000", "12abc", "12", 150, "3000", "@ 10 bar", "5.5");
        refused("0 stops at once", "0", "100", "100");
        refused("-5 stops at once", "-5", "100", "100");
        refused("empty motor pulley", "1450", "", "100");
        // Inputs that would fail later steps are refused: nothing changes.
        refused("motor speed beyond Double", "1e999", "100", "100");
        refused("pulley beyond Double", "1450", "1e999", "100");
        refused("air-end pulley 0.5", "1450", "100", "0.5");
        refused("speed beyond Integer", "3000", "500", "10");
        refused("speed below 1495", "1000", "100", "100");
        refused("motor speed 0.5 gives speed 0", "0.5", "100", "100");
    }
    void pulleys()
    {
        QFETCH(QString, motorRpm);
        QFETCH(QString, motorPulley);
        QFETCH(QString, airEndPulley);
        QFETCH(int, h);
        QFETCH(QString, speed);
        QFETCH(QString, band);
        QFETCH(QString, delivery);
        V->assignValue(Integer(202));
        H->assignValue(Integer(10));
        pulleys(motorRpm, motorPulley, airEndPulley);
        QCOMPARE(int(H->Value()), h);
        QCOMPARE(text("Label4"), speed);
        // The next evaluation computes the delivery from the speed kept.
        V->assignValue(Integer(203));
        QCOMPARE(text("Label21"), band);
        QCOMPARE(text("Label20"), delivery);
    }

    // A speed the bar cannot show stays in AirEndRpm, and the next change of
    // the power bar computes the delivery from it.
    void keptSpeedFeedsTheNextEvaluation()
    {
        H->assignValue(Integer(212));
        V->assignValue(Integer(202));
        pulleys(QStringLiteral("1450"), QStringLiteral("250"), QStringLiteral("100")); // 3625, bar 212 already
        QCOMPARE(text("Label4"), QStringLiteral("3620"));
        V->assignValue(Integer(204));
        QCOMPARE(text("Label21"), QStringLiteral("@ 7 bar"));
        QCOMPARE(text("Label20"), QStringLiteral("6.8")); // 6.7 at 3620 1/min
    }

    void calculationsWriteNoFigures()
    {
        V->assignValue(Integer(272));
        setText("Text1", QStringLiteral("30"));
        setText("Text2", QStringLiteral("20"));
        click("Command1"); // V already 272, pressure outside every band
        QCOMPARE(text("Text1"), QStringLiteral("30"));
        QCOMPARE(text("Text2"), QStringLiteral("20"));
    }
};

QTEST_MAIN(TestCalculations)
#include "test_calculations.moc"
