#include "CrMath.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "DoubleDouble.h"
#include "Fixed.h"

namespace quorbit1::math {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The fast paths' relative error stays below 2^-76 (see each); the rounding test allows 2^-70,
// outside it, and sends about one call in 2^17 to the accurate path.
constexpr double kFastError = 0x1p-70;

DD ToDD(const Fixed& v) {
    const double hi = v.ToDouble();
    return {hi, (v - Fixed::FromDouble(hi)).ToDouble()};
}

double Abs(double x) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) & ~(std::uint64_t{1} << 63));
}

double PowerOfTwo(int p) {  // p from -1022 to 1023
    return std::bit_cast<double>(static_cast<std::uint64_t>(p + 1023) << 52);
}

// The tables of the fast paths, made once by the accurate path.
struct Tables {
    // exp: 2^(j/128) for j = 0..127; ln 2 / 128 as L1 (33 bits, so n L1 is exact for the n
    // used) + L2 + L3.
    DD exp2[128];
    double l1 = 0;
    double l2 = 0;
    double l3 = 0;
    // log: for m near k/128 (k = 91..181), c = 128/k rounded and -ln c.
    double c[182] = {};
    DD minusLogC[182];
    DD ln2;
    DD invLn10;

    Tables() {
        for (std::uint32_t j = 0; j < 128; ++j) {
            exp2[j] = ToDD(ExpOfFixed(Ln2().MulSmall(j).DivSmall(128)));
        }
        const Fixed step = Ln2().DivSmall(128);
        l1 = std::bit_cast<double>(std::bit_cast<std::uint64_t>(step.ToDouble()) &
                                   ~((std::uint64_t{1} << 20) - 1));
        const Fixed rest = step - Fixed::FromDouble(l1);
        l2 = rest.ToDouble();
        l3 = (rest - Fixed::FromDouble(l2)).ToDouble();
        for (int k = 91; k <= 181; ++k) {
            c[k] = 128.0 / k;
            minusLogC[k] = ToDD(-LogFixed(c[k]));
        }
        ln2 = ToDD(Ln2());
        invLn10 = ToDD(Fixed::FromInt(1) / Ln10());
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

// The coefficients of q in ln(1 + r) = r - r^2/2 + r^3/3 + r^4 q(r), highest first:
// (-1)^(n+1)/n for n = 13 down to 4.
constexpr double kLogTail[] = {1.0 / 13, -1.0 / 12, 1.0 / 11, -1.0 / 10, 1.0 / 9,
                               -1.0 / 8, 1.0 / 7,   -1.0 / 6, 1.0 / 5,   -1.0 / 4};

// ln x as a double-double for finite x > 0, relative error below 2^-76.
// x = 2^e m with m in [sqrt(1/2), sqrt(2)); with k = round(128 m) and c = 128/k rounded,
// r = c m - 1 is exact as a double-double (Dekker's product, Sterbenz's subtraction) and
// |r| < 2^-7.4; ln x = e ln 2 - ln c + ln(1 + r), the last by its series to r^13 (the rest below
// 2^-101 of the result), the terms from r^4 on in double: their rounding, 2^-53 of r^4/4, is
// below 2^-79 of r where |r| <= 2^-8 (k = 128, c = 1, ln c = 0: no cancellation near 1) and
// below 2^-84 absolutely elsewhere, where |ln x| > 2^-8.1. The double-double steps add errors of
// about 2^-104 of the terms, so below 2^-96 of the result.
DD LogDD(double x, const Tables& t) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    int e = static_cast<int>(bits >> 52);
    if (e == 0) {
        bits = std::bit_cast<std::uint64_t>(x * 0x1p64);
        e = static_cast<int>(bits >> 52) - 64;
    }
    e -= 1023;
    double m = std::bit_cast<double>((bits & ((std::uint64_t{1} << 52) - 1)) |
                                     (std::uint64_t{1023} << 52));
    if (m > 0x1.6a09e667f3bcdp+0) {  // sqrt(2)
        m *= 0.5;
        e += 1;
    }
    const int k = static_cast<int>(std::lround(m * 128.0));
    const DD p = TwoProd(t.c[k], m);
    const DD r = TwoSum(p.hi - 1.0, p.lo);

    // ln(1 + r) = r - r^2/2 + r^3/3 + r^4 q(r), q(r) = -1/4 + r/5 - ... to r^13, in double.
    const double x1 = r.hi;
    double q = kLogTail[0];
    for (std::size_t n = 1; n < std::size(kLogTail); ++n) {
        q = kLogTail[n] + x1 * q;
    }
    const DD r2 = Mul(r, r);
    const DD r3 = Mul(r2, r);
    const DD r4 = Mul(r2, r2);
    const DD cubic = Mul(r3, DD{0x1.5555555555555p-2, 0x1.5555555555555p-56});  // r^3 / 3
    const DD log1p = Add(Add(r, DD{-0.5 * r2.hi, -0.5 * r2.lo}), Add(cubic, DD{r4.hi * q, 0.0}));
    const DD eLn2 =
        Add(TwoProd(static_cast<double>(e), t.ln2.hi), {static_cast<double>(e) * t.ln2.lo, 0.0});
    return Add(Add(eLn2, t.minusLogC[k]), log1p);
}

}  // namespace

// x = (128 k' + j) ln2/128 + r with |r| <= ln2/256 < 2^-8.5 (Cody and Waite, with the step in
// three parts so n times it is exact to 2^-130); e^x = 2^k' 2^(j/128) e^r, e^r by its series to
// r^9 (the rest below 2^-100), the terms from r^3 on in double: their rounding, 2^-52 of r^3/6,
// is below 2^-80 of the result, the double-double steps' below 2^-100. The rounding is decided
// before the scaling by 2^k', which commutes with it while the result is normal; near the ends
// of the range the accurate path takes over.
double Exp(double x) {
    if (x != x) {
        return x + x;
    }
    if (x > 709.0 || x < -708.0) {
        if (x > 750.0) {
            return kInf;
        }
        if (x < -750.0) {
            return 0.0;
        }
        int scale = 0;
        const Fixed v = ExpFixed(x, scale);
        return v.ToDouble(scale);
    }
    const Tables& t = T();
    const double q = x * 0x1.71547652b82fep+7;  // 128 / ln 2
    const int n = static_cast<int>(std::lround(q));
    const double dn = static_cast<double>(n);
    const double a = x - dn * t.l1;
    const DD b = TwoProd(dn, t.l2);
    const DD s = TwoSum(a, -b.hi);
    const DD r = FastTwoSum(s.hi, s.lo - b.lo - dn * t.l3);

    // e^r - 1 = r + r^2/2 + r^3 p(r), p(r) = 1/6 + r/24 + ... to r^9, in double.
    const double x1 = r.hi;
    const double p =
        1.0 / 6 +
        x1 * (1.0 / 24 +
              x1 * (1.0 / 120 +
                    x1 * (1.0 / 720 + x1 * (1.0 / 5040 + x1 * (1.0 / 40320 + x1 / 362880)))));
    const DD r2 = Mul(r, r);
    const double r3 = r2.hi * x1;
    const DD expm1 = Add(r, DD{0.5 * r2.hi, 0.5 * r2.lo + r3 * p});
    const int j = n & 127;
    const int k = (n - j) / 128;
    const DD e = Add(t.exp2[j], Mul(t.exp2[j], expm1));
    double out = 0;
    if (RoundsTo(e, Abs(e.hi) * kFastError, out)) {
        return out * PowerOfTwo(k);
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

}  // namespace quorbit1::math
