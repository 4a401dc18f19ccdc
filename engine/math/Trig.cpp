// Sine, cosine, tangent and their inverses, correctly rounded: a fast path in double-double with a
// rounding test, and Fixed's 288 bits where the test cannot decide.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "BitCast.h"
#include "CrMath.h"
#include "DoubleDouble.h"
#include "Fixed.h"
#include "Paths.h"
#include "Tables.h"

#if QUORBIT1_MATH_FMA
// The functions below, and only they, may use the fused multiply-add: the headers' inline
// functions stay built for every processor, wherever the linker takes them from.
#pragma GCC target("fma")
#endif

namespace quorbit1::math::QUORBIT1_MATH_PATH {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The fast paths below keep their relative error under 2^-68 (see each); the rounding test
// allows 2^-66, so about one call in 2^13 goes on to the accurate path.
constexpr double kTrigError = 0x1p-66;

// Below this, sin x, tan x, asin x and atan x round to x, and cos x to 1: the next term, x^3/3
// at most, is under 2^-55 of x, less than half the gap to x's neighbours.
constexpr double kTiny = 0x1p-27;

// The first 1536 bits of 2/pi, 32 to a word, the first word's leading bit of weight 2^-1:
// enough for the largest double (2^1024 needs the bits to 2^-1024 for its quadrant) and then
// 384 more, of which the reduction keeps 288 past the point.
constexpr std::uint32_t kTwoOverPi[48] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
    0xA9E39161, 0x5EE61B08, 0x6599855F, 0x14A06840, 0x8DFFD880, 0x4D732731, 0x06061556, 0xCA73A8C9,
};

// The 32 bits of 2/pi of weights 2^-j .. 2^-(j + 31); bits of weight 2^0 and above are 0.
std::uint32_t TwoOverPiBits(int j) {
    const int p = j - 1;  // bit index from the first bit after the point
    if (p <= -32) {
        return 0;
    }
    if (p < 0) {
        return kTwoOverPi[0] >> -p;
    }
    const auto i = static_cast<std::size_t>(p / 32);
    const int s = p % 32;
    const std::uint32_t next = i + 1 < std::size(kTwoOverPi) ? kTwoOverPi[i + 1] : 0;
    return s == 0 ? kTwoOverPi[i] : (kTwoOverPi[i] << s) | (next >> (32 - s));
}

constexpr int kFractionWords = 12;

// x 2/pi = k + f for |x| >= pi/4 (Payne and Hanek): with x = m 2^e (m an integer below 2^53),
// only the bits of 2^e 2/pi below 4 matter for k mod 4 and f, since m times the others is a
// multiple of 4. Those bits, to 2^-384, times m exactly, leave f with an error below 2^-331;
// the nearest double to a multiple of pi/2 lies about 2^-61 from it, so f keeps at least 270
// correct bits.
struct Reduced {
    int quadrant = 0;  // k mod 4
    bool negative = false;
    std::array<std::uint32_t, kFractionWords> f{};  // |f| <= 1/2, most significant word first
};

Reduced Reduce(double x) {
    const IntegerParts parts = SplitDouble(x);  // normal: |x| >= pi/4
    const std::uint64_t m = parts.significand;
    const int e = parts.exponent;
    // a[0]: the bits of weight 2^1 and 2^0 of 2^e 2/pi; a[1..12]: its fraction.
    std::array<std::uint32_t, kFractionWords + 1> a{};
    a[0] = TwoOverPiBits(e - 31) & 3u;
    for (int i = 1; i <= kFractionWords; ++i) {
        a[static_cast<std::size_t>(i)] = TwoOverPiBits(e + 1 + 32 * (i - 1));
    }
    // p = m a, the words of the same weights (a word above them would be a multiple of 4).
    std::array<std::uint32_t, kFractionWords + 1> p{};
    const std::uint64_t mLow = m & 0xFFFFFFFFu;
    const std::uint64_t mHigh = m >> 32;
    std::uint64_t carry = 0;
    std::uint64_t carryHigh = 0;
    for (std::size_t i = kFractionWords + 1; i-- > 0;) {
        // Word i gets a[i] mLow's low half, a[i + 1] mLow's high half (in carry) and
        // a[i + 1] mHigh's low half; mHigh < 2^21 keeps each sum below 2^64.
        const std::uint64_t low = a[i] * mLow + carry;
        const std::uint64_t high = (i + 1 < a.size() ? a[i + 1] * mHigh : 0) + carryHigh;
        const std::uint64_t sum = (low & 0xFFFFFFFFu) + (high & 0xFFFFFFFFu);
        p[i] = static_cast<std::uint32_t>(sum);
        carry = (low >> 32) + (sum >> 32);
        carryHigh = high >> 32;
    }
    Reduced r;
    int k = static_cast<int>(p[0] & 3u);
    if ((p[1] >> 31) != 0) {  // f >= 1/2: k + 1 and f - 1, whose magnitude is 1 - f
        ++k;
        r.negative = true;
        std::uint64_t borrow = 0;
        for (std::size_t i = kFractionWords; i >= 1; --i) {
            const std::uint64_t d = std::uint64_t{0} - p[i] - borrow;
            r.f[i - 1] = static_cast<std::uint32_t>(d);
            borrow = (d >> 32) != 0 ? 1 : 0;
        }
    } else {
        for (std::size_t i = 1; i <= kFractionWords; ++i) {
            r.f[i - 1] = p[i];
        }
    }
    r.quadrant = k & 3;
    return r;
}

