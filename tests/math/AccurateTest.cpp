// The accurate paths checked against themselves: each one's value in Fixed against the same in
// WideFixed, 448 bits further, stays within the error bound it states; with that bound, Fixed
// decides the hard cases its bits reach, and WideFixed all, to the right double; the rounding
// test decides only what no value within the bound would round otherwise; and the first steps
// in plain doubles stay within theirs against MPFR.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "FastPath.h"
#include "Fixed.h"
#include "MathOracle.h"
#include "RandomTexts.h"
#include "TestSupport.h"

namespace {

using namespace quorbit1::math;
using namespace quorbit1::math::portable;

// v exactly, as WideFixed: its leading 53 bits at a time.
WideFixed Widened(Fixed v) {
    WideFixed wide;
    for (int i = 0; i < 8 && !v.IsZero(); ++i) {
        const double d = v.ToDouble();
        wide = wide + WideFixed::FromDouble(d);
        v = v - Fixed::FromDouble(d);
    }
    EXPECT_TRUE(v.IsZero());
    return wide;
}

enum class Symmetry { kNone, kOdd, kEven };

// Both widths of one accurate path at (x, y); y is pow's exponent.
struct AccuratePath {
    const char* name;
    int lost;
    ScaledFixed<Fixed> (*narrow)(double x, double y);
    ScaledFixed<WideFixed> (*wide)(double x, double y);
    Symmetry symmetry;  // of f; the path of an odd or even f takes |x|
};

#define QUORBIT1_ACCURATE_PATH(name, lost, call, symmetry) \
    AccuratePath {                                         \
        name, lost,                                        \
            [](double x, double y) {                       \
                using F = Fixed;                           \
                (void)y;                                   \
                return call;                               \
            },                                             \
            [](double x, double y) {                       \
                using F = WideFixed;                       \
                (void)y;                                   \
                return call;                               \
            },                                             \
            Symmetry::symmetry                             \
    }

const AccuratePath kAccuratePaths[] = {
    QUORBIT1_ACCURATE_PATH("exp", kExpLost, ExpAccurate<F>(x), kNone),
    QUORBIT1_ACCURATE_PATH("log", kLogLost, LogAccurate<F>(x), kNone),
    QUORBIT1_ACCURATE_PATH("log10", kLog10Lost, Log10Accurate<F>(x), kNone),
    QUORBIT1_ACCURATE_PATH("pow", kPowLost, PowAccurate<F>(x, y), kNone),
    QUORBIT1_ACCURATE_PATH("sin", kSinCosLost, TrigAccurate<F>(Trig::kSin, x), kOdd),
    QUORBIT1_ACCURATE_PATH("cos", kSinCosLost, TrigAccurate<F>(Trig::kCos, x), kEven),
    QUORBIT1_ACCURATE_PATH("tan", kTanLost, TrigAccurate<F>(Trig::kTan, x), kOdd),
    QUORBIT1_ACCURATE_PATH("asin", kAtanLost, AsinAccurate<F>(x), kOdd),
    QUORBIT1_ACCURATE_PATH("acos", kAtanLost, AcosAccurate<F>(x), kNone),
    QUORBIT1_ACCURATE_PATH("atan", kAtanLost, AtanAccurate<F>(x), kOdd),
};

// Arguments of each path's whole domain, with the regions where its error grows: large
// reductions (exp, log of huge and tiny numbers), pow's bases near 1 with large exponents and
// ten to large powers, trigonometric arguments near multiples of pi/2 and huge ones, asin and
// acos near 1.
std::pair<double, double> Arguments(const std::string& name, std::mt19937_64& g) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto wide = [&](int lo, int hi) {
        return std::ldexp(1.0 + u(g), lo + static_cast<int>(g() % (hi - lo)));
    };
    if (name == "exp") {
        return {(u(g) - 0.5) * 1450, 0};
    }
    if (name == "log" || name == "log10") {
        return {(g() & 1) != 0 ? wide(-1074, 1023)
                               : 1.0 + (u(g) - 0.5) * std::ldexp(1.0, -static_cast<int>(g() % 52)),
                0};
    }
    if (name == "pow") {
        const double x = (g() & 1) != 0
                             ? 1.0 + std::ldexp(1.0 + u(g), -static_cast<int>(g() % 52) - 1)
                             : wide(-60, 60);
        return {x, (u(g) - 0.5) * 1400 / std::abs(std::log(x))};
    }
    if (name == "sin" || name == "cos" || name == "tan") {
        if ((g() & 1) != 0) {
            return {wide(-27, 1023), 0};
        }
        // Near k pi/2: the double nearest such a multiple, moved by a few ulps.
        const double k = std::floor(std::ldexp(1.0 + u(g), static_cast<int>(g() % 30)));
        return {std::nextafter(k * 0x1.921fb54442d18p+0, (g() & 1) != 0 ? 0.0 : 1e300), 0};
    }
    if (name == "asin" || name == "acos") {
        const double near1 = 1.0 - std::ldexp(u(g), -static_cast<int>(g() % 53));
        return {(name == "acos" && (g() & 1) != 0 ? -1.0 : 1.0) * ((g() & 1) != 0 ? near1 : u(g)),
                0};
    }
    return {wide(-27, 1023), 0};
}

