// The reductions of the trigonometric functions' argument to a multiple of pi/2 and a
// remainder: by the bits of 2/pi for any argument (Payne and Hanek), by pi/2 in parts for
// moderate ones (Cody and Waite).
#include <array>
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

// The first 1792 bits of 2/pi, 32 to a word, the first word's leading bit of weight 2^-1:
// enough for the largest double (2^1024 needs the bits to 2^-1024 for its quadrant) and then
// the 704 that WideFixed's reduction keeps.
constexpr std::uint32_t kTwoOverPiWords[56] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
    0xA9E39161, 0x5EE61B08, 0x6599855F, 0x14A06840, 0x8DFFD880, 0x4D732731, 0x06061556, 0xCA73A8C9,
    0x60E27BC0, 0x8C6B47C4, 0x19C367CD, 0xDCE8092A, 0x8359C476, 0x8B961CA6, 0xDDAF44D1, 0x5719053E,
};

// The 32 bits of 2/pi of weights 2^-j .. 2^-(j + 31); bits of weight 2^0 and above are 0.
std::uint32_t TwoOverPiBits(int j) {
    const int p = j - 1;  // bit index from the first bit after the point
    if (p <= -32) {
        return 0;
    }
    if (p < 0) {
        return kTwoOverPiWords[0] >> -p;
    }
    const auto i = static_cast<std::size_t>(p / 32);
    const int s = p % 32;
    const std::uint32_t next = i + 1 < std::size(kTwoOverPiWords) ? kTwoOverPiWords[i + 1] : 0;
    return s == 0 ? kTwoOverPiWords[i] : (kTwoOverPiWords[i] << s) | (next >> (32 - s));
}

}  // namespace

// x 2/pi = k + f for |x| >= pi/4 (the remainder f in Reduced's words).
template <int Words>
Reduced<Words> ReduceWithTwoOverPiBits(double x) {
    const IntegerParts parts = SplitDouble(x);  // normal: |x| >= pi/4
    const std::uint64_t m = parts.significand;
    const int e = parts.exponent;
    // a[0]: the bits of weight 2^1 and 2^0 of 2^e 2/pi; a[1..Words]: its fraction.
    std::array<std::uint32_t, Words + 1> a{};
    a[0] = TwoOverPiBits(e - 31) & 3u;
    for (int i = 1; i <= Words; ++i) {
        a[static_cast<std::size_t>(i)] = TwoOverPiBits(e + 1 + 32 * (i - 1));
    }
    // p = m a, the words of the same weights (a word above them would be a multiple of 4).
    std::array<std::uint32_t, Words + 1> p{};
    const std::uint64_t mLow = m & 0xFFFFFFFFu;
    const std::uint64_t mHigh = m >> 32;
    std::uint64_t carry = 0;
    std::uint64_t carryHigh = 0;
    for (std::size_t i = Words + 1; i-- > 0;) {
        // Word i gets a[i] mLow's low half, a[i + 1] mLow's high half (in carry) and
        // a[i + 1] mHigh's low half; mHigh < 2^21 keeps each sum below 2^64.
        const std::uint64_t low = a[i] * mLow + carry;
        const std::uint64_t high = (i + 1 < a.size() ? a[i + 1] * mHigh : 0) + carryHigh;
        const std::uint64_t sum = (low & 0xFFFFFFFFu) + (high & 0xFFFFFFFFu);
        p[i] = static_cast<std::uint32_t>(sum);
        carry = (low >> 32) + (sum >> 32);
        carryHigh = high >> 32;
    }
    Reduced<Words> r;
    int k = static_cast<int>(p[0] & 3u);
    if ((p[1] >> 31) != 0) {  // f >= 1/2: k + 1 and f - 1, whose magnitude is 1 - f
        ++k;
        r.negative = true;
        std::uint64_t borrow = 0;
        for (std::size_t i = Words; i >= 1; --i) {
            const std::uint64_t d = std::uint64_t{0} - p[i] - borrow;
            r.f[i - 1] = static_cast<std::uint32_t>(d);
            borrow = (d >> 32) != 0 ? 1 : 0;
        }
    } else {
        for (std::size_t i = 1; i <= Words; ++i) {
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
bool ReduceWithPiOver2Parts(double x, DD& r, int& quadrant) {
    if (x >= 0x1p20) {
        return false;
    }
    const Tables& t = kTables;
    const double k = Nearest(x * kTwoOverPi);
    const auto n = static_cast<int>(k);
    const DD d = TwoSum(x - k * t.pio2[0], -k * t.pio2[1]);
    const DD p = TwoProd(k, t.pio2[2]);
    r = Add(d, DD{-p.hi, -p.lo - k * t.pio2[3]});
    quadrant = static_cast<int>(n & 3);
    return Abs(r.hi) >= 0x1p-30;
}

// f times pi/2 as a double-double: f from its first five non-zero words (at least 129 bits),
// relative error about 2^-102. False if f is 0, which no double gives.
bool ReducedDD(const Reduced<kFractionWords>& r, DD& out) {
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

template <class F>
F ReducedFixed(const Reduced<kReducedWords<F>>& r) {
    return F::FromFractionWords(r.f.data(), kReducedWords<F>, r.negative) * PiOver2<F>();
}

template Reduced<kFractionWords> ReduceWithTwoOverPiBits<kFractionWords>(double x);
template Reduced<kReducedWords<WideFixed>> ReduceWithTwoOverPiBits<kReducedWords<WideFixed>>(
    double x);
template Fixed ReducedFixed<Fixed>(const Reduced<kReducedWords<Fixed>>& r);
template WideFixed ReducedFixed<WideFixed>(const Reduced<kReducedWords<WideFixed>>& r);

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
