// The ten functions' codes as the scanner writes them, their names as typed, and the fixed
// factors with which degrees are converted. Part of the calculator's definition, shared by the
// evaluator and anything that explains or mirrors it.
#pragma once

#include <cmath>

namespace quorbit1_functions {

// Degrees to radians and radians to degrees: fixed constants of the calculator, not pi/180 and
// 180/pi; they are part of the answers users know.
inline constexpr double kDegreeFactor = 0x1.1df469fc647bp-6;  // 0.01745329237161969
inline constexpr double kRadianFactor = 57.3;

inline constexpr int kFunctionCount = 10;

// The name of a function code (1 SIN .. 10 ALN) in capitals, "" for 0 and "?" for anything else.
inline const char* FunctionName(int funcCode) {
    constexpr const char* names[] = {"",     "SIN", "COS", "TAN",  "ASIN", "ACOS",
                                     "ATAN", "LOG", "LN",  "ALOG", "ALN"};
    return funcCode >= 0 && funcCode <= kFunctionCount ? names[funcCode] : "?";
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