// The narrow value's distance from the wide one, in units of Fixed's last bit.
double Distance(const AccuratePath& path, double x, double y) {
    const ScaledFixed<Fixed> narrow = path.narrow(x, y);
    const ScaledFixed<WideFixed> wide = path.wide(x, y);
    EXPECT_EQ(narrow.scale, wide.scale) << path.name << " " << x;
    return std::abs((wide.value - Widened(narrow.value)).ToDouble(-Fixed::kLastBit));
}

TEST(AccuratePaths, StayWithinTheirStatedBounds) {
    std::mt19937_64 g(quorbit1::test::Seed(28));
    for (const AccuratePath& path : kAccuratePaths) {
        double worst = 0;
        for (int i = 0; i < 200; ++i) {
            auto [x, y] = Arguments(path.name, g);
            x = path.symmetry != Symmetry::kNone ? std::abs(x) : x;
            const double d = Distance(path, x, y);
            ASSERT_LE(d, std::ldexp(1.0, path.lost)) << path.name << " " << x << " " << y;
            worst = std::max(worst, d);
        }
        std::printf("%-6s stated %2d bits, seen %5.1f\n", path.name, path.lost,
                    worst > 0 ? std::log2(worst) : 0.0);
    }
}

// With its stated bound, the first step decides the hard cases its bits reach, to the right
// double, and leaves the few closer to a midpoint than that (ln(1 - 2^-52) lies 2^-53 of an ulp
// from one); WideFixed decides every one.
TEST(AccuratePaths, DecideTheHardCases) {
    int rows = 0;
    int left = 0;
    for (const auto& row : quorbit1::test::ReadTable("math_hard.tsv")) {
        const AccuratePath* path = nullptr;
        for (const AccuratePath& p : kAccuratePaths) {
            path = row.at(0) == p.name ? &p : path;
        }
        ASSERT_NE(path, nullptr) << row.at(0);
        const bool pow = row.at(0) == "pow";
        double x = std::strtod(row.at(1).c_str(), nullptr);
        const double y = pow ? std::strtod(row.at(2).c_str(), nullptr) : 0.0;
        double expected = std::strtod(row.at(pow ? 3 : 2).c_str(), nullptr);
        if (path->symmetry != Symmetry::kNone && x < 0) {
            x = -x;
            expected = path->symmetry == Symmetry::kOdd ? -expected : expected;
        }
        if (pow && x < 0) {
            continue;  // the sign is the caller's
        }
        // Those the fast path decides never reach the accurate one: its tiny and exact cases.
        if ((path->symmetry != Symmetry::kNone && x < kTiny) ||
            (pow && (y == std::floor(y)) && std::abs(y) <= 64)) {
            continue;
        }
        ++rows;
        const ScaledFixed<Fixed> narrow = path->narrow(x, y);
        double out = 0;
        if (narrow.value.RoundsTo(narrow.scale, path->lost, out)) {
            EXPECT_TRUE(quorbit1::test::SameDouble(out, expected)) << row.at(0) << " " << row.at(1);
        } else {
            ++left;
        }
        const ScaledFixed<WideFixed> wide = path->wide(x, y);
        EXPECT_TRUE(wide.value.RoundsTo(wide.scale, path->lost, out))
            << row.at(0) << " " << row.at(1);
        EXPECT_TRUE(quorbit1::test::SameDouble(out, expected)) << row.at(0) << " " << row.at(1);
    }
    EXPECT_GT(rows, 50);
    EXPECT_LE(left, 3);
}

// The first steps in plain doubles against MPFR: the relative error of hi + lo stays within the
// bound each states, which its rounding test relies on.
struct FirstStep {
    const char* name;
    DD (*quick)(double x);
    quorbit1::test::MpfrFunction oracle;
    double bound;
    double (*argument)(std::mt19937_64& g);
};

double UnitArgument(std::mt19937_64& g) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    switch (g() % 4) {
        case 0:
            return u(g);
        case 1:  // near 1, where the half-angle step starts from a tiny 1 - x
            return 1.0 - std::ldexp(u(g), -static_cast<int>(g() % 60));
        case 2:  // at the ends of a polynomial's interval, and of the first one
            return std::nextafter(static_cast<double>(g() % 33) / 64 + 1.0 / 128,
                                  (g() & 1) != 0 ? 0.0 : 1.0);
        default:
            return std::ldexp(1.0 + u(g), -static_cast<int>(g() % 40) - 1);
    }
}

