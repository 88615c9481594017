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

    // Every failure inside a handler ends the program once, with the
    // error's name, and nothing after it in the handler runs.
    void handlerBoundary_data()
    {
        QTest::addColumn<QString>("raise");
        QTest::addColumn<QString>("name");
        QTest::newRow("division by zero") << "divide"
                                          << "Division by zero";
        QTest::newRow("memory exhausted") << "bad_alloc"
                                          << "Out of memory";
        QTest::newRow("a foreign exception") << "logic_error"
                                             << "Internal error";
        QTest::newRow("an empty handler") << "empty_function"
                                          << "Internal error";
        // Through a control's event, raised as the user raises it.
        QTest::newRow("a button's click") << "click"
                                          << "Overflow";
        QTest::newRow("a scroll bar's change") << "change"
                                               << "Overflow";
        QTest::newRow("a press on a picture") << "press"
                                              << "Overflow";
    }
    void handlerBoundary()
    {
        QFETCH(QString, raise);
        QFETCH(QString, name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const Run r = run({raise}, env);
        QVERIFY2(r.finished, "the program did not end");
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err.count(QStringLiteral("Runtime error: ")), 1);
        QVERIFY2(r.err.endsWith(QStringLiteral("Runtime error: ") + name + QLatin1Char('\n')), qPrintable(r.err));
    }

    // On a real display the runtime shows one message box, and the program
    // ends when it is answered. CTest runs this in an X server of its own
    // (tests/session.sh --x).
    void displayShowsOneMessage()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X display: run through tests/session.sh --x");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const Run r = run({QStringLiteral("--answer")}, env);
        QVERIFY2(r.finished, "the program did not end");
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QStringLiteral("message: Runtime error: Overflow\n"));
    }
};

QTEST_GUILESS_MAIN(TestFatalError)
#include "test_fatal_error.moc"
