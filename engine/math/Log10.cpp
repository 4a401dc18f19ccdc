// log10 x, correctly rounded: ln x from the logarithm's fast path, times 1/ln 10.
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

double Log10(double x) {
    if (x != x || x == kInf) {
        return x + x;
    }
    if (x <= 0.0) {
        return x == 0.0 ? -kInf : kNaN;
    }
    // ln x's first step times 1/ln 10: its second part is at most 2^-10.8 of its first, so the
    // product adds below 2^-62.4 to its relative error, 2^-60.1 in all, which kLogQuickError
    // covers.
    const Tables& t = kTables;
    const DD quick = Mul(LogQuickDD(x), t.invLn10);
    double out = 0;
    if (RoundsTo(quick, Abs(quick.hi) * kLogQuickError, out)) {
        return out;
    }
    const DD l = Mul(LogDD(x), t.invLn10);
    if (RoundsTo(l, Abs(l.hi) * kFastError, out)) {
        return out;
    }
    return QUORBIT1_MATH_ROUND_ACCURATE(kLog10Lost, Log10Accurate, x);
}

template <class F>
ScaledFixed<F> Log10Accurate(double x) {
    return {LogFixed<F>(x) / Ln10<F>()};
}
QUORBIT1_MATH_ACCURATE_INSTANCES(Log10Accurate, double x)

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
