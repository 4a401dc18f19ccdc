#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace quorbit1 {

void AppendNumberText(std::string& out, double value, int significant) {
    if (std::isnan(value)) {
        out += "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "inf" : "-inf";
        return;
    }
    char buf[32];
    std::to_chars_result end{};
    // Whole numbers, the most common answers, have no exponent and no fraction to round at
    // either precision, so they are written as integers, much faster; "%g" writes -0 as "-0".
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        if (value == 0 && std::signbit(value)) {
            out += "-0";
            return;
        }
        end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
    } else {
        end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    }
    out.append(buf, end.ptr);
}

std::string AnswerText(double value) {
    std::string text;
    AppendNumberText(text, value, 15);
    return text;
}

}  // namespace quorbit1
