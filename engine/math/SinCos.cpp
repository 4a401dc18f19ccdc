// sin x and cos x, correctly rounded, and the quadrant logic tan x shares with them.
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

constexpr double kPiOver4 = 0x1.921fb54442d18p-1;  // below pi/4, up to which x is not reduced

struct SinAndCos {
    DD sin;
    DD cos;
};

// sin r and cos r, or either, for |r| <= pi/4 (a little more is fine), relative error below 2^-69:
// r = a + b with a = j/256 from the tables, b = bh + bl, |bh| <= 2^-9, |bl| <= 2^-53 |r|;
// sin b - b and cos b - 1 by their series in bh to bh^7 (the rest below 2^-78 of them), in
// double. So sin r = sa + ca bh + sa (cos bh - 1) + ca (sin bh - bh) + bl (ca - sa bh), and
// cos r likewise, with ca bh and the first sum exact; what is left out (bl^2, bl bh^2) is below
// 2^-72 of the result. The rounding of cos bh - 1 (2^-52 of bh^2/2) is the largest error:
// below 2^-70 of the result, which is at least half of sa for j >= 1.
template <bool kSin, bool kCos>
SinAndCos SinCosDD(DD r) {
    const bool negative = r.hi < 0.0;
    if (negative) {
        r = Neg(r);
    }
    const auto j = static_cast<std::size_t>(static_cast<int>(Nearest(r.hi * 256.0)));
    const double bh = r.hi - static_cast<double>(j) * 0x1p-8;  // exact
    const double bl = r.lo;
    const double b2 = bh * bh;
    const double sm = bh * b2 * (-1.0 / 6 + b2 * (1.0 / 120 - b2 * (1.0 / 5040)));
    const double cm = b2 * (-0.5 + b2 * (1.0 / 24 - b2 * (1.0 / 720)));
    SinAndCos out;
    if (j == 0) {
        if constexpr (kSin) {
            out.sin = FastTwoSum(bh, bl + sm);
        }
        if constexpr (kCos) {
            out.cos = FastTwoSum(1.0, cm - bh * bl);
        }
    } else {
        const DD sa = kTables.sinJ[j];
        const DD ca = kTables.cosJ[j];
        if constexpr (kSin) {
            const DD p = TwoProd(ca.hi, bh);
            const DD s = TwoSum(sa.hi, p.hi);
            out.sin = FastTwoSum(s.hi, s.lo + (sa.lo + p.lo + ca.lo * bh + sa.hi * cm + ca.hi * sm +
                                               (ca.hi - sa.hi * bh) * bl));
        }
        if constexpr (kCos) {
            const DD q = TwoProd(sa.hi, bh);
            const DD c = TwoSum(ca.hi, -q.hi);
            out.cos = FastTwoSum(c.hi, c.lo + (ca.lo - q.lo - sa.lo * bh + ca.hi * cm - sa.hi * sm -
                                               (sa.hi + ca.hi * bh) * bl));
        }
    }
    if (negative) {
        out.sin = Neg(out.sin);
    }
    return out;
}

DD SinOrCosDD(DD r, bool cosine) {
    return cosine ? SinCosDD<false, true>(r).cos : SinCosDD<true, false>(r).sin;
}

// Which of sin r and cos r sin x and cos x are in each quadrant, and whether negated: sin x =
// sin r, cos r, -sin r, -cos r and cos x = cos r, -sin r, -cos r, sin r for quadrants 0..3;
// tan x is sin r / cos r or -cos r / sin r.
bool TakesCos(Trig which, int quadrant) {
    return (which == Trig::kSin) == ((quadrant & 1) != 0);
}

bool Negated(Trig which, int quadrant) {
    return which == Trig::kSin ? quadrant >= 2 : (quadrant == 1 || quadrant == 2);
}

// The fast path's value of sin x, cos x or tan x from r and its quadrant.
DD FromQuadrant(Trig which, int quadrant, DD r) {
    if (which != Trig::kTan) {
        const DD v = SinOrCosDD(r, TakesCos(which, quadrant));
        return Negated(which, quadrant) ? Neg(v) : v;
    }
    const SinAndCos both = SinCosDD<true, true>(r);
    return (quadrant & 1) == 0 ? Div(both.sin, both.cos) : Neg(Div(both.cos, both.sin));
}

// The accurate path's value, with tan x of a tiny r scaled into F's range first.
template <class F>
ScaledFixed<F> FromQuadrantFixed(Trig which, int quadrant, const F& r) {
    const F s = SinFixed(r);
    const F c = CosFixed(r);
    if (which != Trig::kTan) {
        const F& v = TakesCos(which, quadrant) ? c : s;
        return {Negated(which, quadrant) ? -v : v};
    }
    if ((quadrant & 1) == 0) {
        return {s / c};
    }
    // -cos r / sin r, up to 2^62: with sin r = s' 2^-k, s' in [1/2, 2), it is -(c / s') 2^k.
    const double approx = Abs(s.ToDouble());
    int k = 0;
    while (approx * PowerOfTwo(k) < 0.5) {
        ++k;
    }
    return {-(c / s.Scaled(k)), k};
}

}  // namespace

double TrigOf(Trig which, double x) {
    if (x != x) {
        return x + x;
    }
    const double ax = Abs(x);
    if (ax == std::numeric_limits<double>::infinity()) {
        return kNaN;
    }
    if (ax < kTiny) {
        return which == Trig::kCos ? 1.0 : x;
    }
    // sin and tan are odd, cos even: work with |x| and set the sign at the end.
    const double sign = which != Trig::kCos && x < 0.0 ? -1.0 : 1.0;
    DD r{ax, 0.0};
    int quadrant = 0;
    if (ax > kPiOver4 && !ReduceWithPiOver2Parts(ax, r, quadrant)) {
        const auto reduced = ReduceWithTwoOverPiBits<kFractionWords>(ax);
        quadrant = reduced.quadrant;
        if (!ReducedDD(reduced, r)) {
            return kNaN;  // not reached: no double is a multiple of pi/2
        }
    }
    const DD v = FromQuadrant(which, quadrant, r);
    double out = 0;
    if (RoundsTo(v, Abs(v.hi) * kTrigError, out)) {
        return sign * out;
    }
    return sign * QUORBIT1_MATH_ROUND_ACCURATE(which == Trig::kTan ? kTanLost : kSinCosLost,
                                               TrigAccurate, which, ax);
}

template <class F>
ScaledFixed<F> TrigAccurate(Trig which, double x) {
    if (x <= kPiOver4) {
        return FromQuadrantFixed(which, 0, F::FromDouble(x));
    }
    const auto reduced = ReduceWithTwoOverPiBits<kReducedWords<F>>(x);
    return FromQuadrantFixed(which, reduced.quadrant, ReducedFixed<F>(reduced));
}
QUORBIT1_MATH_ACCURATE_INSTANCES(TrigAccurate, Trig which, double x)

double Sin(double x) {
    return TrigOf(Trig::kSin, x);
}

double Cos(double x) {
    return TrigOf(Trig::kCos, x);
}

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
