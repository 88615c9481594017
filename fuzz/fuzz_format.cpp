// SPDX-License-Identifier: MIT
// Fuzzes the pattern formatting rt::format with the patterns "##.0" and "#",
// for Single and Double values.
//   - A NaN raises InvalidOperation and an infinity Overflow.
//   - "##.0" gives an optional "-", the whole part without leading zero
//     (nothing below 1), "." and one digit; "#" gives an optional "-" and
//     the whole number without leading zero (nothing for 0).
//   - The text starts with "-" exactly when the value is negative (also when
//     it rounds to zero).
//   - Read back with rt::val, the text lies within half a unit of its last
//     digit of the value, plus only the slack that the rounding to the
//     number's decimal form and the read-back need (see tolerance()).
//
// Input: byte 0 chooses the type (bit 0: Double) and how the value is made
// (bit 1: from the raw bits of the next 4 or 8 bytes; otherwise a whole
// number from them divided by 10^(byte 1 % 20), which reaches the halves
// and near-halves that the rounding has to get right).
#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, double value, bool isDouble, std::string_view pattern, const std::string& text)
{
    std::fprintf(stderr, "PROPERTY FAILED: %s\n  %s %.17g (%a) pattern \"%.*s\" text \"%s\"\n", what,
                 isDouble ? "Double" : "Single", value, value, int(pattern.size()), pattern.data(), text.c_str());
    std::abort();
}

// How far the read-back text may lie from the value v:
//   1. The rounding starts from a decimal form s of v. A Single's shortest
//      decimal form reads back as the same float, so it lies within half a
//      float ulp: |s - v| <= 2^-24 |v| (2^-150 below the normal range). A
//      Double is first rounded to 15 significant digits: with
//      10^(E-1) <= |v| < 10^E that is half a unit of 10^(E-15), so
//      |s - v| <= 0.5 * 10^-14 * |v| = 5e-15 |v|.
//   2. The pattern rounds s to its last digit: |t - s| <= half (0.05 or 0.5).
//   3. rt::val reads the exact decimal t as the nearest double r:
//      |r - t| <= 2^-53 |t| <= 2^-52 |r|.
//   4. The check itself computes in long double (64-bit mantissa): a relative
//      2^-60 on the whole bound covers its rounding.
long double tolerance(long double v, long double r, long double half, bool isDouble)
{
    const long double decimalForm = isDouble ? 5e-15L * std::fabs(v) : 0x1p-24L * std::fabs(v) + 0x1p-150L;
    return (half + decimalForm + 0x1p-52L * std::fabs(r)) * (1 + 0x1p-60L);
}

template <class Float>
void check(Float value, std::string_view pattern)
{
    constexpr bool isDouble = sizeof(Float) == sizeof(double);
    const double v = value; // exact
    const bool decimals = pattern == "##.0";
    const long double half = decimals ? 0.05L : 0.5L;

    QString formatted;
    try {
        formatted = rt::format(value, pattern);
    } catch (const rt::RuntimeError& error) {
        if (std::isnan(v) && error.kind() == rt::ErrorKind::InvalidOperation)
            return;
        if (std::isinf(v) && error.kind() == rt::ErrorKind::Overflow)
            return;
        fail("format raised an error", v, isDouble, pattern, error.what());
    }
    const std::string text = formatted.toStdString();
    if (!std::isfinite(v))
        fail("a NaN or infinity was formatted without error", v, isDouble, pattern, text);

    static const std::regex oneDecimal(R"(-?([1-9][0-9]*)?\.[0-9])");
    static const std::regex whole(R"(-?([1-9][0-9]*)?)");
    if (!std::regex_match(text, decimals ? oneDecimal : whole))
        fail("the text has not the pattern's form", v, isDouble, pattern, text);
    if ((text.size() > 0 && text[0] == '-') != (v < 0))
        fail("the text's sign differs from the value's", v, isDouble, pattern, text);

    double r = 0;
    try {
        r = rt::val(formatted);
    } catch (const rt::RuntimeError& error) {
        // A Double from 1.797693134862315e308 up rounds, at 15 digits, to
        // 1.79769313486232e308: beyond the Double range, so it reads back as
        // an Overflow.
        if (isDouble && error.kind() == rt::ErrorKind::Overflow &&
            std::fabs(std::strtold(text.c_str(), nullptr)) > 1.7976931348623157e308L)
            return;
        fail("the text does not read back", v, isDouble, pattern, text);
    }
    const long double diff = std::fabs(static_cast<long double>(r) - static_cast<long double>(v));
    if (diff > tolerance(v, r, half, isDouble))
        fail("the text read back is more than half a unit of its last digit off", v, isDouble, pattern, text);
}

template <class Float, class Bits, class Whole>
Float make(const std::uint8_t* data, std::size_t size, bool raw)
{
    Bits bits = 0;
    std::memcpy(&bits, data + 2, std::min(size > 2 ? size - 2 : 0, sizeof bits));
    if (raw) {
        Float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    const int scale = (size > 1 ? data[1] : 0) % 20;
    return static_cast<Float>(static_cast<double>(static_cast<Whole>(bits)) / std::pow(10.0, scale));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool isDouble = data[0] & 1;
    const bool raw = data[0] & 2;
    for (std::string_view pattern : {std::string_view("##.0"), std::string_view("#")}) {
        if (isDouble)
            check(make<double, std::uint64_t, std::int64_t>(data, size, raw), pattern);
        else
            check(make<float, std::uint32_t, std::int32_t>(data, size, raw), pattern);
    }
    return 0;
}