// x - k pi/2 for pi/4 < x < 2^20 (Cody and Waite), with pi/2 in four parts, the first two of 33
// bits so that k times them is exact (k < 2^20), the first difference exact by Sterbenz's
// lemma: r keeps an error below 2^-104 of |r| + 2^-47. False when |r| < 2^-30, where that is
// not enough, and the integer reduction takes over.
bool ReduceCodyWaite(double x, DD& r, int& quadrant) {
    if (x >= 0x1p20) {
        return false;
    }
    const Tables& t = kTables;
    const double k = Nearest(x * 0x1.45f306dc9c883p-1);  // 2/pi
    const auto n = static_cast<int>(k);
    const DD d = TwoSum(x - k * t.pio2[0], -k * t.pio2[1]);
    const DD p = TwoProd(k, t.pio2[2]);
    r = Add(d, DD{-p.hi, -p.lo - k * t.pio2[3]});
    quadrant = static_cast<int>(n & 3);
    return Abs(r.hi) >= 0x1p-30;
}

// f times pi/2 as a double-double: f from its first five non-zero words (at least 129 bits),
// relative error about 2^-102. False if f is 0, which no double gives.
bool ReducedDD(const Reduced& r, DD& out) {
    std::size_t i = 0;
    while (i < r.f.size() && r.f[i] == 0) {
        ++i;
    }
    if (i + 5 > r.f.size()) {
        return false;
    }
    double scale = PowerOfTwo(-32 * static_cast<int>(i + 1));
    DD f = FastTwoSum(r.f[i] * scale, r.f[i + 1] * scale * 0x1p-32);
    for (std::size_t j = i + 2; j < i + 5; ++j) {
        scale *= 0x1p-32;
        f = Add(f, DD{r.f[j] * scale * 0x1p-32, 0.0});
    }
    out = Mul(f, kTables.piOver2);
    if (r.negative) {
        out = Neg(out);
    }
    return true;
}

Fixed ReducedFixed(const Reduced& r) {
    return Fixed::FromFractionWords(r.f.data(), kFractionWords, r.negative) * PiOver2();
}

// sin r and cos r for |r| <= pi/4 (a little more is fine), relative error below 2^-69:
// r = a + b with a = j/256 from the tables, b = bh + bl, |bh| <= 2^-9, |bl| <= 2^-53 |r|;
// sin b - b and cos b - 1 by their series in bh to bh^7 (the rest below 2^-78 of them), in
// double. So sin r = sa + ca bh + sa (cos bh - 1) + ca (sin bh - bh) + bl (ca - sa bh), and
// cos r likewise, with ca bh and the first sum exact; what is left out (bl^2, bl bh^2) is below
// 2^-72 of the result. The rounding of cos bh - 1 (2^-52 of bh^2/2) is the largest error:
// below 2^-70 of the result, which is at least half of sa for j >= 1.
void SinCosDD(DD r, DD& sinR, DD& cosR) {
    const bool negative = r.hi < 0.0;
    if (negative) {
        r = Neg(r);
    }
    const auto j = static_cast<std::size_t>(Nearest(r.hi * 256.0));
    const double bh = r.hi - static_cast<double>(j) * 0x1p-8;  // exact
    const double bl = r.lo;
    const double b2 = bh * bh;
    const double sm = bh * b2 * (-1.0 / 6 + b2 * (1.0 / 120 - b2 * (1.0 / 5040)));
    const double cm = b2 * (-0.5 + b2 * (1.0 / 24 - b2 * (1.0 / 720)));
    if (j == 0) {
        sinR = FastTwoSum(bh, bl + sm);
        cosR = FastTwoSum(1.0, cm - bh * bl);
    } else {
        const DD sa = kTables.sinJ[j];
        const DD ca = kTables.cosJ[j];
        const DD p = TwoProd(ca.hi, bh);
        const DD s = TwoSum(sa.hi, p.hi);
        sinR = FastTwoSum(s.hi, s.lo + (sa.lo + p.lo + ca.lo * bh + sa.hi * cm + ca.hi * sm +
                                        (ca.hi - sa.hi * bh) * bl));
        const DD q = TwoProd(sa.hi, bh);
        const DD c = TwoSum(ca.hi, -q.hi);
        cosR = FastTwoSum(c.hi, c.lo + (ca.lo - q.lo - sa.lo * bh + ca.hi * cm - sa.hi * sm -
                                        (sa.hi + ca.hi * bh) * bl));
    }
    if (negative) {
        sinR = Neg(sinR);
    }
}

