// asin x and acos x, correctly rounded: arc tangents of x over sqrt(1 - x^2) and back.
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

}  // namespace

double Asin(double x) {
    const double ax = Abs(x);
    if (!(ax <= 1.0)) {
        return x != x ? x + x : kNaN;
    }
    if (ax < kTiny) {
        return x;
    }
    const double sign = x < 0.0 ? -1.0 : 1.0;
    return Decide(AtanOfRatio({ax, 0.0}, Cofactor(ax)), sign,
                  [ax](auto f) { return AsinAccurate<decltype(f)>(ax); });
}

// acos x = atan(sqrt(1 - x^2) / x) for x >= 0, pi minus that of |x| for x < 0.
double Acos(double x) {
    const double ax = Abs(x);
    if (!(ax <= 1.0)) {
        return x != x ? x + x : kNaN;
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
