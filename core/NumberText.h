// The text form of numbers as the calculator shows them: the answer field's 15 significant
// digits, and the 17 that the command line's JSON gives for an exact value.
#pragma once

#include <string>

namespace quorbit1 {

// The answer's text form: 15 significant digits as "%.15g" writes them, every NaN as "nan",
// infinities as "inf" and "-inf".
std::string AnswerText(double value);

// Appends a number as "%.<significant>g" writes it in the C locale, with NaN and infinities as
// AnswerText writes them.
void AppendNumberText(std::string& out, double value, int significant);

}  // namespace quorbit1
