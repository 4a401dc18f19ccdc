// Fixed-point numbers of a 32-bit integer part and a fraction of 160 bits (Fixed) or 608 bits
// (WideFixed), for the accurate path of the correctly rounded functions, with nothing but 32- and
// 64-bit integer arithmetic, so the bits are the same on every machine. Each function states how
// many of the last bits its accurate result may have wrong; the result is rounded only when no
// value that close rounds otherwise, and computed again in WideFixed when some would
// (RoundAccurate). Fixed, with even the largest bound (77 bits) taken off, decides every result
// farther than 2^-30 of an ulp from a rounding boundary: all but about one in a million of those
// the fast paths leave. The hardest known cases lie about 2^-120 from a boundary; WideFixed
// decides any.
#pragma once

#include <array>
#include <cstdint>

namespace quorbit1::math {

template <int Limbs>
class BasicFixed {
public:
    static constexpr int kLimbs = Limbs;  // limb 0 the integer part, the others the fraction
    static constexpr int kLastBit = -32 * (Limbs - 1);  // the weight of the last bit, 2^kLastBit

    BasicFixed() = default;
    static BasicFixed FromInt(std::uint32_t n, bool negative = false);
    // Exact for |d| < 2^32 with no bits below 2^kLastBit; lower bits are cut off.
    static BasicFixed FromDouble(double d);
    // m 2^-64, exactly.
    static BasicFixed FromFraction64(std::uint64_t m);
    // The fraction whose 32-bit words, most significant first, are words[0..count) (the first of
    // weight 2^-32); words past the last limb are cut off.
    static BasicFixed FromFractionWords(const std::uint32_t* words, int count, bool negative);

    bool Negative() const { return m_negative && !IsZero(); }
    bool IsZero() const;
    BasicFixed operator-() const;

    friend BasicFixed operator+(const BasicFixed& a, const BasicFixed& b) { return Add(a, b); }
    friend BasicFixed operator-(const BasicFixed& a, const BasicFixed& b) { return Add(a, -b); }
    friend BasicFixed operator*(const BasicFixed& a, const BasicFixed& b) { return Mul(a, b); }
    friend BasicFixed operator/(const BasicFixed& a, const BasicFixed& b) { return Div(a, b); }
    friend bool operator<(const BasicFixed& a, const BasicFixed& b) { return (a - b).Negative(); }
    BasicFixed MulSmall(std::uint32_t n) const;
    BasicFixed DivSmall(std::uint32_t n) const;
    // Times 2^e, e of either sign; bits shifted out below 2^kLastBit are lost.
    BasicFixed Scaled(int e) const;

    // The double nearest to this times 2^scale, ties to even, with subnormals and overflow to
    // infinity as IEEE arithmetic has them.
    double ToDouble(int scale = 0) const;
    // The same into out, and true when every value within 2^(kLastBit + lost) of this one
    // rounds to it too: the rounding is decided for an error below that.
    bool RoundsTo(int scale, int lost, double& out) const;

private:
    static int CompareMagnitude(const BasicFixed& a, const BasicFixed& b);
    static BasicFixed Add(const BasicFixed& a, const BasicFixed& b);
    static BasicFixed Mul(const BasicFixed& a, const BasicFixed& b);
    static BasicFixed Div(const BasicFixed& a, const BasicFixed& b);

    std::array<std::uint32_t, Limbs> m_w{};
    bool m_negative = false;
};

using Fixed = BasicFixed<6>;       // 160 bits of fraction
using WideFixed = BasicFixed<20>;  // 608 bits of fraction

// ln 2, ln 10 and pi / 2 to the precision of F.
template <class F = Fixed>
const F& Ln2();
template <class F = Fixed>
const F& Ln10();
template <class F = Fixed>
const F& PiOver2();

// e^x, ln x and log10 x as F, for finite x: x in [-750, 750] for Exp (the result scaled by
// 2^scale, in [0.5, 2)), x > 0 for the logarithms.
template <class F = Fixed>
F ExpFixed(double x, int& scale);
template <class F>
F ExpFixed(const F& x, int& scale);  // |x| <= 800
template <class F>
F ExpOfFixed(const F& r);  // |r| <= 1
template <class F = Fixed>
F LogFixed(double x);

// The square root of a >= 0 (a below 2^31).
template <class F>
F Sqrt(const F& a);
// sin r and cos r for |r| <= 1.
template <class F>
F SinFixed(const F& r);
template <class F>
F CosFixed(const F& r);
// atan(y / x) for y, x >= 0, not both 0, each below 2^31.
template <class F>
F AtanFixed(const F& y, const F& x);

// An accurate result: value times 2^scale.
template <class F>
struct ScaledFixed {
    F value;
    int scale = 0;
};

// False when QUORBIT1_MATH_ACCURATE=wide is in the environment: the accurate path then starts
// in WideFixed, so that the tests can check its answers on their own.
bool NarrowAccurateStep();

// The correctly rounded double of what compute(F{}) gives as a ScaledFixed<F>, whose last
// 'lost' bits may be wrong: from Fixed when that decides it, else from WideFixed. There the
// error is below 2^(lost - 608), far closer than any double's value of these functions comes
// to a rounding boundary, so its rounding is the result. Kept out of line, as a cold path: the
// fast paths that call it stay small.
template <class Compute>
[[gnu::noinline, gnu::cold]] double RoundAccurate(int lost, Compute compute) {
    double out = 0;
    if (NarrowAccurateStep()) {
        const ScaledFixed<Fixed> narrow = compute(Fixed{});
        if (narrow.value.RoundsTo(narrow.scale, lost, out)) {
            return out;
        }
    }
    const ScaledFixed<WideFixed> wide = compute(WideFixed{});
    wide.value.RoundsTo(wide.scale, lost, out);
    return out;
}

}  // namespace quorbit1::math
