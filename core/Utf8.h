// Where text from outside (a file, a pipe) is checked to be UTF-8 before it is stored or shown.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorbit1 {

// Length of the UTF-8 sequence that starts at s[i] (i < s.size()), or 0 when it is not a
// valid one: no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i);

}  // namespace quorbit1
