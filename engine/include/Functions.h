// The ten functions: their codes as the scanner writes them into a term, their names as typed,
// and the fixed factors with which degrees are converted. Part of the calculator's definition,
// shared by the evaluator and anything that explains or mirrors it.
#pragma once

#include "CrMath.h"

namespace quorbit1 {

// The numbering is the calculator's own: the direct trigonometric functions, their inverses,
// the two logarithms and their inverses.
enum class FuncCode : int {
    kNone = 0,
    kSin = 1,
    kCos = 2,
    kTan = 3,
    kAsin = 4,
    kAcos = 5,
    kAtan = 6,
    kLog = 7,
    kLn = 8,
    kAlog = 9,
    kAln = 10,
};

inline constexpr int kFunctionCount = 10;

// Degrees to radians and radians to degrees: fixed constants of the calculator, not pi/180 and
// 180/pi; they are part of the answers users know.
inline constexpr double kDegreeFactor = 0x1.1df469fc647bp-6;  // 0.01745329237161969
inline constexpr double kRadianFactor = 57.3;

// SIN, COS and TAN take their argument in the angle unit; ASIN, ACOS and ATAN give their result
// in it.
constexpr bool TakesAngle(FuncCode code) {
    return code == FuncCode::kSin || code == FuncCode::kCos || code == FuncCode::kTan;
}
constexpr bool GivesAngle(FuncCode code) {
    return code == FuncCode::kAsin || code == FuncCode::kAcos || code == FuncCode::kAtan;
}

// The name of a function code in capitals, "" for none and "?" for anything else.
constexpr const char* FunctionName(int funcCode) {
    constexpr const char* names[] = {"",     "SIN", "COS", "TAN",  "ASIN", "ACOS",
                                     "ATAN", "LOG", "LN",  "ALOG", "ALN"};
    return funcCode >= 0 && funcCode <= kFunctionCount ? names[funcCode] : "?";
}

// The function applied to x, with no unit conversion and no domain check: the degree factors
// and the logarithms' refusal of x <= 0 are the caller's. All are the calculator's own,
// correctly rounded, so every machine gives the same bits.
inline double Apply(FuncCode code, double x) {
    switch (code) {
        case FuncCode::kSin:
            return math::Sin(x);
        case FuncCode::kCos:
            return math::Cos(x);
        case FuncCode::kTan:
            return math::Tan(x);
        case FuncCode::kAsin:
            return math::Asin(x);
        case FuncCode::kAcos:
            return math::Acos(x);
        case FuncCode::kAtan:
            return math::Atan(x);
        case FuncCode::kLog:
            return math::Log10(x);
        case FuncCode::kLn:
            return math::Log(x);
        case FuncCode::kAlog:
            return math::Pow(10.0, x);
        case FuncCode::kAln:
            return math::Exp(x);
        case FuncCode::kNone:
            break;
    }
    return x;
}

// The operator '^': base to the power exponent, correctly rounded as the functions are.
inline double Power(double base, double exponent) {
    return math::Pow(base, exponent);
}

}  // namespace quorbit1
