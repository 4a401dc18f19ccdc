// What the fast paths' files share, in the namespace of the build being compiled (Paths.h):
// their constants, the logarithm and exponential the power is made of, and the reductions and
// quadrant logic of the trigonometric functions.
#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "DoubleDouble.h"
#include "Fixed.h"
#include "Paths.h"

// Each file writes QUORBIT1_MATH_TARGET after its includes: in the fused build it turns the
// fused multiply-add on there, so the functions the file defines, and only they, may use it,
// while the headers' inline functions stay built for every processor, wherever the linker takes
// them from. Only GCC builds the fused path; clang (the linter) reads it without the target.
#if QUORBIT1_MATH_FMA && !defined(__clang__)
#define QUORBIT1_MATH_TARGET _Pragma("GCC target(\"fma\")")
#else
#define QUORBIT1_MATH_TARGET
#endif

namespace quorbit1::math::QUORBIT1_MATH_PATH {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSqrt2 = 0x1.6a09e667f3bcdp+0;       // the double nearest sqrt(2), below it
constexpr double k128OverLn2 = 0x1.71547652b82fep+7;  // 128 / ln 2, rounded
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;   // 2 / pi, rounded

// e^x is normal for x in [kExpNormalLow, kExpNormalHigh], which the fast path keeps to; it is
// infinite above kExpOverflow and 0 below kExpUnderflow, whatever the rounding (the largest
// double is e^709.78, half the smallest subnormal e^-745.13).
constexpr double kExpNormalHigh = 0x1.628p+9;  // 709
constexpr double kExpNormalLow = -0x1.62p+9;   // -708
constexpr double kExpOverflow = 0x1.77p+9;     // 750
constexpr double kExpUnderflow = -0x1.77p+9;   // -750

// The fast paths of exp, log and log10 keep their relative error below 2^-76 (see each); the
// rounding test allows 2^-70, outside it, and sends about one call in 2^17 to the accurate
// path.
constexpr double kFastError = 0x1p-70;

// e^x for x = x.hi + x.lo in [-708, 709], where the result is normal, when the rounding test
// with a relative error bound of relError decides it (Exp.cpp).
bool ExpFast(DD x, double relError, double& out);

// ln x as a double-double for finite x > 0, relative error below 2^-72 (Log.cpp).
DD LogDD(double x);

// The trigonometric fast paths keep their relative error under 2^-68 (see each); the rounding
// test allows 2^-66, so about one call in 2^13 goes on to the accurate path.
constexpr double kTrigError = 0x1p-66;

// Below this, sin x, tan x, asin x and atan x round to x, and cos x to 1: the next term, x^3/3
// at most, is under 2^-55 of x, less than half the gap to x's neighbours.
constexpr double kTiny = 0x1p-27;

// TrigReduce.cpp
constexpr int kFractionWords = 12;
// x 2/pi = k + f for |x| >= pi/4 (Payne and Hanek): with x = m 2^e (m an integer below 2^53),
// only the bits of 2^e 2/pi below 4 matter for k mod 4 and f, since m times the others is a
// multiple of 4. Those bits, to 2^-384, times m exactly, leave f with an error below 2^-331;
// the nearest double to a multiple of pi/2 lies about 2^-61 from it, so f keeps at least 270
// correct bits.
struct Reduced {
    int quadrant = 0;  // k mod 4
    bool negative = false;
    std::array<std::uint32_t, kFractionWords> f{};  // |f| <= 1/2, most significant word first
};

Reduced ReduceWithTwoOverPiBits(double x);
bool ReduceWithPiOver2Parts(double x, DD& r, int& quadrant);
bool ReducedDD(const Reduced& r, DD& out);
Fixed ReducedFixed(const Reduced& r);

// SinCos.cpp: sin, cos or tan of x from the reduced argument and its quadrant.
enum class Trig { kSin, kCos, kTan };
double TrigOf(Trig which, double x);

// Atan.cpp
DD AtanDD(DD u);
DD AtanOfRatio(DD y, DD x);
double Decide(DD v, double sign, Fixed (*accurate)(double), double x);

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
