// The character classes the scanners test with, each defined by its literal string and looked
// up in one table. NUL, which every position past the text holds, belongs to no class.
#pragma once

#include <array>

namespace charclass {

enum : unsigned char {
    kNumber = 1 << 0,           // "1234567890."
    kLetter = 1 << 1,           // "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    kOperatorOrSpace = 1 << 2,  // "^+-*/ "
    kOperator = 1 << 3,         // "+-*/^"
    kDigit = 1 << 4,            // "1234567890"
};

constexpr std::array<unsigned char, 256> BuildTable() {
    std::array<unsigned char, 256> table{};
    const struct {
        const char* members;
        unsigned char cls;
    } classes[] = {{"1234567890.", kNumber},
                   {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", kLetter},
                   {"^+-*/ ", kOperatorOrSpace},
                   {"+-*/^", kOperator},
                   {"1234567890", kDigit}};
    for (const auto& c : classes) {
        for (const char* p = c.members; *p != '\0'; ++p) {
            table[static_cast<unsigned char>(*p)] |= c.cls;
        }
    }
    return table;
}

inline constexpr std::array<unsigned char, 256> kTable = BuildTable();

inline bool Is(char c, unsigned char cls) {
    return (kTable[static_cast<unsigned char>(c)] & cls) != 0;
}

}  // namespace charclass
