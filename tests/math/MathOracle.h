// MPFR as the oracle of the maths functions: the correctly rounded double of each function at
// an argument, with IEEE double's range and subnormals. Used by the tests only, never linked
// into a program.
#pragma once

#include <mpfr.h>

#include <cstdint>
#include <string>

#include "BitCast.h"
#include "Paths.h"

namespace quorbit1::test {

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

struct MathFunction {
    const char* name;
    double (*quorbit1::math::Path::*ours)(double);  // in each build of the fast paths
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

// How close the value that compute(y, a, b) leaves in y at 256 bits, from the doubles a and b,
// comes to a midpoint between two doubles, in ulps of the result.
template <class Compute>
double DistanceOfValue(double a, double b, Compute compute) {
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    mpfr_t x;
    mpfr_t e;
    mpfr_t y;
    mpfr_inits2(53, x, e, static_cast<mpfr_ptr>(nullptr));
    mpfr_init2(y, 256);
    mpfr_set_d(x, a, MPFR_RNDN);
    mpfr_set_d(e, b, MPFR_RNDN);
    compute(y, x, e);
    const double d = MidpointDistance(y);
    mpfr_clears(x, e, y, static_cast<mpfr_ptr>(nullptr));
    return d;
}

// How close f(x), or x^e, comes to a midpoint between two doubles, in ulps of the result.
inline double DistanceToMidpoint(MpfrFunction f, double x) {
    return DistanceOfValue(x, 0.0,
                           [f](mpfr_ptr y, mpfr_srcptr a, mpfr_srcptr) { f(y, a, MPFR_RNDN); });
}

inline double PowDistanceToMidpoint(double x, double e) {
    return DistanceOfValue(
        x, e, [](mpfr_ptr y, mpfr_srcptr a, mpfr_srcptr b) { mpfr_pow(y, a, b, MPFR_RNDN); });
}

}  // namespace quorbit1::test