enum class Trig { kSin, kCos, kTan };

// The quadrant's sign and which of sin r, cos r each function takes: sin x = sin r, cos r,
// -sin r, -cos r and cos x = cos r, -sin r, -cos r, sin r for quadrants 0..3; tan x is
// sin r / cos r or -cos r / sin r.
DD FromQuadrant(Trig which, int quadrant, DD s, DD c) {
    switch (which) {
        case Trig::kSin:
            return quadrant == 0 ? s : quadrant == 1 ? c : quadrant == 2 ? Neg(s) : Neg(c);
        case Trig::kCos:
            return quadrant == 0 ? c : quadrant == 1 ? Neg(s) : quadrant == 2 ? Neg(c) : s;
        case Trig::kTan:
            break;
    }
    return (quadrant & 1) == 0 ? Div(s, c) : Neg(Div(c, s));
}

// The accurate path's answer, with tan x of a tiny r scaled into Fixed's range first.
double FromQuadrantFixed(Trig which, int quadrant, const Fixed& r) {
    const Fixed s = SinFixed(r);
    const Fixed c = CosFixed(r);
    if (which != Trig::kTan) {
        const Fixed& v = (which == Trig::kSin) == ((quadrant & 1) == 0) ? s : c;
        const bool flip = which == Trig::kSin ? quadrant >= 2 : (quadrant == 1 || quadrant == 2);
        return (flip ? -v : v).ToDouble();
    }
    if ((quadrant & 1) == 0) {
        return (s / c).ToDouble();
    }
    // -cos r / sin r, up to 2^62: with sin r = s' 2^-k, s' in [1/2, 2), it is -(c / s') 2^k.
    const double approx = Abs(s.ToDouble());
    int k = 0;
    while (approx * PowerOfTwo(k) < 0.5) {
        ++k;
    }
    return (-(c / s.Scaled(k))).ToDouble(k);
}

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
    constexpr double kPiOver4 = 0x1.921fb54442d18p-1;  // below pi/4
    DD r{ax, 0.0};
    int quadrant = 0;
    if (ax > kPiOver4 && !ReduceCodyWaite(ax, r, quadrant)) {
        const Reduced reduced = Reduce(ax);
        quadrant = reduced.quadrant;
        if (!ReducedDD(reduced, r)) {
            return kNaN;  // not reached: no double is a multiple of pi/2
        }
    }
    DD s;
    DD c;
    SinCosDD(r, s, c);
    const DD v = FromQuadrant(which, quadrant, s, c);
    double out = 0;
    if (RoundsTo(v, Abs(v.hi) * kTrigError, out)) {
        return sign * out;
    }
    if (ax <= kPiOver4) {
        return sign * FromQuadrantFixed(which, 0, Fixed::FromDouble(ax));
    }
    const Reduced reduced = Reduce(ax);
    return sign * FromQuadrantFixed(which, reduced.quadrant, ReducedFixed(reduced));
}

