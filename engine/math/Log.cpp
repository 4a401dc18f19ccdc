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

namespace {

// x = 2^e (1 + r) / c, r exact as a double-double (see LogDD).
struct LogReduction {
    int e;
    std::size_t i;  // c's entry in the tables
    DD r;
};

// The bits of kSqrt2 / 2, plus one: a normal x's bits less these hold in their exponent field
// the e for which m = x / 2^e lies in (kSqrt2 / 2, kSqrt2].
constexpr std::uint64_t kAboveHalfSqrt2Bits = 0x3fe6a09e667f3bce;

LogReduction ReduceLog(double x) {
    const Tables& t = kTables;
    const auto bits = BitCast<std::uint64_t>(x);
    double m = 0;
    int e = 0;
    if (bits >= (std::uint64_t{1} << 52)) {  // normal
        e = static_cast<int>(static_cast<std::int64_t>(bits - kAboveHalfSqrt2Bits) >> 52);
        m = BitCast<double>(bits - (static_cast<std::uint64_t>(e) << 52));
    } else {
        const FractionParts parts = SplitFraction(x);
        m = parts.fraction;
        e = parts.exponent;
        if (m > kSqrt2) {
            m *= 0.5;
            e += 1;
        }
    }
    const auto i = static_cast<std::size_t>(Nearest(m * 512.0)) - Tables::kLogFirst;
    const DD p = TwoProd(t.c[i], m);
    // p.hi - 1, a multiple of p.hi's last place, is at least p.lo's if not 0.
    return {e, i, FastTwoSum(p.hi - 1.0, p.lo)};
}

}  // namespace

// ln x as a double-double for finite x > 0, relative error below 2^-72. Each sum of two doubles
// below is exact by the order of their sizes: |e ln 2| >= ln 2 > |ln c| unless e = 0; |ln c| >=
// 2^-9 > |r| unless c = 1; what is then left is at least 2^-10.4, or r itself, far above r^2/2
// and the small terms.
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
    const LogReduction red = ReduceLog(x);
    const DD r = red.r;
    const std::size_t i = red.i;
    const DD r2 = TwoProd(r.hi, r.hi);
    const double z = r.hi;
    const double tail =
        z * r2.hi *
        (1.0 / 3 +
         z * (-1.0 / 4 + z * (1.0 / 5 + z * (-1.0 / 6 + z * (1.0 / 7 + z * (-1.0 / 8 + z / 9))))));
    const auto de = static_cast<double>(red.e);
    const DD a = FastTwoSum(de * t.ln2Hi, t.minusLogC[i].hi);
    const DD b = FastTwoSum(a.hi, r.hi);
    const DD s = FastTwoSum(b.hi, -0.5 * r2.hi);
    const double lo = ((a.lo + b.lo) + s.lo) + (t.minusLogC[i].lo + de * t.ln2Lo) +
                      ((r.lo - 0.5 * r2.lo) - r.hi * r.lo) + tail;
    return FastTwoSum(s.hi, lo);
}

// The first step: the same reduction, ln(1 + r) - r = q by its series in r.hi to r^7 in double
// (the rest below 2^-82), e ln 2 - ln c + r.hi summed exactly, the rest in double. Absolute
// errors: q's rounding and r.lo r.hi left out (r.lo is at most 2^-63) below 2^-71 together, the
// small sums 2^-73, the rest below 2^-80: 2^-70.5 in all. |ln x| is at least 2^-10.01 unless c =
// 1 and e = 0, where r is exact and the error is below 2^-62 of r: relative error below
// 2^-60.4. kLogQuickError allows 2^-59.5 of the first part, which is within 2^-10 of ln x; the
// rounding of the second part plus or minus that takes at most 2^-3.5 of it.
DD LogQuickDD(double x) {
    const Tables& t = kTables;
    const LogReduction red = ReduceLog(x);
    const double z = red.r.hi;
    const double q =
        z * z *
        (-0.5 + z * (1.0 / 3 + z * (-1.0 / 4 + z * (1.0 / 5 + z * (-1.0 / 6 + z * (1.0 / 7))))));
    const auto de = static_cast<double>(red.e);
    const DD mlc = t.minusLogC[red.i];
    const DD a = FastTwoSum(de * t.ln2Hi, mlc.hi);
    const DD b = FastTwoSum(a.hi, z);  // exact by the order of the sizes, as in LogDD
    return {b.hi, (a.lo + b.lo) + ((red.r.lo + q) + (mlc.lo + de * t.ln2Lo))};
}

double Log(double x) {
    if (x != x || x == kInf) {
        return x + x;
    }
    if (x <= 0.0) {
        return x == 0.0 ? -kInf : kNaN;
    }
    const DD quick = LogQuickDD(x);
    double out = 0;
    if (RoundsTo(quick, Abs(quick.hi) * kLogQuickError, out)) {
        return out;
    }
    const DD l = LogDD(x);
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
