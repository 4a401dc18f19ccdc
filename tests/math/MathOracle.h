// MPFR as the oracle of the maths functions: the correctly rounded double of each function at
// an argument, with IEEE double's range and subnormals. Used by the tests only, never linked
// into a program.
#pragma once

#include <mpfr.h>

#include <cstdint>
#include <string>

#include "BitCast.h"

namespace quorbit1::test {

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

struct MathFunction {
    const char* name;
    double (*ours)(double);
    MpfrFunction oracle;
};

// MPFR's exponent range set to double's, so that mpfr_subnormalize rounds a tiny result once,
// at the position a subnormal double has (else the result would be rounded twice).
inline void UseDoubleRange() {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
}

inline double Oracle(MpfrFunction f, double x) {
    UseDoubleRange();
    mpfr_t a;
    mpfr_t y;
    mpfr_init2(a, 53);
    mpfr_init2(y, 53);
    mpfr_set_d(a, x, MPFR_RNDN);
    int inexact = f(y, a, MPFR_RNDN);
    inexact = mpfr_subnormalize(y, inexact, MPFR_RNDN);
    const double r = mpfr_get_d(y, MPFR_RNDN);
    mpfr_clear(a);
    mpfr_clear(y);
    return r;
}

// Bit for bit, all NaNs alike.
inline bool SameDouble(double a, double b) {
    return (a != a && b != b) ||
           quorbit1::BitCast<std::uint64_t>(a) == quorbit1::BitCast<std::uint64_t>(b);
}

// How close a value of 256 bits comes to a midpoint between two doubles, in ulps: 0.5 at the
// farthest, near 0 for the values hardest to round. y is used up.
inline double MidpointDistance(mpfr_t y) {
    mpfr_t r;
    mpfr_init2(r, 53);
    double d = 0.5;
    if (mpfr_regular_p(y) != 0) {
        mpfr_set(r, y, MPFR_RNDZ);
        const mpfr_exp_t e = mpfr_get_exp(r);   // y in [2^(e-1), 2^e)
        mpfr_sub(y, y, r, MPFR_RNDN);           // the part below the last kept bit
        mpfr_mul_2si(y, y, 53 - e, MPFR_RNDN);  // in ulps
        const double frac = mpfr_get_d(y, MPFR_RNDN);
        d = frac < 0 ? -frac : frac;
        d = d > 0.5 ? d - 0.5 : 0.5 - d;
    }
    mpfr_clear(r);
    return d;
}

// How close f(x), or x^y, comes to a midpoint between two doubles, in ulps of the result.
inline double DistanceToMidpoint(MpfrFunction f, double x) {
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    mpfr_t a;
    mpfr_t y;
    mpfr_init2(a, 53);
    mpfr_init2(y, 256);
    mpfr_set_d(a, x, MPFR_RNDN);
    f(y, a, MPFR_RNDN);
    const double d = MidpointDistance(y);
    mpfr_clear(a);
    mpfr_clear(y);
    return d;
}

inline double PowDistanceToMidpoint(double x, double e) {
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    mpfr_t a;
    mpfr_t b;
    mpfr_t y;
    mpfr_init2(a, 53);
    mpfr_init2(b, 53);
    mpfr_init2(y, 256);
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, e, MPFR_RNDN);
    mpfr_pow(y, a, b, MPFR_RNDN);
    const double d = MidpointDistance(y);
    mpfr_clears(a, b, y, static_cast<mpfr_ptr>(nullptr));
    return d;
}

}  // namespace quorbit1::test
