// Fixed-point numbers of 288 fractional bits and a 32-bit integer part, for the accurate path of
// the correctly rounded functions: enough to decide the rounding of any double result (the
// hardest known cases of these functions need about 120 bits), with nothing but 32- and 64-bit
// integer arithmetic, so the bits are the same on every machine.
#pragma once

#include <array>
#include <cstdint>

namespace quorbit1::math {

class Fixed {
public:
    static constexpr int kLimbs = 10;  // limb 0 the integer part, limbs 1..9 the fraction

    Fixed() = default;
    static Fixed FromInt(std::uint32_t n, bool negative = false);
    // Exact for |d| < 2^32 with no bits below 2^-288; lower bits are cut off.
    static Fixed FromDouble(double d);
    // m 2^-64, exactly.
    static Fixed FromFraction64(std::uint64_t m);
    // The fraction whose 32-bit words, most significant first, are words[0..count) (the first of
    // weight 2^-32); words past the ninth are cut off.
    static Fixed FromFractionWords(const std::uint32_t* words, int count, bool negative);

    bool Negative() const { return m_negative && !IsZero(); }
    bool IsZero() const;
    Fixed operator-() const;

    friend Fixed operator+(const Fixed& a, const Fixed& b);
    friend Fixed operator-(const Fixed& a, const Fixed& b) { return a + (-b); }
    friend Fixed operator*(const Fixed& a, const Fixed& b);
    friend Fixed operator/(const Fixed& a, const Fixed& b);
    friend bool operator<(const Fixed& a, const Fixed& b) { return (a - b).Negative(); }
    Fixed MulSmall(std::uint32_t n) const;
    Fixed DivSmall(std::uint32_t n) const;
    // Times 2^e, e of either sign; bits shifted out below 2^-288 are lost.
    Fixed Scaled(int e) const;

    // The double nearest to this times 2^scale, ties to even, with subnormals and overflow to
    // infinity as IEEE arithmetic has them.
    double ToDouble(int scale = 0) const;

private:
    static int CompareMagnitude(const Fixed& a, const Fixed& b);

    std::array<std::uint32_t, kLimbs> m_w{};
    bool m_negative = false;
};

// ln 2 to the precision of Fixed.
const Fixed& Ln2();
// ln 10 to the precision of Fixed.
const Fixed& Ln10();

// e^x, ln x and log10 x as Fixed, for finite x: x in [-750, 750] for Exp (the result scaled by
// 2^scale, in [0.5, 2)), x > 0 for the logarithms.
Fixed ExpFixed(double x, int& scale);
Fixed ExpFixed(const Fixed& x, int& scale);  // |x| <= 800
Fixed ExpOfFixed(const Fixed& r);            // |r| <= 1
Fixed LogFixed(double x);

// pi / 2 to the precision of Fixed.
const Fixed& PiOver2();
// The square root of a >= 0 (a below 2^31).
Fixed Sqrt(const Fixed& a);
// sin r and cos r for |r| <= 1.
Fixed SinFixed(const Fixed& r);
Fixed CosFixed(const Fixed& r);
// atan(y / x) for y, x >= 0, not both 0, each below 2^31.
Fixed AtanFixed(const Fixed& y, const Fixed& x);

}  // namespace quorbit1::math
