// SPDX-License-Identifier: MIT
// Fuzzes the lenient numeric read rt::val with arbitrary text.
//   - The result is a finite number, or the read raises Overflow; no other
//     error, never a NaN or an infinity.
//   - Blanks before the number and any text after a non-number character do
//     not change the result.
#include "runtime/errors.h"
#include "runtime/numbers.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "PROPERTY FAILED: %s\n  text: \"%s\"\n", what, text.toUtf8().constData());
    std::abort();
}

// The value read, or nothing for an Overflow error.
std::optional<double> read(const QString& text)
{
    double value = 0;
    try {
        value = rt::val(text);
    } catch (const rt::RuntimeError& error) {
        if (error.kind() != rt::ErrorKind::Overflow)
            fail("val raised an error other than Overflow", text);
        return std::nullopt;
    }
    if (std::isnan(value))
        fail("val returned NaN", text);
    if (std::isinf(value))
        fail("val returned an infinity without raising Overflow", text);
    return value;
}

bool sameResult(std::optional<double> a, std::optional<double> b)
{
    if (!a || !b)
        return !a && !b;
    return std::memcmp(&*a, &*b, sizeof(double)) == 0; // -0 and 0 differ
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = read(text);
    if (!sameResult(read(QStringLiteral(" \t\r\n") + text), value))
        fail("leading blanks changed the result", text);
    if (!sameResult(read(text + QStringLiteral("x1")), value))
        fail("text after the number changed the result", text);
    return 0;
}
