#include "CrMath.h"
#include "Paths.h"

#include <bit>

#include <cmath>
#include <cstdint>
#include <limits>

#include "BitCast.h"
#include "DoubleDouble.h"
#include "Fixed.h"
#include "Tables.h"

#if QUORBIT1_MATH_FMA
// The functions below, and only they, may use the fused multiply-add: the headers' inline
// functions stay built for every processor, wherever the linker takes them from.
#pragma GCC target("fma")
#endif

namespace quorbit1::math::QUORBIT1_MATH_PATH {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kSqrt2 = 0x1.6a09e667f3bcdp+0;  // the double nearest sqrt(2), below it
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The fast paths' relative error stays below 2^-76 (see each); the rounding test allows 2^-70,
// outside it, and sends about one call in 2^17 to the accurate path.
constexpr double kFastError = 0x1p-70;

const Tables& T() {
    return kTables;
}

// ln x as a double-double for finite x > 0, relative error below 2^-72.
// x = 2^e m with m in [sqrt(1/2), sqrt(2)); with k = round(512 m) and c = 512/k rounded,
// r = c m - 1 is exact as a double-double (Dekker's product, Sterbenz's subtraction) and
// |r| < 2^-9.9; ln x = e ln 2 - ln c + ln(1 + r), with ln(1 + r) = r - r^2/2 + r^3 q(r), q to
// r^6 (the rest below 2^-93 of r). r^2 is exact; r^3 q(r) in double is rounded by about 2^-51
// of r^3/3 at most, below 2^-72.6 of the result, since |ln x| >= 2^-10 unless c = 1 and
// ln x is about r (2^-72.3 is the largest error seen against MPFR). e ln 2 is exact in its first
// part (42 bits of ln 2 times |e| < 2^11); the big terms are summed exactly, the small ones in
// double, far below that bound.
DD LogDD(double x, const Tables& t) {
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

}  // namespace

// x = (128 k' + j) ln2/128 + r with |r| <= ln2/256 < 2^-8.5 (Cody and Waite, with the step in
// three parts so n times it is exact to 2^-130); e^x = 2^k' 2^(j/128) e^r, e^r by its series to
// r^9 (the rest below 2^-100), the terms from r^3 on in double: their rounding, 2^-52 of r^3/6,
// is below 2^-80 of the result, the double-double steps' below 2^-100. The rounding is decided
// before the scaling by 2^k', which commutes with it while the result is normal; near the ends
// of the range the accurate path takes over.
namespace {

// e^x for x = x.hi + x.lo in [-708, 709], where the result is normal, when the rounding test
// with a relative error bound of relError decides it.
bool ExpFast(DD x, double relError, double& out) {
    if (!(x.hi <= 709.0 && x.hi >= -708.0)) {
        return false;
    }
    const Tables& t = T();
    const double q = x.hi * 0x1.71547652b82fep+7;  // 128 / ln 2
    const double dn = Nearest(q);
    const int n = static_cast<int>(dn);
    const double a = x.hi - dn * t.l1;
    const DD b = TwoProd(dn, t.l2);
    const DD s = TwoSum(a, -b.hi);
    const DD r = TwoSum(s.hi, s.lo - b.lo - dn * t.l3 + x.lo);

    // e^r - 1 = r + r^2/2 + r^3 p(r), p(r) = 1/6 + r/24 + ... to r^9, in double; r^2 exact
    // from r.hi, with r.hi r.lo for the rest. Then 2^(j/128) (1 + that) = T + T.hi E.hi + the
    // small products, T.hi E.hi exact and the two large terms summed exactly.
    const double x1 = r.hi;
    const double p =
        1.0 / 6 +
        x1 * (1.0 / 24 +
              x1 * (1.0 / 120 +
                    x1 * (1.0 / 720 + x1 * (1.0 / 5040 + x1 * (1.0 / 40320 + x1 / 362880)))));
    const DD r2 = TwoProd(x1, x1);
    const DD h = TwoSum(x1, 0.5 * r2.hi);
    const DD expm1 = FastTwoSum(h.hi, h.lo + r.lo + (0.5 * r2.lo + x1 * r.lo + r2.hi * x1 * p));
    const int j = n & 127;
    const int k = (n - j) / 128;
    const DD tj = t.exp2[j];
    const DD prod = TwoProd(tj.hi, expm1.hi);
    const DD sum = TwoSum(tj.hi, prod.hi);
    const DD e = TwoSum(sum.hi, sum.lo + (tj.lo + prod.lo + tj.hi * expm1.lo + tj.lo * expm1.hi));
    if (!RoundsTo(e, Abs(e.hi) * relError, out)) {
        return false;
    }
    out *= PowerOfTwo(k);
    return true;
}

}  // namespace

double Exp(double x) {
    if (x != x) {
        return x + x;
    }
    if (x > 750.0) {
        return kInf;
    }
    if (x < -750.0) {
        return 0.0;
    }
    double out = 0;
    if (ExpFast({x, 0.0}, kFastError, out)) {
        return out;
    }
    int scale = 0;
    return ExpFixed(x, scale).ToDouble(scale);
}

double Log(double x) {
    if (x != x || x == kInf) {
        return x + x;
    }
    if (x <= 0.0) {
        return x == 0.0 ? -kInf : kNaN;
    }
    const DD l = LogDD(x, T());
    double out = 0;
    if (RoundsTo(l, Abs(l.hi) * kFastError, out)) {
        return out;
    }
    return LogFixed(x).ToDouble();
}

double Log10(double x) {
    if (x != x || x == kInf) {
        return x + x;
    }
    if (x <= 0.0) {
        return x == 0.0 ? -kInf : kNaN;
    }
    const Tables& t = T();
    const DD l = Mul(LogDD(x, t), t.invLn10);
    double out = 0;
    if (RoundsTo(l, Abs(l.hi) * kFastError, out)) {
        return out;
    }
    return (LogFixed(x) / Ln10()).ToDouble();
}

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

bool IsInteger(double y) {
    std::uint64_t m = 0;
    int e = 0;
    OddParts(y, m, e);
    return e >= 0;
}

bool IsOddInteger(double y) {
    std::uint64_t m = 0;
    int e = 0;
    OddParts(y, m, e);
    return e == 0;
}

// x^y for x > 0 when it has at most 54 significant bits, so that it may be a double or lie
// exactly halfway between two: then no approximation decides it, and it is computed exactly.
// With x = m 2^e (m odd, m > 1) and y = n / 2^k (n odd, or k = 0), x^y is such a number only if
// y > 0, m is a perfect 2^k-th power r^(2^k), e is a multiple of 2^k, and r^n < 2^54; r >= 3
// bounds k by 5 and n by 34. A power of two (m = 1) is exact anyway, and the approximation of
// such a result is never taken for a midpoint.
bool ExactPow(double x, double y, double& out) {
    if (y <= 0.0) {
        return false;
    }
    std::uint64_t mx = 0;
    int ex = 0;
    OddParts(x, mx, ex);
    std::uint64_t my = 0;
    int ey = 0;
    OddParts(y, my, ey);
    if (mx == 1 || ey < -5 || (ey >= 0 && (ey > 6 || (my << ey) > 64)) || my > 64) {
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
    out = Fixed::FromFraction64(power).ToDouble(static_cast<int>(exponent) + 64);
    return true;
}

// y ln x as Fixed, for x > 0 and y finite with |y ln x| below about 800: y = m 2^e with m below
// 2^53 is applied as m's two 32-bit halves and a shift.
Fixed TimesLog(double y, double x) {
    std::uint64_t m = 0;
    int e = 0;
    OddParts(y, m, e);
    const Fixed l = LogFixed(x).Scaled(e);
    Fixed t = l.MulSmall(static_cast<std::uint32_t>(m >> 32)).Scaled(32) +
              l.MulSmall(static_cast<std::uint32_t>(m));
    return y < 0 ? -t : t;
}

}  // namespace

// x^y as C defines it for the special cases; otherwise |x|^y = e^(y ln |x|) with ln |x| from the
// logarithm's fast path (relative error below 2^-76) and e^t from the exponential's, whose
// error grows with |t|: the rounding test allows 2^-70 (2 + |t|). Results that may be exact or
// midpoints are computed exactly first; the rest of the undecided go to the accurate path.
double Pow(double x, double y) {
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
    const bool odd = IsOddInteger(y);
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
    if (x < 0.0 && !IsInteger(y)) {
        return kNaN;
    }
    const double sign = x < 0.0 && odd ? -1.0 : 1.0;
    double out = 0;
    if (ExactPow(ax, y, out)) {
        return sign * out;
    }
    // Small positive integer powers, the commonest, by squaring in double-double: at most 12
    // products, each within 2^-104, so the bound 2^-90 is safe. Results near the ends of the
    // range, where lo would lose bits, go the general way.
    if (y >= 2.0 && y <= 64.0 && IsInteger(y)) {
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
    // Far outside [-746, 710] the result overflows or vanishes whatever the rounding; inside,
    // |y| < 2^63 (|ln x| >= 2^-53 for x != 1), far from where Dekker's product would overflow.
    const DD l = ax == 10.0 ? T().ln10 : LogDD(ax, T());  // ten to a power: ALOG
    const double t0 = l.hi * y;
    if (t0 > 710.0) {
        return sign * kInf;
    }
    if (t0 < -746.0) {
        return sign * 0.0;
    }
    const DD t = Mul(l, y);
    if (ExpFast(t, 0x1p-70 * (2.0 + Abs(t.hi)), out)) {
        return sign * out;
    }
    int scale = 0;
    return sign * ExpFixed(TimesLog(y, ax), scale).ToDouble(scale);
}

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
