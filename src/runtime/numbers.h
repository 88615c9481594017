// SPDX-License-Identifier: MIT
#pragma once

#include "types.h"

#include <QString>

#include <string_view>

namespace rt {

// Checks the result of a floating-point step: an infinite result is an
// Overflow error and a NaN an invalid operation.
Double checked(Double value);

// a / b in double precision, with the runtime's errors for a zero divisor.
Double divide(Double a, Double b);

// Narrowing to Single; a value beyond the Single range is an Overflow error.
Single toSingle(Double value);

// Float to Integer: to the nearest whole number, a tie going to the even one.
Integer toInteger(Double value);

// Text to Integer: the number the whole text spells (blanks around it
// allowed), rounded like a float; a text that is no number is a Type mismatch.
Integer toInteger(const QString& text);

// Int: the largest whole number not above the value.
Double intFloor(Double value);

// Integer arithmetic with the Integer range check.
Integer subtract(Integer a, Integer b);

// The lenient numeric read: the number the text begins with after leading
// blanks (optional sign, digits with "." as decimal point, optional exponent),
// 0 when it begins with none. Locale-independent. A number beyond the Double
// range is an Overflow error.
Double val(const QString& text);

// Integer to text: the digits, with "-" when negative, no blank.
QString str(Integer value);

// Pattern formatting for the patterns "#" (whole number, empty for 0) and
// "##.0" (one decimal, no leading zero below 1). Halves round away from zero,
// on the number's shortest decimal form for its type (a Double is first
// rounded to 15 significant digits). A negative number keeps its "-" even
// when it rounds to zero.
QString format(Single value, std::string_view pattern);
QString format(Double value, std::string_view pattern);

} // namespace rt
