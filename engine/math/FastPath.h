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
#include "Tables.h"

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

// e^x for x = x.hi + x.lo in [-708, 709], where the result is normal, when a rounding test
// decides it (Exp.cpp): first in plain doubles, whose own error is below 2^-59.6, with a test
// allowing quickError (kQuickError, 2^-59, for an exact x), then in double-double, allowing
// relError (kFastError for an exact x).
constexpr double kQuickError = 0x1p-59;
bool ExpFast(DD x, double quickError, double relError, double& out);

// ln x as a double-double for finite x > 0, relative error below 2^-72 (Log.cpp), and its first
// step, whose relative error is below 2^-60.4, for a rounding test allowing kLogQuickError.
DD LogDD(double x);
DD LogQuickDD(double x);
constexpr double kLogQuickError = 0x1.6ap-60;  // 2^-59.5

// The trigonometric fast paths keep their relative error under 2^-68 (see each); the rounding
// test allows 2^-66, so about one call in 2^13 goes on to the accurate path.
constexpr double kTrigError = 0x1p-66;

// Below this, sin x, tan x, asin x and atan x round to x, and cos x to 1: the next term, x^3/3
// at most, is under 2^-55 of x, less than half the gap to x's neighbours.
constexpr double kTiny = 0x1p-27;

// TrigReduce.cpp
// x 2/pi = k + f for |x| >= pi/4 (Payne and Hanek): with x = m 2^e (m an integer below 2^53),
// only the bits of 2^e 2/pi below 4 matter for k mod 4 and f, since m times the others is a
// multiple of 4. Those bits, to 2^-32 Words, times m exactly, leave f with an error below
// 2^(53 - 32 Words): for the fast path and Fixed's 8 words, 2^-203, past Fixed's last bit;
// the nearest double to a multiple of pi/2 lies about 2^-61 from it, so f keeps at least 140
// correct bits. The accurate path takes three words more than F's fraction, for that margin.
template <int Words>
struct Reduced {
    int quadrant = 0;  // k mod 4
    bool negative = false;
    std::array<std::uint32_t, Words> f{};  // |f| <= 1/2, most significant word first
};
template <class F>
constexpr int kReducedWords = F::kLimbs + 2;
// The fast path's reduction is the one Fixed's accurate path starts from.
constexpr int kFractionWords = kReducedWords<Fixed>;

template <int Words>
Reduced<Words> ReduceWithTwoOverPiBits(double x);
bool ReduceWithPiOver2Parts(double x, DD& r, int& quadrant);
bool ReducedDD(const Reduced<kFractionWords>& r, DD& out);
// f pi/2 as F.
template <class F>
F ReducedFixed(const Reduced<kReducedWords<F>>& r);

// SinCos.cpp: sin, cos or tan of x from the reduced argument and its quadrant.
enum class Trig { kSin, kCos, kTan };
double TrigOf(Trig which, double x);

// The accurate paths' error bounds, as the number of F's last bits that may be wrong
// (RoundAccurate): each product, quotient, root or series term of F cuts off less than its last
// bit u, a series of n terms costs under 2n u, so ln 2, ln 10 and pi/2 are within 2^9, 2^11 and
// 2^11 u (fewer than 200 terms in WideFixed), and multiples of them lose what they multiply by.
// exp: e^x = 2^k e^(x - k ln 2) with |k| <= 1083, so r is within 2^19 u and e^r within 2^20 u.
// log: e ln 2 + 2 atanh(z) with |e| <= 1074: within 2^20 u; log10: that over ln 10, with
// |ln x| <= 745 times ln 10's error over ln 10 squared: within 2^20 u.
// pow: t = y ln x, where |t| <= 800 and |y| ln x's error (y up to 2^63 where ln x is tiny)
// stays within 2^74 u, then e^t: within 2^75 u of it.
// sin, cos: r = f pi/2 within 2^10 u, each series within 2^9 u: within 2^11 u. tan: the
// quotient of both; where sin r = s 2^-k is tiny (k below 62), cos r / s scaled by 2^k loses
// those k bits too: within 2^75 u.
// asin, acos, atan: a quotient, two halvings and a series, times 4, and pi/2 or pi less that:
// within 2^13 u.
// Each bound below has a margin of at least one bit.
constexpr int kExpLost = 22;
constexpr int kLogLost = 22;
constexpr int kLog10Lost = 22;
constexpr int kPowLost = 77;
constexpr int kSinCosLost = 13;
constexpr int kTanLost = 77;
constexpr int kAtanLost = 15;

