// SPDX-License-Identifier: MIT
#include "numbers.h"

#include "errors.h"

#include <QByteArray>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace rt {

Double checked(Double value)
{
    if (std::isnan(value))
        raiseError(ErrorKind::InvalidOperation);
    if (std::isinf(value))
        raiseError(ErrorKind::Overflow);
    return value;
}

Double divide(Double a, Double b)
{
    if (b == 0.0)
        raiseError(a == 0.0 || std::isnan(a) ? ErrorKind::InvalidOperation : ErrorKind::DivisionByZero);
    return checked(a / b);
}

Single toSingle(Double value)
{
    checked(value);
    const auto narrowed = static_cast<Single>(value);
    if (std::isinf(narrowed))
        raiseError(ErrorKind::Overflow);
    return narrowed;
}

Integer toInteger(Double value)
{
    if (std::isnan(value))
        raiseError(ErrorKind::Overflow);
    const Double rounded = std::nearbyint(value); // the default mode rounds ties to even
    if (rounded < std::numeric_limits<Integer>::min() || rounded > std::numeric_limits<Integer>::max())
        raiseError(ErrorKind::Overflow);
    return static_cast<Integer>(rounded);
}

Double intFloor(Double value)
{
    return std::floor(checked(value));
}

Integer subtract(Integer a, Integer b)
{
    const int result = int(a) - int(b);
    if (result < std::numeric_limits<Integer>::min() || result > std::numeric_limits<Integer>::max())
        raiseError(ErrorKind::Overflow);
    return static_cast<Integer>(result);
}

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Scans a number at text[pos]: optional sign, digits with an optional "."
// part, optional exponent. Returns the end of the number, or pos when there
// is no digit. The number's characters are appended to out.
qsizetype scanNumber(const QString& text, qsizetype pos, std::string& out)
{
    const qsizetype n = text.size();
    qsizetype i = pos;
    std::string s;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        s += char(text[i++].unicode());
    bool digits = false;
    while (i < n && isDigit(text[i])) {
        s += char(text[i++].unicode());
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        s += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            s += char(text[i++].unicode());
            digits = true;
        }
    }
    if (!digits)
        return pos;
    // The exponent counts only when at least one digit follows.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string e = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            e += char(text[j++].unicode());
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                e += char(text[j++].unicode());
            s += e;
            i = j;
        }
    }
    out += s;
    return i;
}

// The power of ten of a scanned number's leading digit (2 for "123.4",
// -2 for "0.01e0"), with the exponent saturated far beyond any double.
long long leadingPower(const std::string& number)
{
    const std::size_t e = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return 0;
    const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    long long power = first < intEnd ? (long long)(intEnd - first) - 1 : -(long long)(first - intEnd);
    long long exponent = 0;
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        for (; i < number.size() && exponent < 1'000'000'000; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    return power + exponent;
}

// Converts a number as scanned above, exactly (to the nearest double) and
// whatever the locale: Qt's conversion always reads the C locale's form. It
// fails for a number beyond the Double range (an Overflow error) and for one
// too small for it (0, with the number's sign).
Double toDouble(const std::string& number)
{
    bool ok = false;
    const Double value = QByteArray(number.data(), qsizetype(number.size())).toDouble(&ok);
    if (ok && std::isfinite(value))
        return value;
    if (std::isinf(value) || leadingPower(number) > 0)
        raiseError(ErrorKind::Overflow);
    return number.front() == '-' ? -0.0 : 0.0;
}

} // namespace

Double val(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string number;
    if (scanNumber(text, i, number) == i)
        return 0.0;
    return toDouble(number);
}

Integer toInteger(const QString& text)
{
    const QString trimmed = text.trimmed();
    std::string number;
    if (trimmed.isEmpty() || scanNumber(trimmed, 0, number) != trimmed.size())
        raiseError(ErrorKind::TypeMismatch);
    return toInteger(toDouble(number));
}

QString str(Integer value)
{
    return QString::number(value);
}

namespace {

// A decimal form: value = 0.digits x 10^exponent, digits without leading zero.
struct Decimal {
    bool negative = false;
    std::string digits; // empty for zero
    int exponent = 0;
};

// The decimal form of a number from to_chars' scientific form ("d.ddde+XX").
Decimal decimalFrom(const char* first, const char* last)
{
    Decimal d;
    const std::string s(first, last);
    std::size_t i = 0;
    if (s[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = s.find('e');
    for (std::size_t k = i; k < e; ++k)
        if (s[k] != '.')
            d.digits += s[k];
    int exp10 = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exp10);
    d.exponent = exp10 + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) { // zero, also -0: no sign
        d.exponent = 0;
        d.negative = false;
    }
    return d;
}

Decimal shortestDecimal(Single value)
{
    std::array<char, 64> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific);
    return decimalFrom(buf.data(), r.ptr);
}

Decimal shortestDecimal(Double value)
{
    std::array<char, 64> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 14);
    return decimalFrom(buf.data(), r.ptr);
}

QString formatDecimal(const Decimal& d, std::string_view pattern)
{
    const std::size_t point = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, point);
    const int decimals = point == std::string_view::npos ? 0 : int(pattern.size() - point - 1);
    int minIntDigits = 0;
    for (char c : intPattern)
        if (c == '0')
            ++minIntDigits;

    // value x 10^decimals, rounded half away from zero, as a digit string.
    const int kept = d.exponent + decimals; // digits left of the rounding point
    std::string scaled = "0";               // a spare leading digit takes the carry of the rounding
    bool roundUp = false;
    if (!d.digits.empty() && kept >= 0) {
        for (int k = 0; k < kept; ++k)
            scaled += k < int(d.digits.size()) ? d.digits[k] : '0';
        roundUp = kept < int(d.digits.size()) && d.digits[kept] >= '5';
    }
    if (roundUp) {
        std::size_t k = scaled.size() - 1;
        while (scaled[k] == '9')
            scaled[k--] = '0';
        ++scaled[k];
    }
    if (int(scaled.size()) < decimals)
        scaled.insert(0, decimals - scaled.size(), '0');

    std::string intPart = scaled.substr(0, scaled.size() - decimals);
    const std::string fracPart = scaled.substr(scaled.size() - decimals);
    const std::size_t nonZero = intPart.find_first_not_of('0');
    intPart = nonZero == std::string::npos ? std::string() : intPart.substr(nonZero);
    if (int(intPart.size()) < minIntDigits)
        intPart.insert(0, minIntDigits - intPart.size(), '0');

    std::string out = d.negative ? "-" : "";
    out += intPart;
    if (decimals > 0)
        out += "." + fracPart;
    return QString::fromLatin1(out.c_str());
}

} // namespace

QString format(Single value, std::string_view pattern)
{
    checked(value);
    return formatDecimal(shortestDecimal(value), pattern);
}

QString format(Double value, std::string_view pattern)
{
    checked(value);
    return formatDecimal(shortestDecimal(value), pattern);
}

} // namespace rt
