// SPDX-License-Identifier: MIT
// Number semantics of the form runtime: the lenient read, pattern formatting,
// rounding and the range errors.
#include "testsupport.h"

#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <QtTest>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

using namespace rt;

Q_DECLARE_METATYPE(rt::ErrorKind)

class TestNumbers : public QObject {
    Q_OBJECT

    static ErrorKind errorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.kind();
        }
        QTest::qFail("no runtime error raised", __FILE__, __LINE__);
        return ErrorKind::TypeMismatch;
    }

    const testsupport::ApplicationSettings initial = testsupport::ApplicationSettings::now();

    // A German locale built here, so that the test does not depend on the
    // locales the machine happens to have; once for all rows (localedef
    // takes a second or two). The folder that holds it, empty when it could
    // not be built.
    std::unique_ptr<QTemporaryDir> germanLocale_;
    QString germanLocale()
    {
        if (!germanLocale_) {
            germanLocale_ = std::make_unique<QTemporaryDir>();
            const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
            if (localedef.isEmpty() || !germanLocale_->isValid())
                return {};
            QProcess::execute(localedef,
                              {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                               QStringLiteral("UTF-8"), germanLocale_->filePath(QStringLiteral("de_DE.UTF-8"))});
        }
        return germanLocale_->isValid() && QFile::exists(germanLocale_->filePath(QStringLiteral("de_DE.UTF-8")))
                   ? germanLocale_->path()
                   : QString();
    }

