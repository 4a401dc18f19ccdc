// Double-double arithmetic: a number as the unevaluated sum hi + lo of two doubles, |lo| at most
// half an ulp of hi, about 106 bits. Only + - * on doubles: Dekker's exact product splits its
// operands; the maths functions' second build, for processors with a fused multiply-add, takes
// the product's error from that instead (QUORBIT1_MATH_FMA). Both are exact, so both give the
// same bits; the functions of each build live in a namespace of their own (dd_split, dd_fused),
// so that neither build's copy can stand in for the other's.
#pragma once

#include <cmath>
#include <cstdint>

#include "BitCast.h"

namespace quorbit1::math {

// 2^p exactly, for p from -1074 (the smallest subnormal) to 1023.
inline double PowerOfTwo(int p) {
    if (p >= -1022) {
        return quorbit1::BitCast<double>(static_cast<std::uint64_t>(p + 1023) << 52);
    }
    return quorbit1::BitCast<double>(std::uint64_t{1} << (p + 1074));
}

// |x|, by its sign bit.
inline double Abs(double x) {
    return quorbit1::BitCast<double>(quorbit1::BitCast<std::uint64_t>(x) &
                                     ~(std::uint64_t{1} << 63));
}

// The integer nearest to x (ties to even), for |x| < 2^51: adding 1.5 * 2^52 leaves no bits
// below the units, and taking it away again is exact.
inline double Nearest(double x) {
    constexpr double kShift = 0x1.8p52;
    return (x + kShift) - kShift;
}

struct DD {
    double hi = 0.0;
    double lo = 0.0;
};

#if QUORBIT1_MATH_FMA
inline namespace dd_fused {
#else
inline namespace dd_split {
#endif

// a + b exactly, for |a| >= |b| or a == 0.
inline DD FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, in any order.
inline DD TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a * b exactly (no overflow: |a|, |b| well below 2^996; no underflow of the error).
inline DD TwoProd(double a, double b) {
#if QUORBIT1_MATH_FMA
    const double p = a * b;
    return {p, __builtin_fma(a, b, -p)};
#else
    constexpr double kSplit = 134217729.0;  // 2^27 + 1
    const double ca = kSplit * a;
    const double ah = ca - (ca - a);
    const double al = a - ah;
    const double cb = kSplit * b;
    const double bh = cb - (cb - b);
    const double bl = b - bh;
    const double p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
#endif
}

inline DD Add(DD a, DD b) {
    const DD s = TwoSum(a.hi, b.hi);
    return FastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

inline DD Mul(DD a, DD b) {
    const DD p = TwoProd(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DD Mul(DD a, double b) {
    const DD p = TwoProd(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

inline DD Neg(DD a) {
    return {-a.hi, -a.lo};
}

// a / b, relative error about 2^-100: a first quotient by b's reciprocal, within two units of
// its last place, corrected by the remainder a - b q times the same reciprocal; one division,
// not two in a row. (|b.hi| above 2^-1022, so that the reciprocal is finite.)
inline DD Div(DD a, DD b) {
    const double r = 1.0 / b.hi;
    const double q = a.hi * r;
    const DD rem = Add(a, Neg(Mul(b, q)));
    return FastTwoSum(q, rem.hi * r);
}

// The square root of a >= 0, relative error about 2^-100: the double root, corrected by
// (a - s^2) / 2s.
inline DD Sqrt(DD a) {
    const double s = std::sqrt(a.hi);
    if (s == 0.0) {
        return {0.0, 0.0};
    }
    const DD p = TwoProd(s, s);
    return FastTwoSum(s, ((a.hi - p.hi) - p.lo + a.lo) / (2.0 * s));
}

// The double nearest to x when the error bound err (>= |x - (hi + lo)|, far above the rounding
// of lo +- err) cannot move it: both ends of the interval round alike. Else false, and the
// accurate path decides.
inline bool RoundsTo(DD x, double err, double& out) {
    const double up = x.hi + (x.lo + err);
    const double down = x.hi + (x.lo - err);
    if (up != down) {
        return false;
    }
    out = up;
    return true;
}

}  // namespace dd_fused / dd_split
}  // namespace quorbit1::math
