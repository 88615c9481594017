// SPDX-License-Identifier: MIT
// Evaluation of the cross-hair point on the real chart window: pressure,
// delivery with its band, and the red flags, driven through the scroll bars.
#include "chart_fixture.h"

#include "chart/colors.h"

using namespace rt;
using chart::colors::Red;

class TestEvaluation : public QObject, ChartFixture {
    Q_OBJECT

    Long fore(const char* name)
    {
        QWidget* figure = find(name);
        if (auto* t = qobject_cast<TextBox*>(figure))
            return t->ForeColor();
        if (auto* l = qobject_cast<Label*>(figure))
            return l->ForeColor();
        return -1;
    }
    // The figures left red, in the order Text1, Label4, Text2, Label20.
    QStringList red()
    {
        QStringList out;
        for (const char* n : {"Text1", "Label4", "Text2", "Label20"})
            if (fore(n) == Red)
                out << QString::fromLatin1(n);
            else if (fore(n) != 0)
                out << QStringLiteral("odd color on %1").arg(n);
        return out;
    }
    // Moves both bars to (h, v) so that each really changes, H last.
    void moveTo(int h, int v)
    {
        V->assignValue(Integer(v == 1 ? 3 : 1));
        V->assignValue(Integer(v));
        H->assignValue(Integer(h == 1 ? 3 : 1));
        H->assignValue(Integer(h));
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void points_data()
    {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("delivery");
        QTest::addColumn<QStringList>("redFigures");
        const QStringList none, all{"Text1", "Label4", "Text2", "Label20"}, pressure{"Text2", "Label20"},
            power{"Text1", "Label4"};
        QTest::newRow("case 6") << 202 << 200 << "9.2"
                                << "@ 7 bar"
                                << "6.5" << none;
        QTest::newRow("case 3") << 202 << 300 << "4.3"
                                << "@ 4 bar"
                                << "8.7" << none;
        QTest::newRow("case 1") << 202 << 350 << "4.0"
                                << "@ 4 bar"
                                << "9.8" << pressure;
        QTest::newRow("case 11") << 202 << 100 << "13.0"
                                 << "@ 13 bar"
                                 << "4.4" << pressure;
        QTest::newRow("case 10") << 202 << 140 << "13.0"
                                 << "@ 13 bar"
                                 << "5.2" << none;
        QTest::newRow("row 50 light 4 bar, right of 7 bar") << 102 << 400 << "5.5"
                                                            << "@ 4 bar"
                                                            << "10.8" << power;
        QTest::newRow("row 50 left of 7 bar") << 102 << 300 << "9.6"
                                              << "@ 7 bar"
                                              << "8.6" << none;
        QTest::newRow("row 0 case 8") << 2 << 330 << "12.5"
                                      << "@ 10 bar"
                                      << "9.0" << power;
        QTest::newRow("row 0 case 5") << 2 << 400 << "7.0"
                                      << "@ 7 bar"
                                      << "10.6" << all;
        QTest::newRow("row 32 case 4") << 66 << 420 << "4.0"
                                       << "@ 4 bar"
                                       << "11.2" << all;
        QTest::newRow("row 183 case 5") << 368 << 200 << "7.0"
                                        << "@ 7 bar"
                                        << "6.5" << all;
        QTest::newRow("off chart, c < 0") << 0 << 0 << "13.0"
                                          << "@ 13 bar"
                                          << "2.5" << pressure;
        QTest::newRow("off chart, c > 0") << 0 << 200 << "7.0"
                                          << "@ 7 bar"
                                          << "6.5" << all;
        // Further points: on a curve, pressure bands at their bounds, rows without curves.
        QTest::newRow("on the 10 bar curve, 10 in the 10 bar band") << 214 << 170 << "10.0"
                                                                    << "@ 10 bar"
                                                                    << "5.9" << none;
        QTest::newRow("on the 7 bar curve") << 122 << 340 << "7.0"
                                            << "@ 7 bar"
                                            << "9.4" << none;
        QTest::newRow("on the 4 bar curve") << 170 << 350 << "4.0"
                                            << "@ 4 bar"
                                            << "9.8" << none;
        QTest::newRow("6 exactly, in the 4 bar band") << 150 << 330 << "6.0"
                                                      << "@ 4 bar"
                                                      << "9.3" << none;
        QTest::newRow("row 193, no curve, c > 0") << 388 << 100 << "7.0"
                                                  << "@ 7 bar"
                                                  << "4.5" << all;
        QTest::newRow("row 224, c < 0") << 450 << 0 << "13.0"
                                        << "@ 13 bar"
                                        << "2.5" << pressure;
        QTest::newRow("odd V reads row k") << 203 << 200 << "9.2"
                                           << "@ 7 bar"
                                           << "6.5" << none;
        QTest::newRow("row 15, the 7 bar curve ends light") << 32 << 400 << "8.5"
                                                            << "@ 7 bar"
                                                            << "10.6" << power;
        QTest::newRow("row 190, only 4 bar") << 382 << 100 << "7.0"
                                             << "@ 7 bar"
                                             << "4.5" << all;
        // The scan runs to the last column, 404: the 7 bar curve enters the
        // chart there on rows 9 and 10, the 4 bar curve on row 45.
        QTest::newRow("row 9, the 7 bar curve only in column 404") << 20 << 450 << "7.0"
                                                                   << "@ 7 bar"
                                                                   << "11.6" << power;
        QTest::newRow("row 10, the 7 bar curve only in column 404") << 22 << 450 << "7.0"
                                                                    << "@ 7 bar"
                                                                    << "11.6" << power;
        QTest::newRow("row 10, left of column 404") << 22 << 440 << "7.4"
                                                    << "@ 7 bar"
                                                    << "11.4" << power;
        QTest::newRow("row 45, the 4 bar curve only in column 404") << 92 << 450 << "4.0"
                                                                    << "@ 4 bar"
                                                                    << "11.8" << power;
        QTest::newRow("row 45, left of column 404") << 92 << 440 << "4.4"
                                                    << "@ 4 bar"
                                                    << "11.6" << power;
    }
    void points()
    {
        QFETCH(int, v);
        QFETCH(int, h);
        QFETCH(QString, pressure);
        QFETCH(QString, band);
        QFETCH(QString, delivery);
        QFETCH(QStringList, redFigures);
        moveTo(h, v);
        QCOMPARE(text("Text2"), pressure);
        QCOMPARE(text("Label21"), band);
        QCOMPARE(text("Label20"), delivery);
        QCOMPARE(red(), redFigures);
    }

    void redThenBlack()
    {
        moveTo(400, 2); // all four red
        QCOMPARE(red().size(), 4);
        FIND(QWidget, pressure, w.get(), "Text2");
        QCOMPARE(pressure->accessibleDescription().isEmpty(), false);
        moveTo(200, 202);
        QCOMPARE(red(), QStringList());
        QCOMPARE(pressure->accessibleDescription(), QString());
    }

    // Before any speed change AirEndRpm is 0: the delivery is computed at
    // 0 1/min, and the point (c = -1) is off the chart.
    void firstPowerChangeUsesSpeedZero()
    {
        V->assignValue(Integer(202));
        QCOMPARE(text("Text2"), QStringLiteral("13.0"));
        QCOMPARE(text("Label20"), QStringLiteral("-.4"));
        QCOMPARE(red(), (QStringList{"Text2", "Label20"}));
    }
};

QTEST_MAIN(TestEvaluation)
#include "test_evaluation.moc"
