// asin x and acos x, correctly rounded: first from Taylor polynomials of asin at sixty-fourths,
// then as arc tangents of x over sqrt(1 - x^2).
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

namespace {

// sqrt(1 - x^2) for 0 <= x <= 1, with 1 - x^2 exact before the root: x^2 by Dekker's product,
// 1 minus its first part by TwoSum.
DD Cofactor(double x) {
    const DD x2 = TwoProd(x, x);
    const DD w = TwoSum(1.0, -x2.hi);
    return Sqrt(TwoSum(w.hi, w.lo - x2.lo));
}

template <class F>
F CofactorFixed(double x) {
    const F f = F::FromDouble(x);
    return Sqrt(F::FromInt(1) - f * f);
}

// asin(xh + xl) for 0 <= xh <= 1/2, |xl| <= 2^-53 xh: P is below 2^-13.4 of the result
// (a[0] h^2 at most, over asin(c - h) >= c / 2), so TaylorDD's relative error is below 2^-63.3.
DD AsinTaylorDD(double xh, double xl) {
    const auto i = static_cast<std::size_t>(static_cast<int>(Nearest(xh * 64.0)));
    return TaylorDD(kTables.asinAt[i], kTables.asinTaylor[i], xh - static_cast<double>(i) * 0x1p-6,
                    xl);
}

// asin(s) for s = sqrt((1 - |x|) / 2), |x| >= 1/2, so that 1 - |x| is exact (Sterbenz) and
// s <= 1/2: asin |x| = pi/2 - 2 asin s, acos |x| = 2 asin s.
DD AsinOfHalfCosine(double ax) {
    const DD s = Sqrt({(1.0 - ax) * 0.5, 0.0});
    return AsinTaylorDD(s.hi, s.lo);
}

DD Twice(DD a) {
    return {2.0 * a.hi, 2.0 * a.lo};
}

}  // namespace

// 0 <= x <= 1. Past 1/2, pi/2 - 2 asin s is at least pi/6 with 2 asin s at most pi/3: twice the
// relative error of asin s, 2^-62.3.
DD AsinQuickDD(double x) {
    if (x <= 0.5) {
        return AsinTaylorDD(x, 0.0);
    }
    return Add(kTables.piOver2, Neg(Twice(AsinOfHalfCosine(x))));
}

// -1 <= x <= 1: pi/2 - asin x in the middle (at least pi/3, asin x at most pi/6), 2 asin s or
// pi - 2 asin s past 1/2 on either side: the relative error of asin at most.
DD AcosQuickDD(double x) {
    const double ax = Abs(x);
    if (ax <= 0.5) {
        const DD a = AsinTaylorDD(ax, 0.0);
        return Add(kTables.piOver2, x < 0.0 ? a : Neg(a));
    }
    const DD a = Twice(AsinOfHalfCosine(ax));
    return x < 0.0 ? Add(kTables.pi, Neg(a)) : a;
}

double Asin(double x) {
    const double ax = Abs(x);
    if (!(ax <= 1.0)) {
        return x != x ? x + x : kNaN;
    }
    if (ax < kTiny) {
        return x;
    }
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const DD quick = AsinQuickDD(ax);
    double out = 0;
    if (RoundsTo(quick, quick.hi * kAsinQuickError, out)) {
        return sign * out;
    }
    return Decide(AtanOfRatio({ax, 0.0}, Cofactor(ax)), sign,
                  [ax](auto f) { return AsinAccurate<decltype(f)>(ax); });
}

// acos x = atan(sqrt(1 - x^2) / x) for x >= 0, pi minus that of |x| for x < 0.
double Acos(double x) {
    const double ax = Abs(x);
    if (!(ax <= 1.0)) {
        return x != x ? x + x : kNaN;
    }
    const DD quick = AcosQuickDD(x);
    double out = 0;
    if (RoundsTo(quick, quick.hi * kAsinQuickError, out)) {
        return out;
    }
    DD v = AtanOfRatio(Cofactor(ax), {ax, 0.0});
    if (x < 0.0) {
        v = Add(kTables.pi, Neg(v));
    }
    return Decide(v, 1.0, [x](auto f) { return AcosAccurate<decltype(f)>(x); });
}

template <class F>
ScaledFixed<F> AsinAccurate(double x) {
    return {AtanFixed(F::FromDouble(x), CofactorFixed<F>(x))};
}
QUORBIT1_MATH_ACCURATE_INSTANCES(AsinAccurate, double x)

template <class F>
ScaledFixed<F> AcosAccurate(double x) {
    const double ax = Abs(x);
    const F a = AtanFixed(CofactorFixed<F>(ax), F::FromDouble(ax));
    return {x < 0.0 ? PiOver2<F>().MulSmall(2) - a : a};
}
QUORBIT1_MATH_ACCURATE_INSTANCES(AcosAccurate, double x)

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
