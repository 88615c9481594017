// SPDX-License-Identifier: MIT
// What the program sets before its QApplication exists: the rounding of the
// screens' scale, by where the scale comes from.
#include "ui/application.h"

#include <QGuiApplication>
#include <QtTest>

#include <array>

class TestApplication : public QObject {
    Q_OBJECT

    static constexpr std::array variables{"QT_SCREEN_SCALE_FACTORS", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE",
                                          "QT_QPA_PLATFORM", "DISPLAY"};

private slots:
    void cleanup()
    {
        for (const char* variable : variables)
            qunsetenv(variable);
    }

    void roundingPolicy_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<Qt::HighDpiScaleFactorRoundingPolicy>("policy");
        using P = Qt::HighDpiScaleFactorRoundingPolicy;
        QTest::newRow("X11, scale from the resolution")
            << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"} << P::Round;
        QTest::newRow("xcb named, no session type") << QStringList{"DISPLAY=:0", "QT_QPA_PLATFORM=xcb"} << P::Round;
        QTest::newRow("offscreen") << QStringList{"QT_QPA_PLATFORM=offscreen"} << P::Round;
        QTest::newRow("X11, screen factors given")
            << QStringList{"DISPLAY=:0", "QT_SCREEN_SCALE_FACTORS=LEFT=1;RIGHT=1.5"} << P::PassThrough;
        QTest::newRow("Wayland display") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << P::PassThrough;
        QTest::newRow("Wayland session, XWayland")
            << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=wayland", "QT_QPA_PLATFORM=xcb"} << P::PassThrough;
        QTest::newRow("wayland named") << QStringList{"QT_QPA_PLATFORM=wayland"} << P::PassThrough;
        QTest::newRow("wayland-egl named") << QStringList{"QT_QPA_PLATFORM=wayland-egl"} << P::PassThrough;
    }
    void roundingPolicy()
    {
        QFETCH(QStringList, environment);
        QFETCH(Qt::HighDpiScaleFactorRoundingPolicy, policy);
        for (const char* variable : variables)
            qunsetenv(variable);
        for (const QString& setting : environment) {
            const qsizetype equals = setting.indexOf(QLatin1Char('='));
            qputenv(setting.left(equals).toLocal8Bit().constData(), setting.mid(equals + 1).toLocal8Bit());
        }
        // From the opposite policy, so that a policy left alone fails.
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(policy == Qt::HighDpiScaleFactorRoundingPolicy::Round
                                                                 ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
                                                                 : Qt::HighDpiScaleFactorRoundingPolicy::Round);
        ui::prepareApplication();
        QCOMPARE(QGuiApplication::highDpiScaleFactorRoundingPolicy(), policy);
    }
};

QTEST_APPLESS_MAIN(TestApplication)
#include "test_application.moc"
