// What a text gives when read the way school arithmetic reads it: brackets first, then '^'
// (right-associative), then a sign, then '*' and '/', then '+' and '-', left to right; the same
// ten functions with the same degree factors. Shown beside the calculator's own answer so a
// surprising result can be understood. It is never used for the answer itself.
#pragma once

#include <string>
#include <string_view>

namespace quorbit1 {

struct UsualResult {
    bool ok = false;  // false: the text is not an expression in this reading
    double value = 0.0;
    std::string error;  // why not, when ok is false
};

struct Variables {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double t = 0.0;
};

UsualResult EvaluateUsual(std::string_view text, int angleMode, const Variables& vars = {});

}  // namespace quorbit1
