// Texts with numbered places, "%1" to "%9", as the dialog's translations have them: the
// English the command line prints is the template with its places filled, and the dialog and
// the page look the same template up in their translations first.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorbit1 {

// pattern with each "%n" replaced by the n-th of args (counted from 1); a "%n" with no such
// argument, and any other '%', stay as they are.
inline std::string FillTemplate(std::string_view pattern,
                                std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '0');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n <= args.size()) {
            out += *(args.begin() + (n - 1));
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace quorbit1
