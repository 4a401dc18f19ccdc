// The ten functions' codes as the scanner writes them, their names as typed, and the fixed
// factors with which degrees are converted. Part of the calculator's definition, shared by the
// evaluator and anything that explains or mirrors it.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace quorbit1_functions {

// Degrees to radians and radians to degrees: fixed constants of the calculator, not pi/180 and
// 180/pi; they are part of the answers users know.
inline constexpr double kDegreeFactor = 0x1.1df469fc647bp-6;  // 0.01745329237161969
inline constexpr double kRadianFactor = 57.3;

inline constexpr int kFunctionCount = 10;

// The name of a function code (1 SIN .. 10 ALN) in capitals, "" for 0 and "?" for anything else.
constexpr const char* FunctionName(int funcCode) {
    constexpr const char* names[] = {"",     "SIN", "COS", "TAN",  "ASIN", "ACOS",
                                     "ATAN", "LOG", "LN",  "ALOG", "ALN"};
    return funcCode >= 0 && funcCode <= kFunctionCount ? names[funcCode] : "?";
}

// A function name at the start of four letters in capitals: its code (0 for none) and its
// length. A name is matched by its own letters alone, never by what follows it, so 'SINH' is
// SIN and then an unknown 'H'.
struct NameMatch {
    int code = 0;
    int length = 0;
};

// Each name packed into four bytes, first letter lowest, with a mask of the bytes it uses.
struct PackedName {
    std::uint32_t letters = 0;
    std::uint32_t mask = 0;
    int length = 0;
};

inline constexpr std::array<PackedName, kFunctionCount + 1> kPackedNames = [] {
    std::array<PackedName, kFunctionCount + 1> packed{};
    for (int code = 1; code <= kFunctionCount; ++code) {
        const char* name = FunctionName(code);
        PackedName& p = packed[static_cast<std::size_t>(code)];
        for (; name[p.length] != '\0'; ++p.length) {
            p.letters |= std::uint32_t{static_cast<unsigned char>(name[p.length])}
                         << (8 * p.length);
            p.mask |= std::uint32_t{0xff} << (8 * p.length);
        }
    }
    return packed;
}();

// For each capital, the codes of the names that begin with it, ending in 0.
inline constexpr std::array<std::array<int, kFunctionCount + 1>, 26> kNamesByFirstLetter = [] {
    std::array<std::array<int, kFunctionCount + 1>, 26> byFirst{};
    for (int code = 1; code <= kFunctionCount; ++code) {
        auto& list = byFirst[static_cast<std::size_t>(FunctionName(code)[0] - 'A')];
        std::size_t end = 0;
        while (list[end] != 0) {
            ++end;
        }
        list[end] = code;
    }
    return byFirst;
}();

inline NameMatch MatchFunctionName(char c0, char c1, char c2, char c3) {
    if (c0 < 'A' || c0 > 'Z') {
        return {};
    }
    const std::uint32_t letters = std::uint32_t{static_cast<unsigned char>(c0)} |
                                  std::uint32_t{static_cast<unsigned char>(c1)} << 8 |
                                  std::uint32_t{static_cast<unsigned char>(c2)} << 16 |
                                  std::uint32_t{static_cast<unsigned char>(c3)} << 24;
    // No name begins another, so the order in which they are tried does not matter.
    for (const int code : kNamesByFirstLetter[static_cast<std::size_t>(c0 - 'A')]) {
        if (code == 0) {
            break;
        }
        const PackedName& name = kPackedNames[static_cast<std::size_t>(code)];
        if ((letters & name.mask) == name.letters) {
            return {code, name.length};
        }
    }
    return {};
}

// The function of a code (1 SIN .. 10 ALN) applied to x, with no unit conversion and no domain
// check: the degree factors and the logarithm's refusal of x <= 0 are the caller's. Any other
// code leaves x as it is.
inline double Apply(int funcCode, double x) {
    switch (funcCode) {
        case 1:
            return std::sin(x);
        case 2:
            return std::cos(x);
        case 3:
            return std::tan(x);
        case 4:
            return std::asin(x);
        case 5:
            return std::acos(x);
        case 6:
            return std::atan(x);
        case 7:
            return std::log10(x);
        case 8:
            return std::log(x);
        case 9:
            return std::pow(10.0, x);
        case 10:
            return std::exp(x);
        default:
            return x;
    }
}

}  // namespace quorbit1_functions