private slots:
    void cleanup() { CHECK_APPLICATION_SETTINGS(initial); }

    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("integer") << "30" << 30.0;
        QTest::newRow("leading blanks") << "  \t8.5" << 8.5;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("letters first") << "abc12" << 0.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("minus sign") << "-5" << -5.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("no leading digit") << ".25" << 0.25;
        QTest::newRow("trailing point") << "7." << 7.0;
        QTest::newRow("exponent") << "1.5e2" << 150.0;
        QTest::newRow("capital exponent") << "2E-1" << 0.2;
        QTest::newRow("exponent without digits") << "3e" << 3.0;
        QTest::newRow("exponent sign without digits") << "3e+x" << 3.0;
        QTest::newRow("comma is no decimal point") << "8,5" << 8.0;
        QTest::newRow("second point ends the number") << "1.2.3" << 1.2;
        QTest::newRow("blank inside ends the number") << "1 2" << 1.0;
        QTest::newRow("inf is no number") << "inf" << 0.0;
        QTest::newRow("nan is no number") << "nan" << 0.0;
        QTest::newRow("hex is no number") << "0x1A" << 0.0;
        QTest::newRow("unicode digits are no digits") << QString::fromUtf8("\u0663") << 0.0;
        QTest::newRow("exact decimal") << "75.000001" << 75.000001;
        QTest::newRow("underflow gives zero") << "1e-400" << 0.0;
        QTest::newRow("negative underflow keeps the sign") << "-1e-400" << -0.0;
        QTest::newRow("underflow with a long mantissa") << "123456e-405" << 0.0;
        QTest::newRow("smallest subnormal") << "4.9406564584124654e-324" << std::numeric_limits<double>::denorm_min();
        QTest::newRow("smallest normal") << "2.2250738585072014e-308" << std::numeric_limits<double>::min();
        QTest::newRow("largest double") << "1.7976931348623157e308" << std::numeric_limits<double>::max();
        QTest::newRow("large exponent, small mantissa") << "0.0001e312" << 1e308;
        QTest::newRow("one tenth") << "0.1" << 0.1;
        QTest::newRow("halfway rounds to even") << "9007199254740993" << 9007199254740992.0;
        QTest::newRow("just above halfway") << "9007199254740993.0000000001" << 9007199254740994.0;
    }
    // Exact: the nearest double, bit for bit (QCOMPARE on doubles is fuzzy).
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(std::bit_cast<quint64>(rt::val(text)), std::bit_cast<quint64>(expected));
    }

    void valBeyondDoubleRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("1e309") << "1e309";
        QTest::newRow("-1e400") << "-1e400";
        QTest::newRow("400 digits") << QString(400, QLatin1Char('9'));
        QTest::newRow("rounds up past the largest double") << "1.7976931348623159e308";
        QTest::newRow("huge exponent") << "1e99999999999999999999";
    }
    void valBeyondDoubleRange()
    {
        QFETCH(QString, text);
        QCOMPARE(errorOf([&] { rt::val(text); }), ErrorKind::Overflow);
    }

    // Reading and writing ignore the process locale: under a German locale
    // (decimal comma) "8.5" is still eight and a half. Skips, never passes,
    // when the locale cannot be switched.
    void numbersIgnoreTheLocale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("read");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("point") << "8.5" << 8.5 << 8.25 << "8.3";
        QTest::newRow("comma ends the number") << "1,5" << 1.0 << 1234.56 << "1234.6";
        QTest::newRow("exponent") << " -2.25e1x" << -22.5 << -0.04 << "-.0";
    }
    void numbersIgnoreTheLocale()
    {
        QFETCH(QString, text);
        QFETCH(double, read);
        QFETCH(double, value);
        QFETCH(QString, formatted);
        const QString locales = germanLocale();
        if (locales.isEmpty())
            QSKIP("SKIPPED, NOT PASSED: localedef is missing, so no German locale can be built");
        // Put back as they were, whether the test passes or not.
        const std::string cLocale = std::setlocale(LC_ALL, nullptr);
        const bool hadLocPath = qEnvironmentVariableIsSet("LOCPATH");
        const QByteArray locPath = qgetenv("LOCPATH");
        const testsupport::KeepApplicationSettings keep; // QLocale's default
        const auto restore = qScopeGuard([&] {
            std::setlocale(LC_ALL, cLocale.c_str());
            if (hadLocPath)
                qputenv("LOCPATH", locPath);
            else
                qunsetenv("LOCPATH");
        });
        qputenv("LOCPATH", QFile::encodeName(locales));
        const bool switched =
            std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
        QLocale::setDefault(QLocale(QLocale::German));
        if (!switched)
            QSKIP(
                "SKIPPED, NOT PASSED: the German locale could not be switched on (are the locale sources installed?)");
        QCOMPARE(std::strtod("8.5", nullptr), 8.0); // the C library does read a decimal comma now
        QCOMPARE(rt::val(text), read);
        QCOMPARE(rt::format(value, "##.0"), formatted);
    }

    void formatSingle_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("single half rounds up") << 3.35f << "##.0"
                                               << "3.4";
        QTest::newRow("single half below") << 0.25f << "##.0"
                                           << ".3";
        QTest::newRow("no leading zero") << 0.333f << "##.0"
                                         << ".3";
        QTest::newRow("whole number") << 4.0f << "##.0"
                                      << "4.0";
        QTest::newRow("thirteen") << 13.0f << "##.0"
                                  << "13.0";
        QTest::newRow("zero") << 0.0f << "##.0"
                              << ".0";
        QTest::newRow("negative zero shows no sign") << -0.0f << "##.0"
                                                     << ".0";
        QTest::newRow("carry into the whole part") << 9.96f << "##.0"
                                                   << "10.0";
        QTest::newRow("negative") << -2.5f << "##.0"
                                  << "-2.5";
        QTest::newRow("negative half away from zero") << -0.05f << "##.0"
                                                      << "-.1";
        QTest::newRow("negative rounding to zero keeps sign") << -0.04f << "##.0"
                                                              << "-.0";
        QTest::newRow("more digits than the pattern") << 12345.67f << "##.0"
                                                      << "12345.7";
        QTest::newRow("tiny") << 1e-20f << "##.0"
                              << ".0";
        QTest::newRow("huge") << 1e20f << "#"
                              << "100000000000000000000";
        QTest::newRow("hash zero is empty") << 0.0f << "#"
                                            << "";
        QTest::newRow("hash rounds half up") << 2.5f << "#"
                                             << "3";
        QTest::newRow("hash below half is empty") << 0.4f << "#"
                                                  << "";
    }
    void formatSingle()
    {
        QFETCH(float, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(rt::format(value, std::string_view(pattern.toLatin1().constData())), expected);
    }

    void formatDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        // The power of chart rows as the speed bar computes it.
        QTest::newRow("row -1") << (225 - -1.0) * (75.0 / 225.0) << "##.0"
                                << "75.3";
        QTest::newRow("row 0") << (225 - 0.0) * (75.0 / 225.0) << "##.0"
                               << "75.0";
        QTest::newRow("row 112") << (225 - 112.0) * (75.0 / 225.0) << "##.0"
                                 << "37.7";
        QTest::newRow("row 223.5 (15 digits make it a half)") << (225 - 223.5) * (75.0 / 225.0) << "##.0"
                                                              << ".5";
        QTest::newRow("row 224") << (225 - 224.0) * (75.0 / 225.0) << "##.0"
                                 << ".3";
        QTest::newRow("binary below half") << 0.15 << "##.0"
                                           << ".2";
        QTest::newRow("speed") << 10.0 * 223 + 1500 << "#"
                               << "3730";
        QTest::newRow("hash zero") << 0.0 << "#"
                                   << "";
        QTest::newRow("hash negative") << -1510.0 << "#"
                                       << "-1510";
    }
    void formatDouble()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(rt::format(value, std::string_view(pattern.toLatin1().constData())), expected);
    }

    void toIntegerRounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5 to even 0") << 0.5 << 0;
        QTest::newRow("1.5 to even 2") << 1.5 << 2;
        QTest::newRow("212.5 to even 212") << 212.5 << 212;
        QTest::newRow("450.5 to even 450") << 450.5 << 450;
        QTest::newRow("-0.5 to 0") << -0.5 << 0;
        QTest::newRow("-1.5 to -2") << -1.5 << -2;
        QTest::newRow("124.44 down") << 124.44 << 124;
        QTest::newRow("223.33 down") << 223.33 << 223;
        QTest::newRow("top") << 32767.4 << 32767;
        QTest::newRow("bottom") << -32768.5 << -32768;
    }
    void toIntegerRounding()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(rt::toInteger(value)), expected);
    }

    void integerText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("digits") << "1500" << 1500;
        QTest::newRow("blanks around") << " 6000 " << 6000;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("negative") << "-12" << -12;
    }
    void integerText()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(rt::toInteger(text)), expected);
        QCOMPARE(rt::str(rt::Integer(expected)), QString::number(expected));
    }

    void errors_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<rt::ErrorKind>("kind");
        QTest::newRow("Integer above range") << 0 << ErrorKind::Overflow;
        QTest::newRow("Integer below range") << 1 << ErrorKind::Overflow;
        QTest::newRow("Integer subtraction") << 2 << ErrorKind::Overflow;
        QTest::newRow("Single overflow") << 3 << ErrorKind::Overflow;
        QTest::newRow("division by zero") << 4 << ErrorKind::DivisionByZero;
        QTest::newRow("zero by zero") << 5 << ErrorKind::InvalidOperation;
        QTest::newRow("infinite result") << 6 << ErrorKind::Overflow;
        QTest::newRow("empty text as Integer") << 7 << ErrorKind::TypeMismatch;
        QTest::newRow("letters as Integer") << 8 << ErrorKind::TypeMismatch;
        QTest::newRow("32767.5 as Integer") << 9 << ErrorKind::Overflow;
        QTest::newRow("NaN as Single") << 10 << ErrorKind::InvalidOperation;
    }
    void errors()
    {
        QFETCH(int, which);
        QFETCH(rt::ErrorKind, kind);
        const std::function<void()> cases[] = {
            [] { rt::toInteger(32767.5); },
            [] { rt::toInteger(-32769.0); },
            [] { rt::subtract(rt::Integer(-31269), rt::Integer(1500)); },
            [] { rt::toSingle(3.5e38); },
            [] { rt::divide(1, 0); },
            [] { rt::divide(0, 0); },
            [] { rt::checked(std::numeric_limits<double>::max() * 2); },
            [] { rt::toInteger(QString()); },
            [] { rt::toInteger(QStringLiteral("12abc")); },
            [] { rt::toInteger(QStringLiteral("32767.5")); },
            [] { rt::toSingle(std::nan("")); },
        };
        QCOMPARE(errorOf(cases[which]), kind);
    }

    void rangeEdgesPass()
    {
        QCOMPARE(int(rt::subtract(rt::Integer(-31268), rt::Integer(1500))), -32768);
        QCOMPARE(rt::toSingle(75.000001), 75.0f);
        QCOMPARE(rt::toSingle(3.4028234e38), std::numeric_limits<float>::max());
        QCOMPARE(rt::toSingle(1e-50), 0.0f);
    }

    void errorSkippingGoesOn()
    {
        const ErrorSkipping next;
        int ran = 0;
        int value = 7;
        next([&] {
            value = rt::toInteger(40000.0);
            ++ran;
        });
        next([&] { ++ran; });
        QCOMPARE(value, 7); // the abandoned statement left its target alone
        QCOMPARE(ran, 1);
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