// atan u for 0 <= u <= 1 (a little more is fine), relative error below 2^-69: u = c + (u - c)
// with c = j/256, atan u = atan c + atan t, t = (u - c) / (1 + u c) = th + tl, |t| <= 2^-9;
// atan t - t by its series in th to th^9 (the rest below 2^-86 of t), in double: its rounding,
// about 2^-51 of t^3/3, is below 2^-70 of the result, which for j >= 1 is at least t.
DD AtanDD(DD u) {
    const auto j = static_cast<std::size_t>(Nearest(u.hi * 256.0));
    double th = u.hi;
    double tl = u.lo;
    if (j != 0) {
        const double c = static_cast<double>(j) * 0x1p-8;
        const double num = u.hi - c;  // exact
        const DD p = TwoProd(u.hi, c);
        const DD den = FastTwoSum(1.0, p.hi);
        const double denLo = den.lo + p.lo + u.lo * c;
        th = num / den.hi;
        const DD q = TwoProd(th, den.hi);
        tl = (((num - q.hi) - q.lo) + u.lo - th * denLo) / den.hi;
    }
    const double z = th * th;
    const double poly = th * z * (-1.0 / 3 + z * (1.0 / 5 + z * (-1.0 / 7 + z * (1.0 / 9))));
    if (j == 0) {
        return FastTwoSum(th, tl + poly);
    }
    const DD a = kTables.atanJ[j];
    const DD s = TwoSum(a.hi, th);
    return FastTwoSum(s.hi, s.lo + (a.lo + tl + poly));
}

// atan(y / x) for y, x >= 0, not both 0, through atan of the smaller over the larger.
DD AtanOfRatio(DD y, DD x) {
    if (y.hi <= x.hi) {
        return AtanDD(Div(y, x));
    }
    return Add(kTables.piOver2, Neg(AtanDD(Div(x, y))));
}

// sqrt(1 - x^2) for 0 <= x <= 1, with 1 - x^2 exact before the root: x^2 by Dekker's product,
// 1 minus its first part by TwoSum.
DD Cofactor(double x) {
    const DD x2 = TwoProd(x, x);
    const DD w = TwoSum(1.0, -x2.hi);
    return Sqrt(TwoSum(w.hi, w.lo - x2.lo));
}

Fixed CofactorFixed(double x) {
    const Fixed f = Fixed::FromDouble(x);
    return Sqrt(Fixed::FromInt(1) - f * f);
}

// The fast path's v when the rounding test decides it, else the accurate path's value at x.
double Decide(DD v, double sign, Fixed (*accurate)(double), double x) {
    double out = 0;
    if (RoundsTo(v, Abs(v.hi) * kTrigError, out)) {
        return sign * out;
    }
    return sign * accurate(x).ToDouble();
}

}  // namespace

double Sin(double x) {
    return TrigOf(Trig::kSin, x);
}

double Cos(double x) {
    return TrigOf(Trig::kCos, x);
}

double Tan(double x) {
    return TrigOf(Trig::kTan, x);
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
    return Decide(
        AtanOfRatio({ax, 0.0}, Cofactor(ax)), sign,
        [](double a) { return AtanFixed(Fixed::FromDouble(a), CofactorFixed(a)); }, ax);
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
    return Decide(
        v, 1.0,
        [](double a) {
            const Fixed f = AtanFixed(CofactorFixed(Abs(a)), Fixed::FromDouble(Abs(a)));
            return a < 0.0 ? PiOver2().MulSmall(2) - f : f;
        },
        x);
}

// atan x = pi/2 - atan(1/x) for |x| > 1; past 2^60, 1/x in double is close enough (its
// rounding is below 2^-113 of pi/2), and Dekker's product of 1/x would underflow.
double Atan(double x) {
    if (x != x) {
        return x + x;
    }
    const double ax = Abs(x);
    if (ax < kTiny) {
        return x;
    }
    const double sign = x < 0.0 ? -1.0 : 1.0;
    DD v;
    if (ax <= 1.0) {
        v = AtanDD({ax, 0.0});
    } else {
        const DD inverse = ax > 0x1p60 ? DD{1.0 / ax, 0.0} : Div({1.0, 0.0}, {ax, 0.0});
        v = Add(kTables.piOver2, Neg(AtanDD(inverse)));
    }
    return Decide(
        v, sign,
        [](double a) {
            if (a <= 1.0) {
                return AtanFixed(Fixed::FromDouble(a), Fixed::FromInt(1));
            }
            // a = m 2^e, m in [1, 2): 1/a = (1/m) 2^-e.
            const FractionParts parts = SplitFraction(a);
            const Fixed inverse =
                (Fixed::FromInt(1) / Fixed::FromDouble(parts.fraction)).Scaled(-parts.exponent);
            return PiOver2() - AtanFixed(inverse, Fixed::FromInt(1));
        },
        ax);
}

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
