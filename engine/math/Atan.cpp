// atan x, correctly rounded, and the arc tangent of a ratio that asin and acos are made of.
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

// atan(y / x) for 0 <= y <= x (y a little more is fine), relative error below 2^-69: u = y / x
// = c + (u - c) with c = j/256, atan u = atan c + atan t, t = (u - c) / (1 + u c) =
// (y - c x) / (x + c y) = th + tl, |t| <= 2^-9 (j from u to a few units of its last place),
// one quotient of double-doubles; y - c x loses only 2^-105 of x to its cancellation, under
// 2^-96 of a result of at least atan(2^-9). atan t - t by its series in th to th^9 (the rest
// below 2^-86 of t), in double: its rounding, about 2^-51 of t^3/3, is below 2^-70 of the
// result, which for j >= 1 is at least t.
inline DD AtanOfSmallRatio(DD y, DD x) {
    const auto j = static_cast<std::size_t>(Nearest(y.hi / x.hi * 256.0));
    DD t;
    if (j == 0) {
        t = Div(y, x);
    } else {
        const double c = static_cast<double>(j) * 0x1p-8;
        t = Div(Add(y, Neg(Mul(x, c))), Add(x, Mul(y, c)));
    }
    const double th = t.hi;
    const double z = th * th;
    const double poly = th * z * (-1.0 / 3 + z * (1.0 / 5 + z * (-1.0 / 7 + z * (1.0 / 9))));
    if (j == 0) {
        return FastTwoSum(th, t.lo + poly);
    }
    const DD a = kTables.atanJ[j];
    const DD s = TwoSum(a.hi, th);
    return FastTwoSum(s.hi, s.lo + (a.lo + t.lo + poly));
}

// atan(xh + xl) for 0 <= xh <= 1, |xl| <= 2^-53 xh: P is below 2^-12.5 of the result (at c =
// i/64, |a[0]| h^2 <= c 2^-14 and |a[1]| h^3 <= 2^-22.6, over atan(c - h) >= 0.46 c; h^2 / 3
// for c = 0), so TaylorDD's relative error is below 2^-62.6.
DD AtanTaylorDD(double xh, double xl) {
    const auto i = static_cast<std::size_t>(static_cast<int>(Nearest(xh * 64.0)));
    return TaylorDD(kTables.atanJ[4 * i], kTables.atanTaylor[i],
                    xh - static_cast<double>(i) * 0x1p-6, xl);
}

}  // namespace

// Up to 1 the polynomial's; past it pi/2 - atan(1/x), at least pi/4 with atan(1/x) at most
// that, from 1/x within 2^-100 (the double nearest 1/x past 2^60, where its rounding is below
// 2^-113 of pi/2): relative error below 2^-62.3.
DD AtanQuickDD(double x) {
    if (x <= 1.0) {
        return AtanTaylorDD(x, 0.0);
    }
    const DD inverse = x > 0x1p60 ? DD{1.0 / x, 0.0} : Div({1.0, 0.0}, {x, 0.0});
    return Add(kTables.piOver2, Neg(AtanTaylorDD(inverse.hi, inverse.lo)));
}

// atan(y / x) for y, x >= 0, not both 0, through atan of the smaller over the larger.
DD AtanOfRatio(DD y, DD x) {
    if (y.hi <= x.hi) {
        return AtanOfSmallRatio(y, x);
    }
    return Add(kTables.piOver2, Neg(AtanOfSmallRatio(x, y)));
}

// atan x = pi/2 - atan(1/x) for |x| > 1; past 2^60, 1/x in double is close enough (its
// rounding is below 2^-113 of pi/2), and the products of a quotient by x could overflow.
double Atan(double x) {
    if (x != x) {
        return x + x;
    }
    const double ax = Abs(x);
    if (ax < kTiny) {
        return x;
    }
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const DD quick = AtanQuickDD(ax);
    double out = 0;
    if (RoundsTo(quick, quick.hi * kAsinQuickError, out)) {
        return sign * out;
    }
    DD v;
    if (ax <= 1.0) {
        v = AtanOfSmallRatio({ax, 0.0}, {1.0, 0.0});
    } else if (ax <= 0x1p60) {
        v = Add(kTables.piOver2, Neg(AtanOfSmallRatio({1.0, 0.0}, {ax, 0.0})));
    } else {
        v = Add(kTables.piOver2, {-1.0 / ax, 0.0});
    }
    return Decide(v, sign, [ax](auto f) { return AtanAccurate<decltype(f)>(ax); });
}

// atan x = pi/2 - atan(1/x) for x > 1.
template <class F>
ScaledFixed<F> AtanAccurate(double x) {
    if (x <= 1.0) {
        return {AtanFixed(F::FromDouble(x), F::FromInt(1))};
    }
    // x = m 2^e, m in [1, 2): 1/x = (1/m) 2^-e.
    const FractionParts parts = SplitFraction(x);
    const F inverse = (F::FromInt(1) / F::FromDouble(parts.fraction)).Scaled(-parts.exponent);
    return {PiOver2<F>() - AtanFixed(inverse, F::FromInt(1))};
}
QUORBIT1_MATH_ACCURATE_INSTANCES(AtanAccurate, double x)

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
