// SPDX-License-Identifier: MIT
// A runtime error outside error-skipping mode shows one message naming it
// and ends the program with exit status 1; where nobody can answer the
// message, it goes to standard error instead.
#include <QtTest>

class TestFatalError : public QObject {
    Q_OBJECT

    struct Run {
        bool finished = false;
        int exitCode = -1;
        QString out, err;
    };
    static Run run(const QStringList& arguments, const QProcessEnvironment& environment)
    {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(FATAL_ERROR_PROGRAM), arguments);
        Run r;
        r.finished = program.waitForFinished(20000) && program.exitStatus() == QProcess::NormalExit;
        if (!r.finished)
            program.kill();
        r.exitCode = program.exitCode();
        r.out = QString::fromLocal8Bit(program.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(program.readAllStandardError());
        return r;
    }

private slots:
    // Nobody answers: no timer closes a box, so a box would hang the program.
    void noDisplayWritesToStandardError_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::newRow("offscreen") << "offscreen";
        QTest::newRow("minimal") << "minimal";
    }
    void noDisplayWritesToStandardError()
    {
        QFETCH(QString, platform);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        const Run r = run({}, env);
        QVERIFY2(r.finished, "the program did not end");
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.endsWith(QStringLiteral("Runtime error: Overflow\n")), qPrintable(r.err));
    }

    // On a real display the runtime shows one message box, and the program
    // ends when it is answered.
    void displayShowsOneMessage()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("Xvfb is not installed: the message box cannot be shown here");
        QProcess server;
        server.start(xvfb,
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                      QStringLiteral("800x600x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QVERIFY(server.waitForReadyRead(10000));
        const QString display = QString::fromLatin1(server.readLine()).trimmed();
        QVERIFY(!display.isEmpty());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
        const Run r = run({QStringLiteral("--answer")}, env);
        server.terminate();
        server.waitForFinished(5000);
        QVERIFY2(r.finished, "the program did not end");
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QStringLiteral("message: Runtime error: Overflow\n"));
    }
};

QTEST_GUILESS_MAIN(TestFatalError)
#include "test_fatal_error.moc"
