#include "Fixed.h"

#include "DoubleDouble.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "BitCast.h"

namespace quorbit1::math {

namespace {

// The value of a bit of weight 2^k, k from 31 down to the last bit's.
template <std::size_t N>
bool BitAt(const std::array<std::uint32_t, N>& w, int k) {
    const int i = (31 - k) / 32;
    const int t = k + 32 * i;
    return i >= 0 && i < static_cast<int>(N) && ((w[static_cast<std::size_t>(i)] >> t) & 1u) != 0;
}

template <std::size_t N>
bool AnyBitBelow(const std::array<std::uint32_t, N>& w, int k) {
    for (int j = k - 1; j >= 31 - 32 * static_cast<int>(N) + 1; --j) {
        if (BitAt(w, j)) {
            return true;
        }
    }
    return false;
}

}  // namespace

template <int L>
BasicFixed<L> BasicFixed<L>::FromInt(std::uint32_t n, bool negative) {
    BasicFixed f;
    f.m_w[0] = n;
    f.m_negative = negative;
    return f;
}

template <int L>
BasicFixed<L> BasicFixed<L>::FromDouble(double d) {
    BasicFixed f;
    f.m_negative = std::signbit(d);
    const IntegerParts parts = SplitDouble(d);  // |d| = mantissa * 2^exponent
    const std::uint64_t mantissa = parts.significand;
    const int exponent = parts.exponent;
    for (int b = 0; b < 53; ++b) {
        if (((mantissa >> b) & 1u) == 0) {
            continue;
        }
        const int k = exponent + b;
        if (k > 31 || k < 31 - 32 * kLimbs + 1) {
            continue;  // out of range: callers keep within it
        }
        const int i = (31 - k) / 32;
        f.m_w[static_cast<std::size_t>(i)] |= 1u << (k + 32 * i);
    }
    return f;
}

template <int L>
BasicFixed<L> BasicFixed<L>::FromFraction64(std::uint64_t m) {
    BasicFixed f;
    f.m_w[1] = static_cast<std::uint32_t>(m >> 32);
    f.m_w[2] = static_cast<std::uint32_t>(m);
    return f;
}

template <int L>
BasicFixed<L> BasicFixed<L>::FromFractionWords(const std::uint32_t* words, int count,
                                               bool negative) {
    BasicFixed f;
    for (int i = 0; i < count && i + 1 < kLimbs; ++i) {
        f.m_w[static_cast<std::size_t>(i) + 1] = words[i];
    }
    f.m_negative = negative;
    return f;
}

template <int L>
BasicFixed<L> BasicFixed<L>::Scaled(int e) const {
    BasicFixed r = *this;
    for (; e >= 31; e -= 31) {
        r = r.MulSmall(std::uint32_t{1} << 31);
    }
    for (; e <= -31; e += 31) {
        r = r.DivSmall(std::uint32_t{1} << 31);
    }
    return e >= 0 ? r.MulSmall(std::uint32_t{1} << e) : r.DivSmall(std::uint32_t{1} << -e);
}

template <int L>
bool BasicFixed<L>::IsZero() const {
    for (const std::uint32_t w : m_w) {
        if (w != 0) {
            return false;
        }
    }
    return true;
}

template <int L>
BasicFixed<L> BasicFixed<L>::operator-() const {
    BasicFixed f = *this;
    f.m_negative = !m_negative;
    return f;
}

template <int L>
int BasicFixed<L>::CompareMagnitude(const BasicFixed& a, const BasicFixed& b) {
    for (std::size_t i = 0; i < kLimbs; ++i) {
        if (a.m_w[i] != b.m_w[i]) {
            return a.m_w[i] < b.m_w[i] ? -1 : 1;
        }
    }
    return 0;
}

template <int L>
BasicFixed<L> BasicFixed<L>::Add(const BasicFixed& a, const BasicFixed& b) {
    BasicFixed r;
    if (a.m_negative == b.m_negative) {
        std::uint64_t carry = 0;
        for (std::size_t i = kLimbs; i-- > 0;) {
            const std::uint64_t s = std::uint64_t{a.m_w[i]} + b.m_w[i] + carry;
            r.m_w[i] = static_cast<std::uint32_t>(s);
            carry = s >> 32;
        }
        r.m_negative = a.m_negative;
        return r;
    }
    const bool aLarger = CompareMagnitude(a, b) >= 0;
    const BasicFixed& big = aLarger ? a : b;
    const BasicFixed& small = aLarger ? b : a;
    std::int64_t borrow = 0;
    for (std::size_t i = kLimbs; i-- > 0;) {
        std::int64_t d = std::int64_t{big.m_w[i]} - small.m_w[i] - borrow;
        borrow = d < 0 ? 1 : 0;
        r.m_w[i] = static_cast<std::uint32_t>(d);  // d modulo 2^32, 2^32 added when it borrowed
    }
    r.m_negative = big.m_negative;
    return r;
}

template <int L>
BasicFixed<L> BasicFixed<L>::Mul(const BasicFixed& a, const BasicFixed& b) {
    // Little-endian limbs of both, their full product, and its limbs at the fixed point.
    constexpr std::size_t n = kLimbs;
    std::array<std::uint32_t, 2 * n> p{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t ai = a.m_w[n - 1 - i];
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < n; ++j) {
            const std::uint64_t t = p[i + j] + ai * b.m_w[n - 1 - j] + carry;
            p[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        p[i + n] = static_cast<std::uint32_t>(carry);
    }
    BasicFixed r;
    for (std::size_t k = 0; k < n; ++k) {
        r.m_w[n - 1 - k] = p[k + n - 1];
    }
    r.m_negative = a.m_negative != b.m_negative;
    return r;
}

template <int L>
BasicFixed<L> BasicFixed<L>::MulSmall(std::uint32_t n) const {
    BasicFixed r = *this;
    std::uint64_t carry = 0;
    for (std::size_t i = kLimbs; i-- > 0;) {
        const std::uint64_t t = std::uint64_t{m_w[i]} * n + carry;
        r.m_w[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    return r;
}

template <int L>
BasicFixed<L> BasicFixed<L>::DivSmall(std::uint32_t n) const {
    BasicFixed r = *this;
    std::uint64_t rem = 0;
    for (std::size_t i = 0; i < kLimbs; ++i) {
        const std::uint64_t cur = (rem << 32) | m_w[i];
        r.m_w[i] = static_cast<std::uint32_t>(cur / n);
        rem = cur % n;
    }
    return r;
}

namespace {

// Newton's steps for a reciprocal or a reciprocal root in L limbs: from a double's 52 correct
// bits each step doubles them (104, 208, 416, 832) until they pass the fraction's 32 (L - 1)
// bits with 32 to spare, for a result up to 2^31.
constexpr int NewtonSteps(int limbs) {
    int steps = 0;
    for (int bits = 52; bits < 32 * limbs; bits *= 2) {
        ++steps;
    }
    return steps;
}

}  // namespace

// a / b by Newton's iteration for 1/b from the double nearest to it.
template <int L>
BasicFixed<L> BasicFixed<L>::Div(const BasicFixed& a, const BasicFixed& b) {
    BasicFixed bm = b;
    bm.m_negative = false;
    BasicFixed y = BasicFixed::FromDouble(1.0 / bm.ToDouble());
    const BasicFixed two = BasicFixed::FromInt(2);
    for (int step = 0; step < NewtonSteps(L); ++step) {
        y = y * (two - bm * y);
    }
    BasicFixed q = a * y;
    q.m_negative = a.m_negative != b.m_negative;
    return q;
}

template <int L>
double BasicFixed<L>::ToDouble(int scale) const {
    const double sign = m_negative ? -1.0 : 1.0;
    int top = 31;
    while (top >= 31 - 32 * kLimbs + 1 && !BitAt(m_w, top)) {
        --top;
    }
    if (top < 31 - 32 * kLimbs + 1) {
        return sign * 0.0;
    }
    const int exponent = top + scale;  // of the leading bit
    if (exponent > 1023) {
        return sign * PowerOfTwo(1023) * 2.0;  // infinity
    }
    // The last bit kept: 52 below the leading one, or the smallest subnormal's.
    const int lsb = std::max(top - 52, -1074 - scale);
    if (lsb > top + 1) {
        return sign * 0.0;  // below half the smallest subnormal
    }
    std::uint64_t m = 0;
    for (int k = top; k >= lsb; --k) {
        m = (m << 1) | (BitAt(m_w, k) ? 1u : 0u);
    }
    const bool round = BitAt(m_w, lsb - 1);
    const bool sticky = AnyBitBelow(m_w, lsb - 1);
    if (round && (sticky || (m & 1u) != 0)) {
        ++m;
    }
    // Exact: m has at most 53 bits (2^53 after rounding up), and m * 2^(lsb + scale) is a
    // multiple of the smallest subnormal; past the largest double it becomes infinity.
    return sign * static_cast<double>(m) * PowerOfTwo(lsb + scale);
}

namespace {

// z + z^3/3 + z^5/5 + ..., or with the signs alternating (atan z), for |z| <= 1/3.
template <class F>
F OddPowerSeries(const F& z, bool alternating) {
    const F z2 = z * z;
    F sum = z;
    F power = z;
    for (std::uint32_t k = 1;; ++k) {
        power = power * z2;
        const F term = power.DivSmall(2 * k + 1);
        if (term.IsZero()) {
            break;
        }
        sum = alternating && (k & 1u) != 0 ? sum - term : sum + term;
    }
    return sum;
}

// 2 atanh(z) = ln((1 + z) / (1 - z)), for 0 <= z <= 1/3.
template <class F>
F TwiceAtanh(const F& z) {
    return OddPowerSeries(z, false).MulSmall(2);
}

// e^r by its series, for |r| <= 1.
template <class F>
F ExpSeries(const F& r) {
    F sum = F::FromInt(1);
    F term = F::FromInt(1);
    for (std::uint32_t n = 1;; ++n) {
        term = (term * r).DivSmall(n);
        if (term.IsZero()) {
            break;
        }
        sum = sum + term;
    }
    return sum;
}

}  // namespace

template <class F>
const F& Ln2() {
    static const F ln2 = TwiceAtanh(F::FromInt(1).DivSmall(3));
    return ln2;
}

template <class F>
const F& Ln10() {
    static const F ln10 = LogFixed<F>(10.0);
    return ln10;
}

template <class F>
F ExpFixed(const F& x, int& scale) {
    // x = k ln 2 + r with |r| a little over ln 2 / 2 at most.
    const int k = static_cast<int>(std::lround(x.ToDouble() * 1.4426950408889634));
    const F kLn2 = Ln2<F>().MulSmall(static_cast<std::uint32_t>(k < 0 ? -k : k));
    scale = k;
    return ExpSeries(x - (k < 0 ? -kLn2 : kLn2));
}

template <class F>
F ExpFixed(double x, int& scale) {
    return ExpFixed(F::FromDouble(x), scale);
}

template <class F>
F ExpOfFixed(const F& r) {
    return ExpSeries(r);
}

template <class F>
F LogFixed(double x) {
    // x = m 2^e with m in [1, 2); ln m = 2 atanh((m - 1) / (m + 1)).
    const FractionParts parts = SplitFraction(x);
    const double m = parts.fraction;
    const int e = parts.exponent;
    const F mf = F::FromDouble(m);
    const F one = F::FromInt(1);
    const F lnM = TwiceAtanh((mf - one) / (mf + one));
    const F eLn2 = Ln2<F>().MulSmall(static_cast<std::uint32_t>(e < 0 ? -e : e));
    return (e < 0 ? -eLn2 : eLn2) + lnM;
}

namespace {

// atan z by its series, for |z| <= 1/4.
template <class F>
F AtanSeries(const F& z) {
    return OddPowerSeries(z, true);
}

// The series of sin (first = r, start = 1) or cos (first = 1, start = 0) for |r| <= 1.
template <class F>
F SinCosSeries(const F& r, const F& first, std::uint32_t start) {
    const F r2 = r * r;
    F sum = first;
    F term = first;
    for (std::uint32_t n = start + 1;; n += 2) {
        term = (term * r2).DivSmall(n * (n + 1));
        if (term.IsZero()) {
            break;
        }
        sum = ((n - start) & 2u) != 0 ? sum + term : sum - term;
    }
    return sum;
}

}  // namespace

// pi = 16 atan(1/5) - 4 atan(1/239) (Machin).
template <class F>
const F& PiOver2() {
    static const F half = (AtanSeries(F::FromInt(1).DivSmall(5)).MulSmall(16) -
                           AtanSeries(F::FromInt(1).DivSmall(239)).MulSmall(4))
                              .DivSmall(2);
    return half;
}

// 1 / sqrt(a) by Newton's iteration from the double nearest to it, then times a.
template <class F>
F Sqrt(const F& a) {
    if (a.IsZero()) {
        return a;
    }
    F y = F::FromDouble(1.0 / std::sqrt(a.ToDouble()));
    const F three = F::FromInt(3);
    for (int step = 0; step < NewtonSteps(F::kLimbs); ++step) {
        y = (y * (three - a * y * y)).DivSmall(2);
    }
    return a * y;
}

template <class F>
F SinFixed(const F& r) {
    return SinCosSeries(r, r, 1);
}

template <class F>
F CosFixed(const F& r) {
    return SinCosSeries(r, F::FromInt(1), 0);
}

// atan(y / x) = pi/2 - atan(x / y); with z <= 1, atan z = 4 atan(z') after halving the angle
// twice (z' = z / (1 + sqrt(1 + z^2)), below 0.2).
template <class F>
F AtanFixed(const F& y, const F& x) {
    const bool swap = x < y;
    F z = swap ? x / y : y / x;
    const F one = F::FromInt(1);
    for (int i = 0; i < 2; ++i) {
        z = z / (one + Sqrt(one + z * z));
    }
    const F a = AtanSeries(z).MulSmall(4);
    return swap ? PiOver2<F>() - a : a;
}

template <int L>
bool BasicFixed<L>::RoundsTo(int scale, int lost, double& out) const {
    BasicFixed error;
    const int bit = kLastBit + lost;  // of weight 2^bit, limb i's bit t
    const int i = (31 - bit) / 32;
    error.m_w[static_cast<std::size_t>(i)] = 1u << (bit + 32 * i);
    out = ToDouble(scale);
    const double below = (*this - error).ToDouble(scale);
    const double above = (*this + error).ToDouble(scale);
    return BitCast<std::uint64_t>(below) == BitCast<std::uint64_t>(above);
}

bool NarrowAccurateStep() {
    static const bool narrow = [] {
        const char* wanted = std::getenv("QUORBIT1_MATH_ACCURATE");
        return wanted == nullptr || std::string_view(wanted) != "wide";
    }();
    return narrow;
}

#define QUORBIT1_FIXED_INSTANCES(F)                 \
    template class BasicFixed<F::kLimbs>;           \
    template const F& Ln2<F>();                     \
    template const F& Ln10<F>();                    \
    template const F& PiOver2<F>();                 \
    template F ExpFixed<F>(double x, int& scale);   \
    template F ExpFixed<F>(const F& x, int& scale); \
    template F ExpOfFixed<F>(const F& r);           \
    template F LogFixed<F>(double x);               \
    template F Sqrt<F>(const F& a);                 \
    template F SinFixed<F>(const F& r);             \
    template F CosFixed<F>(const F& r);             \
    template F AtanFixed<F>(const F& y, const F& x);

QUORBIT1_FIXED_INSTANCES(Fixed)
QUORBIT1_FIXED_INSTANCES(WideFixed)

}  // namespace quorbit1::math
