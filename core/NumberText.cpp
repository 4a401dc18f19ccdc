#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

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
#if defined(__cpp_lib_to_chars)
        end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
#else
        // The C++ library of Debian's WebAssembly toolchain has no to_chars for doubles. Its
        // printf rounds exactly too, and "%.*g" is by definition the same text.
        end.ptr = buf + std::snprintf(buf, sizeof buf, "%.*g", significant, value);
#endif
    }
    out.append(buf, end.ptr);
}

std::string AnswerText(double value) {
    std::string text;
    AppendNumberText(text, value, 15);
    return text;
}

}  // namespace quorbit1