const FirstStep kFirstSteps[] = {
    {"asin", AsinQuickDD, mpfr_asin, 0x1.ap-63, UnitArgument},  // 2^-62.3
    {"acos", AcosQuickDD, mpfr_acos, 0x1.ap-63,
     [](std::mt19937_64& g) { return (g() & 1) != 0 ? UnitArgument(g) : -UnitArgument(g); }},
    {"atan", AtanQuickDD, mpfr_atan, 0x1.ap-63,
     [](std::mt19937_64& g) {
         std::uniform_real_distribution<double> u(0.0, 1.0);
         switch (g() % 3) {
             case 0:
                 return UnitArgument(g);
             case 1:
                 return 1.0 / UnitArgument(g);
             default:
                 return std::ldexp(1.0 + u(g), static_cast<int>(g() % 2000) - 1000);
         }
     }},
    {"log", LogQuickDD, mpfr_log, 0x1.84p-61,  // 2^-60.4
     [](std::mt19937_64& g) {
         std::uniform_real_distribution<double> u(0.0, 1.0);
         return (g() & 1) != 0 ? std::ldexp(1.0 + u(g), static_cast<int>(g() % 2098) - 1074)
                               : 1.0 + (u(g) - 0.5) * std::ldexp(1.0, -static_cast<int>(g() % 52));
     }},
};

TEST(FirstSteps, StayWithinTheirStatedBounds) {
    std::mt19937_64 g(quorbit1::test::Seed(62));
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    mpfr_t x;
    mpfr_t exact;
    mpfr_t v;
    mpfr_inits2(320, x, exact, v, static_cast<mpfr_ptr>(nullptr));
    for (const FirstStep& step : kFirstSteps) {
        double worst = 0;
        for (int i = 0; i < 10000; ++i) {
            const double a = step.argument(g);
            if (a == 1.0) {
                continue;  // ln 1 = 0 is exact, and relative errors have no meaning there
            }
            const DD q = step.quick(a);
            mpfr_set_d(x, a, MPFR_RNDN);
            step.oracle(exact, x, MPFR_RNDN);
            mpfr_set_d(v, q.hi, MPFR_RNDN);
            mpfr_add_d(v, v, q.lo, MPFR_RNDN);  // exact at 320 bits
            mpfr_sub(v, v, exact, MPFR_RNDN);
            mpfr_div(v, v, exact, MPFR_RNDN);
            const double error = std::abs(mpfr_get_d(v, MPFR_RNDN));
            ASSERT_LE(error, step.bound) << step.name << " " << std::hexfloat << a;
            worst = std::max(worst, error);
        }
        std::printf("%-5s first step stated %.1f bits, seen %.1f\n", step.name,
                    std::log2(step.bound), std::log2(worst));
    }
    mpfr_clears(x, exact, v, static_cast<mpfr_ptr>(nullptr));
}

// 1 + 2^-53 lies halfway between 1 and the next double: no error bound decides it. Moved by 8
// of the last bit either way, an error of 4 is decided; an error of 8 from above is not (from
// below it reaches the midpoint at most, which rounds down, to even).
template <class F>
void ExpectRoundingDecidedOnlyClearOfTheMidpoint() {
    const F half = F::FromInt(1) + F::FromInt(1).Scaled(-53);
    const F eight = F::FromInt(1).Scaled(F::kLastBit + 3);
    for (const int scale : {0, 40, -1000}) {
        double out = 0;
        EXPECT_FALSE(half.RoundsTo(scale, 0, out));
        EXPECT_EQ(out, std::ldexp(1.0, scale));  // ties to even
        EXPECT_TRUE((half + eight).RoundsTo(scale, 2, out));
        EXPECT_EQ(out, std::ldexp(1.0 + 0x1p-52, scale));
        EXPECT_TRUE((half - eight).RoundsTo(scale, 2, out));
        EXPECT_EQ(out, std::ldexp(1.0, scale));
        EXPECT_FALSE((half + eight).RoundsTo(scale, 3, out));
        EXPECT_TRUE((-(half + eight)).RoundsTo(scale, 2, out));
        EXPECT_EQ(out, -std::ldexp(1.0 + 0x1p-52, scale));
        EXPECT_FALSE((-(half + eight)).RoundsTo(scale, 3, out));
    }
    // The last bit alone is a value too.
    EXPECT_EQ(F::FromInt(1).Scaled(F::kLastBit).ToDouble(), std::ldexp(1.0, F::kLastBit));
    // Far from any boundary, an error of many last bits (up to 2^-60) is still decided.
    double out = 0;
    EXPECT_TRUE(F::FromInt(3).RoundsTo(0, -F::kLastBit - 60, out));
    EXPECT_EQ(out, 3.0);
}

TEST(AccuratePaths, RoundOnlyWhatTheErrorCannotChange) {
    ExpectRoundingDecidedOnlyClearOfTheMidpoint<Fixed>();
    ExpectRoundingDecidedOnlyClearOfTheMidpoint<WideFixed>();
}

}  // namespace
