// SPDX-License-Identifier: MIT
// The chart window's picture box reads back exactly the shipped chart file,
// pixel for pixel, whatever is drawn over it, and -1 outside the picture.
#include "bmp_reader.h"
#include "testsupport.h"

#include "runtime/controls.h"
#include "ui/chartwindow.h"

#include <QtTest>

class TestPicturePoint : public QObject {
    Q_OBJECT

    BmpReader file;

    // The colour value of pixel (x, y) straight from the BMP bytes.
    rt::Long fromFile(int x, int y) const { return rt::Long(file.color(x, y)); }

private slots:
    void initTestCase()
    {
        QVERIFY(file.load(QStringLiteral(ASSETS_DIR "/chart.bmp")));
        QCOMPARE(file.size(), 273656);
        QCOMPARE(QSize(file.width(), file.height()), QSize(405, 225));
        QCOMPARE(file.bitsPerPixel(), 24);
        QVERIFY(file.pixelsInside());
    }

    void everyPixel_data()
    {
        QTest::addColumn<bool>("crossHairOnChart");
        QTest::newRow("cross-hair parked") << false;
        QTest::newRow("cross-hair and marker over the chart") << true;
    }
    void everyPixel()
    {
        QFETCH(bool, crossHairOnChart);
        ui::ChartWindow w;
        FIND(rt::PictureBox, picture, &w, "Picture1");
        FIND(rt::ScrollBar, speed, &w, "HScroll1");
        FIND(rt::ScrollBar, power, &w, "VScroll1");
        if (crossHairOnChart) {
            speed->assignValue(223);
            power->assignValue(226);
        }
        int mismatches = 0;
        for (int y = 0; y < 225; ++y)
            for (int x = 0; x < 405; ++x)
                if (picture->Point(rt::Single(x), rt::Single(y)) != fromFile(x, y) ||
                    picture->Point(x + 0.75f, y + 0.5f) != fromFile(x, y))
                    ++mismatches;
        QCOMPARE(mismatches, 0);
    }

    void outside_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::newRow("row -1") << 100.0f << -1.0f;
        QTest::newRow("row -0.5") << 100.0f << -0.5f;
        QTest::newRow("row 225") << 100.0f << 225.0f;
        QTest::newRow("row 225.25") << 0.0f << 225.25f;
        QTest::newRow("column -0.1") << -0.1f << 100.0f;
        QTest::newRow("column 405") << 405.0f << 100.0f;
        QTest::newRow("far away") << -1e30f << 1e30f;
    }
    void outside()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        ui::ChartWindow w;
        FIND(rt::PictureBox, picture, &w, "Picture1");
        QCOMPARE(picture->Point(x, y), rt::Long(-1));
    }
};

QTEST_MAIN(TestPicturePoint)
#include "test_picture_point.moc"
