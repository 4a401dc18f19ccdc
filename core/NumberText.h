// The text form of numbers as the calculator shows them: the answer field's 15 significant
// digits, and the 17 that the command line's JSON gives for an exact value.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace quorbit1 {

// Whether two doubles are the same bits: -0 is not +0, and a NaN is itself.
inline bool SameBits(double a, double b) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

// The answer's text form: 15 significant digits as "%.15g" writes them, every NaN as "nan",
// infinities as "inf" and "-inf".
std::string AnswerText(double value);

// Appends a number as "%.<significant>g" writes it in the C locale, with NaN and infinities as
// AnswerText writes them.
void AppendNumberText(std::string& out, double value, int significant);

// A numeral of digits with at most one point, as strtod reads it, when it has at most 15
// significant digits and 22 after the point: the digits and the power of ten are both exact
// doubles, so one division rounds the quotient correctly (Clinger's fast path), without the
// C library, which is slow where long double is emulated. nullopt for anything longer, which is
// left to the library, as is anything but such a numeral.
std::optional<double> ReadShortNumeral(std::string_view numeral);

}  // namespace quorbit1