// f(c + h + xl) from f's Taylor polynomial at c (Tables::Taylor, f(c) = a0), for c = i/64 and
// |h| <= 1/128 (h = x - c exact by Sterbenz's lemma), |xl| <= 2^-53 |c + h|: a0 + a1 h with a1
// h exact (Dekker's product), the rest, P = a[0] h^2 + ... (the terms past it below 2^-72 of
// the result), in double. With P below 2^-k of the result, its roundings, at most five of 2^-53
// that count, and those of the coefficients cost 2^-(50.4 + k) of it together; the low
// parts' sum rounds by 2^-53 of about P. xl enters by the derivative at c + h, a1 + 2 a[0] h
// (the next term is below 2^-66 of xl).
inline DD TaylorDD(DD a0, const Tables::Taylor& t, double h, double xl) {
    // Estrin's scheme: pairs, then pairs of pairs, a short chain of dependent operations.
    const double* a = t.a;
    const double h2 = h * h;
    const double h4 = h2 * h2;
    const double q = (a[0] + h * a[1]) + h2 * (a[2] + h * a[3]) +
                     h4 * ((a[4] + h * a[5]) + h2 * (a[6] + h * a[7]) + h4 * a[8]);
    const DD m = TwoProd(t.a1.hi, h);
    const DD s = FastTwoSum(a0.hi, m.hi);  // |a0| > |a1 h| unless a0 = 0
    const double low = a0.lo + m.lo + t.a1.lo * h + xl * (t.a1.hi + 2.0 * a[0] * h);
    return FastTwoSum(s.hi, s.lo + (low + h2 * q));
}

// The first steps of asin (0 <= x <= 1) and acos (-1 <= x <= 1, AsinAcos.cpp) and of atan (x
// >= 0, Atan.cpp), from Taylor polynomials: relative error below 2^-62.3 (see each), for a
// rounding test allowing kAsinQuickError.
DD AsinQuickDD(double x);
DD AcosQuickDD(double x);
DD AtanQuickDD(double x);
constexpr double kAsinQuickError = 0x1p-62;

// Atan.cpp
DD AtanOfRatio(DD y, DD x);

// The accurate paths: each function's value as F, Fixed or WideFixed, times 2^scale, for the
// arguments its fast path leaves undecided, within the bound above.
template <class F>
ScaledFixed<F> ExpAccurate(double x);
template <class F>
ScaledFixed<F> LogAccurate(double x);
template <class F>
ScaledFixed<F> Log10Accurate(double x);
template <class F>
ScaledFixed<F> PowAccurate(double x, double y);  // x > 0, |y ln x| <= 750
template <class F>
ScaledFixed<F> TrigAccurate(Trig which, double x);  // x >= 2^-27
template <class F>
ScaledFixed<F> AsinAccurate(double x);  // 0 <= x <= 1
template <class F>
ScaledFixed<F> AcosAccurate(double x);  // -1 <= x <= 1
template <class F>
ScaledFixed<F> AtanAccurate(double x);  // x >= 0

// Each file makes its accurate path for both widths.
#define QUORBIT1_MATH_ACCURATE_INSTANCES(name, ...)       \
    template ScaledFixed<Fixed> name<Fixed>(__VA_ARGS__); \
    template ScaledFixed<WideFixed> name<WideFixed>(__VA_ARGS__);

// The accurate path of lost bits at the given arguments: name<F>(arguments...) rounded.
#define QUORBIT1_MATH_ROUND_ACCURATE(lost, name, ...) \
    RoundAccurate(lost, [=](auto f) { return name<decltype(f)>(__VA_ARGS__); })

// asin, acos and atan: the fast path's v when the rounding test decides it, else the accurate
// path's value, accurate(F{}).
template <class Accurate>
double Decide(DD v, double sign, Accurate accurate) {
    double out = 0;
    if (RoundsTo(v, Abs(v.hi) * kTrigError, out)) {
        return sign * out;
    }
    return sign * RoundAccurate(kAtanLost, accurate);
}

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
