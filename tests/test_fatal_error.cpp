// A runtime error outside error-skipping mode shows one message naming it
// and ends the program with exit status 1.
#include <QtTest>

class TestFatalError : public QObject {
    Q_OBJECT
private slots:
    void endsTheProgramAfterOneMessage()
    {
        QProcess program;
        program.start(QStringLiteral(FATAL_ERROR_PROGRAM), {});
        QVERIFY(program.waitForFinished(20000));
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(out, QStringLiteral("message: Runtime error: Overflow\n"));
    }
};

QTEST_GUILESS_MAIN(TestFatalError)
#include "test_fatal_error.moc"
