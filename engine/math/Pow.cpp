// x^y, correctly rounded, with C's special cases.
#include <bit>
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

// The odd integer m and the exponent e with |x| = m 2^e, for finite x != 0.
void OddParts(double x, std::uint64_t& m, int& e) {
    const IntegerParts parts = SplitDouble(x);
    m = parts.significand;
    e = parts.exponent;
    const int zeros = std::countr_zero(m);
    m >>= zeros;
    e += zeros;
}

// x^y for x > 0 when it has at most 54 significant bits, so that it may be a double or lie
// exactly halfway between two: then no approximation decides it, and it is computed exactly.
// With x = m 2^e (m odd, m > 1) and y = n / 2^k (n odd, or k = 0), x^y is such a number only if
// y > 0, m is a perfect 2^k-th power r^(2^k), e is a multiple of 2^k, and r^n < 2^54; r >= 3
// bounds k by 5 and n by 34. A power of two (m = 1) is exact anyway, and the approximation of
// such a result is never taken for a midpoint.
// y's parts, y = my 2^ey, come from the caller; x's are split only when y passes.
bool ExactPow(double x, double y, std::uint64_t my, int ey, double& out) {
    if (y <= 0.0 || ey < -5 || (ey >= 0 && (ey > 6 || (my << ey) > 64)) || my > 64) {
        return false;
    }
    std::uint64_t mx = 0;
    int ex = 0;
    OddParts(x, mx, ex);
    if (mx == 1) {
        return false;
    }
    const int k = ey < 0 ? -ey : 0;
    const std::uint64_t n = ey < 0 ? my : my << ey;
    std::uint64_t root = mx;
    for (int i = 0; i < k; ++i) {
        auto s = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(root)));
        while (s * s > root) {
            --s;
        }
        while ((s + 1) * (s + 1) <= root) {
            ++s;
        }
        if (s * s != root) {
            return false;
        }
        root = s;
    }
    if ((ex % (1 << k)) != 0) {
        return false;
    }
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 54;
    std::uint64_t power = 1;
    for (std::uint64_t i = 0; i < n; ++i) {
        if (power > (kLimit - 1) / root) {  // power * root would reach 2^54 (or wrap around)
            return false;
        }
        power *= root;
    }
    const long long exponent = static_cast<long long>(ex / (1 << k)) * static_cast<long long>(n);
    if (exponent > 2000 || exponent < -2000) {
        out = exponent > 0 ? kInf : 0.0;
        return true;
    }
    // power, below 2^54, converts with one rounding, to nearest and ties to even; scaling it by
    // 2^exponent is exact while the result stays normal. Near the ends of the range the exact
    // value is rounded once, as a whole.
    if (exponent >= -1022 + 54 && exponent <= 1023 - 54) {
        out = static_cast<double>(power) * PowerOfTwo(static_cast<int>(exponent));
        return true;
    }
    out = Fixed::FromFraction64(power).ToDouble(static_cast<int>(exponent) + 64);
    return true;
}

// y ln x as Fixed, for x > 0 and y finite with |y ln x| below about 800: y = m 2^e with m below
// 2^53 is applied as m's two 32-bit halves and a shift.
template <class F>
F TimesLog(double y, double x) {
    std::uint64_t m = 0;
    int e = 0;
    OddParts(y, m, e);
    const F l = LogFixed<F>(x).Scaled(e);
    F t = l.MulSmall(static_cast<std::uint32_t>(m >> 32)).Scaled(32) +
          l.MulSmall(static_cast<std::uint32_t>(m));
    return y < 0 ? -t : t;
}

}  // namespace

// x^y as C defines it for the special cases; otherwise |x|^y = e^(y ln |x|) with ln |x| from the
// logarithm's fast path (relative error below 2^-76) and e^t from the exponential's, whose
// error grows with |t|: the rounding test allows 2^-70 (2 + |t|). Results that may be exact or
// midpoints are computed exactly first; the rest of the undecided go to the accurate path.
double Pow(double x, double y) {
    constexpr double kOverflow = 0x1.63p+9;    // 710: e^t overflows past 709.78
    constexpr double kUnderflow = -0x1.75p+9;  // -746: e^t vanishes below -745.13
    if (y == 0.0 || x == 1.0) {
        return 1.0;
    }
    if (x != x || y != y) {
        return x + y;
    }
    const double ax = Abs(x);
    if (Abs(y) == kInf) {
        if (ax == 1.0) {
            return 1.0;
        }
        return (ax < 1.0) == (y < 0.0) ? kInf : 0.0;
    }
    // y = my 2^ey with my odd: an integer when ey >= 0, an odd one when ey = 0.
    std::uint64_t my = 0;
    int ey = 0;
    OddParts(y, my, ey);
    const bool odd = ey == 0;
    if (x == 0.0) {
        if (y < 0.0) {
            return odd ? 1.0 / x : kInf;
        }
        return odd ? x : 0.0;
    }
    if (ax == kInf) {
        if (x > 0.0) {
            return y < 0.0 ? 0.0 : kInf;
        }
        if (y < 0.0) {
            return odd ? -0.0 : 0.0;
        }
        return odd ? -kInf : kInf;
    }
    if (x < 0.0 && ey < 0) {
        return kNaN;
    }
    const double sign = x < 0.0 && odd ? -1.0 : 1.0;
    double out = 0;
    if (ExactPow(ax, y, my, ey, out)) {
        return sign * out;
    }
    // Small positive integer powers, the commonest, by squaring in double-double: at most 12
    // products, each within 2^-104, so the bound 2^-90 is safe. Results near the ends of the
    // range, where lo would lose bits, go the general way.
    if (y >= 2.0 && y <= 64.0 && ey >= 0) {
        auto n = static_cast<unsigned>(y);
        DD base{ax, 0.0};
        DD acc{1.0, 0.0};
        for (; n != 0; n >>= 1) {
            if ((n & 1u) != 0) {
                acc = Mul(acc, base);
            }
            if (n > 1) {
                base = Mul(base, base);
            }
        }
        const double a = Abs(acc.hi);
        if (a < 0x1p1000 && a > 0x1p-960 && RoundsTo(acc, a * 0x1p-90, out)) {
            return sign * out;
        }
    }
    // Far outside [kUnderflow, kOverflow] the result overflows or vanishes whatever the
    // rounding; inside,
    // |y| < 2^63 (|ln x| >= 2^-53 for x != 1), far from where Dekker's product would overflow.
    const DD l = ax == 10.0 ? kTables.ln10 : LogDD(ax);  // ten to a power: ALOG
    const double t0 = l.hi * y;
    if (t0 > kOverflow) {
        return sign * kInf;
    }
    if (t0 < kUnderflow) {
        return sign * 0.0;
    }
    // t = y ln x within 2^-72 |t| <= 2^-62.5, which adds as much to e^t's relative error: the
    // first step's 2^-59.6 and that stay below 2^-59.4, which 2^-58.5 (0x1.6ap-59) covers.
    const DD t = Mul(l, y);
    if (ExpFast(t, 0x1.6ap-59, 0x1p-70 * (2.0 + Abs(t.hi)), out)) {
        return sign * out;
    }
    return sign * QUORBIT1_MATH_ROUND_ACCURATE(kPowLost, PowAccurate, ax, y);
}

template <class F>
ScaledFixed<F> PowAccurate(double x, double y) {
    ScaledFixed<F> e;
    e.value = ExpFixed(TimesLog<F>(y, x), e.scale);
    return e;
}
QUORBIT1_MATH_ACCURATE_INSTANCES(PowAccurate, double x, double y)

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
