// The ten functions' codes as the scanner writes them, their names as typed, and the fixed
// factors with which degrees are converted. Part of the calculator's definition, shared by the
// evaluator and anything that explains or mirrors it.
#pragma once

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

}  // namespace quorbit1_functions
