// e^x, correctly rounded: the fast path in double-double with its rounding test, the accurate
// path in Fixed where the test cannot decide.
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

// x = (128 k' + j) ln2/128 + r with |r| <= ln2/256 < 2^-8.5 (Cody and Waite, with the step in
// three parts so n times it is exact to 2^-130); e^x = 2^k' 2^(j/128) e^r. In the second step
// e^r is its series to r^9 (the rest below 2^-100), the terms from r^3 on in double: their
// rounding, 2^-52 of r^3/6, is below 2^-80 of the result, the double-double steps' below 2^-100.
// The rounding is decided before the scaling by 2^k', which commutes with it while the result is
// normal; near the ends of the range the accurate path takes over. e^x for x = x.hi + x.lo in
// [-708, 709], where the result is normal, when a rounding test decides it: the first step's with
// quickError, else the second's with relError.
bool ExpFast(DD x, double quickError, double relError, double& out) {
    if (!(x.hi <= kExpNormalHigh && x.hi >= kExpNormalLow)) {
        return false;
    }
    const Tables& t = kTables;
    const double dn = Nearest(x.hi * k128OverLn2);
    const int n = static_cast<int>(dn);
    const int j = n & 127;
    const double scale = PowerOfTwo((n - j) / 128);
    const DD tj = t.exp2[j];
    const double a = x.hi - dn * t.l1;

    // The first step, in plain doubles: r rounded to double (|r| < 2^-8.5), e^r - 1 = p by its
    // series to r^6 (the rest below 2^-71), and 2^(j/128) e^r = T.hi + (T.hi p + (T.lo +
    // T.lo p)). Errors relative to the result: r's two roundings 2^-62 each (its ulp is at most
    // 2^-61; none for x.lo = 0), p's last sum 2^-62, the second part's product and sum 2^-62
    // each, the rest below 2^-68: 2^-59.9 in all, 2^-59.6 with x.lo. quickError, of T.hi, is
    // what the caller allows for that and its own error in x; the rounding of the second part
    // plus or minus it takes up to 2^-61 of that. With kQuickError, about one call in 40 goes
    // on to the second step.
    {
        const double r = (a - dn * t.l2) + x.lo;
        const double r2 = r * r;
        const double p =
            r + r2 * (0.5 + r * (1.0 / 6 + r * (1.0 / 24 + r * (1.0 / 120 + r * (1.0 / 720)))));
        if (RoundsTo({tj.hi, tj.hi * p + (tj.lo + tj.lo * p)}, tj.hi * quickError, out)) {
            out *= scale;
            return true;
        }
    }

    // The second step, in double-double: e^r - 1 = r + r^2/2 + r^3 p(r), p(r) = 1/6 + r/24 +
    // ... to r^9, in double; r^2 exact from r.hi, with r.hi r.lo for the rest. Then 2^(j/128)
    // (1 + that) = T + T.hi E.hi + the small products, T.hi E.hi exact and the two large terms
    // summed exactly.
    const DD b = TwoProd(dn, t.l2);
    const DD s = TwoSum(a, -b.hi);
    const DD r = TwoSum(s.hi, s.lo - b.lo - dn * t.l3 + x.lo);
    const double x1 = r.hi;
    const double p =
        1.0 / 6 +
        x1 * (1.0 / 24 +
              x1 * (1.0 / 120 +
                    x1 * (1.0 / 720 + x1 * (1.0 / 5040 + x1 * (1.0 / 40320 + x1 / 362880)))));
    const DD r2 = TwoProd(x1, x1);
    const DD h = TwoSum(x1, 0.5 * r2.hi);
    const DD expm1 = FastTwoSum(h.hi, h.lo + r.lo + (0.5 * r2.lo + x1 * r.lo + r2.hi * x1 * p));
    const DD prod = TwoProd(tj.hi, expm1.hi);
    const DD sum = TwoSum(tj.hi, prod.hi);
    const DD e = TwoSum(sum.hi, sum.lo + (tj.lo + prod.lo + tj.hi * expm1.lo + tj.lo * expm1.hi));
    if (!RoundsTo(e, Abs(e.hi) * relError, out)) {
        return false;
    }
    out *= scale;
    return true;
}

double Exp(double x) {
    if (x != x) {
        return x + x;
    }
    if (x > kExpOverflow) {
        return kInf;
    }
    if (x < kExpUnderflow) {
        return 0.0;
    }
    double out = 0;
    if (ExpFast({x, 0.0}, kQuickError, kFastError, out)) {
        return out;
    }
    return QUORBIT1_MATH_ROUND_ACCURATE(kExpLost, ExpAccurate, x);
}

template <class F>
ScaledFixed<F> ExpAccurate(double x) {
    ScaledFixed<F> e;
    e.value = ExpFixed<F>(x, e.scale);
    return e;
}
QUORBIT1_MATH_ACCURATE_INSTANCES(ExpAccurate, double x)

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
