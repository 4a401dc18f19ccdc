// ln x, correctly rounded.
#include <cmath>
#include <cstdint>
#include <limits>

#include "BitCast.h"
#include "CrMath.h"
#include "DoubleDouble.h"
#include "FastPath.h"
#include "Fixed.h"
#include "Tables.h"

QUORBIT1_MATH_TARGET

namespace quorbit1::math::QUORBIT1_MATH_PATH {

// ln x as a double-double for finite x > 0, relative error below 2^-72.
// x = 2^e m with m in [sqrt(1/2), sqrt(2)); with k = round(512 m) and c = 512/k rounded,
// r = c m - 1 is exact as a double-double (Dekker's product, Sterbenz's subtraction) and
// |r| < 2^-9.9; ln x = e ln 2 - ln c + ln(1 + r), with ln(1 + r) = r - r^2/2 + r^3 q(r), q to
// r^6 (the rest below 2^-93 of r). r^2 is exact; r^3 q(r) in double is rounded by about 2^-51
// of r^3/3 at most, below 2^-72.6 of the result, since |ln x| >= 2^-10 unless c = 1 and
// ln x is about r (2^-72.3 is the largest error seen against MPFR). e ln 2 is exact in its first
// part (42 bits of ln 2 times |e| < 2^11); the big terms are summed exactly, the small ones in
// double, far below that bound.
DD LogDD(double x) {
    const Tables& t = kTables;
    const FractionParts parts = SplitFraction(x);
    double m = parts.fraction;
    int e = parts.exponent;
    if (m > kSqrt2) {
        m *= 0.5;
        e += 1;
    }
    const auto i = static_cast<std::size_t>(Nearest(m * 512.0)) - Tables::kLogFirst;
    const DD p = TwoProd(t.c[i], m);
    const DD r = TwoSum(p.hi - 1.0, p.lo);
    const DD r2 = TwoProd(r.hi, r.hi);
    const double z = r.hi;
    const double tail =
        z * r2.hi *
        (1.0 / 3 +
         z * (-1.0 / 4 + z * (1.0 / 5 + z * (-1.0 / 6 + z * (1.0 / 7 + z * (-1.0 / 8 + z / 9))))));
    const auto de = static_cast<double>(e);
    const DD a = TwoSum(de * t.ln2Hi, t.minusLogC[i].hi);
    const DD b = TwoSum(a.hi, r.hi);
    const DD s = TwoSum(b.hi, -0.5 * r2.hi);
    const double lo = ((a.lo + b.lo) + s.lo) + (t.minusLogC[i].lo + de * t.ln2Lo) +
                      ((r.lo - 0.5 * r2.lo) - r.hi * r.lo) + tail;
    return TwoSum(s.hi, lo);
}

double Log(double x) {
    if (x != x || x == kInf) {
        return x + x;
    }
    if (x <= 0.0) {
        return x == 0.0 ? -kInf : kNaN;
    }
    const DD l = LogDD(x);
    double out = 0;
    if (RoundsTo(l, Abs(l.hi) * kFastError, out)) {
        return out;
    }
    return QUORBIT1_MATH_ROUND_ACCURATE(kLogLost, LogAccurate, x);
}

template <class F>
ScaledFixed<F> LogAccurate(double x) {
    return {LogFixed<F>(x)};
}
QUORBIT1_MATH_ACCURATE_INSTANCES(LogAccurate, double x)

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
