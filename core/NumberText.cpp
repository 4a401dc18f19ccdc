#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "BitCast.h"
#include "DoubleDouble.h"

namespace quorbit1 {

namespace {

// An unsigned 128-bit integer from two 64-bit halves, with just what exact decimal rounding
// needs; portable where the compiler has no 128-bit type.
struct U128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};

U128 Multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t a0 = a & 0xFFFFFFFFu;
    const std::uint64_t a1 = a >> 32;
    const std::uint64_t b0 = b & 0xFFFFFFFFu;
    const std::uint64_t b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0;
    const std::uint64_t p01 = a0 * b1;
    const std::uint64_t p10 = a1 * b0;
    const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {a1 * b1 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
            (middle << 32) | (p00 & 0xFFFFFFFFu)};
}

// A non-negative number scaled to an integer's size: the integer below it, and the nearest
// (ties to even).
struct Scaled {
    std::uint64_t floor = 0;
    std::uint64_t rounded = 0;
};

// value >> shift (0 < shift < 128); nullopt when that does not fit 64 bits.
std::optional<Scaled> ShiftScaled(U128 value, int shift) {
    U128 whole;
    U128 rest;  // the bits shifted out
    if (shift < 64) {
        whole = {value.hi >> shift, (value.lo >> shift) | (value.hi << (64 - shift))};
        rest = {0, value.lo & ((std::uint64_t{1} << shift) - 1)};
    } else {
        whole = {0, value.hi >> (shift - 64)};
        rest = {value.hi & ((std::uint64_t{1} << (shift - 64)) - 1), value.lo};
    }
    if (whole.hi != 0 || whole.lo == ~std::uint64_t{0}) {
        return std::nullopt;
    }
    const U128 half = shift <= 64 ? U128{0, std::uint64_t{1} << (shift - 1)}
                                  : U128{std::uint64_t{1} << (shift - 65), 0};
    const bool above = rest.hi != half.hi ? rest.hi > half.hi : rest.lo > half.lo;
    const bool tie = rest.hi == half.hi && rest.lo == half.lo;
    return Scaled{whole.lo, whole.lo + ((above || (tie && (whole.lo & 1) != 0)) ? 1 : 0)};
}

// base^0 to base^(N-1), each exact in T.
template <typename T, std::size_t N>
constexpr std::array<T, N> PowersOf(T base) {
    std::array<T, N> p{};
    T v = 1;
    for (T& e : p) {
        e = v;
        v *= base;
    }
    return p;
}

constexpr auto kPowersOfTen = PowersOf<std::uint64_t, 18>(10);
constexpr int kMaxPowerOfFive = 27;  // 5^27 < 2^63
constexpr auto kPowersOfFive = PowersOf<std::uint64_t, kMaxPowerOfFive + 1>(5);

// mantissa * 2^binaryExponent * 10^scale exactly where that fits in integers: for 0 <= scale
// <= 27 mantissa * 5^scale fits 128 bits and the power of two is a shift; for a whole number
// below 2^64 and -17 <= scale < 0, a division by 10^-scale.
std::optional<Scaled> ScaleExactly(std::uint64_t mantissa, int binaryExponent, int scale) {
    if (scale > kMaxPowerOfFive) {
        return std::nullopt;
    }
    if (scale < 0) {
        while (binaryExponent < 0 && (mantissa & 1) == 0) {
            mantissa >>= 1;  // a whole number can have its last bits zero
            ++binaryExponent;
        }
        if (scale < -17 || binaryExponent < 0 || binaryExponent > 11) {
            return std::nullopt;
        }
        const std::uint64_t whole = mantissa << binaryExponent;
        const std::uint64_t divisor = kPowersOfTen[static_cast<std::size_t>(-scale)];
        const std::uint64_t q = whole / divisor;
        const std::uint64_t twice = 2 * (whole % divisor);
        return Scaled{q, q + ((twice > divisor || (twice == divisor && (q & 1) != 0)) ? 1 : 0)};
    }
    const U128 product = Multiply(mantissa, kPowersOfFive[static_cast<std::size_t>(scale)]);
    const int shift = binaryExponent + scale;
    if (shift >= 0) {
        if (product.hi != 0 || shift > 62 || (product.lo >> (63 - shift)) != 0) {
            return std::nullopt;
        }
        return Scaled{product.lo << shift, product.lo << shift};
    }
    return shift > -128 ? ShiftScaled(product, -shift) : std::nullopt;
}

// 10^0 to 10^22, the powers of ten that doubles hold exactly.
constexpr auto kExactPowersOfTen = PowersOf<double, 23>(10.0);

// 10^n for 0 <= n <= 307 as a double-double, within 2^-99 of it relatively: the powers up to
// 10^21 are exact doubles, the rest their products with powers of 10^22.
math::DD PowerOfTen(int n) {
    static const std::array<math::DD, 14> kSteps = [] {
        std::array<math::DD, 14> steps{};
        steps[0] = {1.0, 0.0};
        for (std::size_t j = 1; j < steps.size(); ++j) {
            steps[j] = math::Mul(steps[j - 1], math::DD{1e22, 0.0});
        }
        return steps;
    }();
    return math::Mul(kSteps[static_cast<std::size_t>(n / 22)],
                     kExactPowersOfTen[static_cast<std::size_t>(n % 22)]);
}

// a * 10^scale for a normal a > 0 and the scales that give 17 places of any double, in
// double-double: relative error below 2^-97. nullopt when the error could decide the rounding
// (the scaled number lies that close to a half), left to the library.
std::optional<Scaled> ScaleApproximately(double a, int scale) {
    math::DD s;
    if (scale > 280) {
        s = math::Mul(math::Mul(PowerOfTen(scale - 140), a), PowerOfTen(140));
    } else if (scale >= 0) {
        s = math::Mul(PowerOfTen(scale), a);
    } else if (scale >= -307) {
        s = math::Div(math::DD{a, 0.0}, PowerOfTen(-scale));
    } else {
        return std::nullopt;
    }
    if (!(s.hi >= 1.0 && s.hi < 0x1p63)) {
        return std::nullopt;
    }
    // hi - floor(hi) is exact, so the rest carries only the rounding of one sum.
    const double whole = std::floor(s.hi);
    double rest = (s.hi - whole) + s.lo;
    const double carry = std::floor(rest);
    rest -= carry;
    const auto floor = static_cast<std::uint64_t>(whole) +
                       static_cast<std::uint64_t>(static_cast<std::int64_t>(carry));
    if (std::fabs(rest - 0.5) <= s.hi * 0x1p-90) {
        return std::nullopt;
    }
    return Scaled{floor, floor + (rest > 0.5 ? 1 : 0)};
}

// The significant digits of a finite non-zero |value| rounded to `significant` places (ties to
// even, as printf rounds), with the decimal exponent of the first; without the C library, which
// is slow where long double is emulated. Exact in integers for the scales most answers need,
// else in double-double; nullopt for subnormals and the rare value too close to a half.
struct Digits {
    std::uint64_t digits = 0;  // significant places exactly
    int exponent = 0;
};

std::optional<Digits> RoundedDigits(double value, int significant) {
    const std::uint64_t bits = BitCast<std::uint64_t>(value) & ~(std::uint64_t{1} << 63);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0 || biased == 0x7FF || significant < 1 || significant > 17) {
        return std::nullopt;  // subnormal, or not finite
    }
    const std::uint64_t mantissa =
        (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int binaryExponent = biased - 1075;  // |value| = mantissa * 2^binaryExponent
    // A first guess at the decimal exponent (log10(2) ~ 0.30103), within one; corrected below.
    int exponent = ((biased - 1023) * 30103) / 100000 - ((biased < 1023) ? 1 : 0);
    const std::uint64_t low = kPowersOfTen[static_cast<std::size_t>(significant - 1)];
    const std::uint64_t high = low * 10;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = significant - 1 - exponent;  // |value| * 10^scale has the places
        std::optional<Scaled> s = ScaleExactly(mantissa, binaryExponent, scale);
        if (!s) {
            s = ScaleApproximately(BitCast<double>(bits), scale);
        }
        if (!s) {
            return std::nullopt;
        }
        if (s->floor < low) {
            --exponent;
        } else if (s->rounded > high) {
            ++exponent;
        } else if (s->rounded == high) {
            // Only rounding up gives exactly 10^significant: 9.99...95 shown as 10.0...0.
            return Digits{low, exponent + 1};
        } else {
            return Digits{s->rounded, exponent};
        }
    }
    return std::nullopt;
}

// "%.<significant>g" of the rounded digits: without an exponent when it lies from -4 to
// significant - 1, else d.ddde+XX; trailing zeros of the fraction and a bare point dropped.
char* WriteGeneral(char* out, bool negative, Digits d, int significant) {
    char places[20];
    for (int i = significant - 1; i >= 0; --i) {
        places[i] = static_cast<char>('0' + d.digits % 10);
        d.digits /= 10;
    }
    int kept = significant;
    while (kept > 1 && places[kept - 1] == '0') {
        --kept;
    }
    if (negative) {
        *out++ = '-';
    }
    const int x = d.exponent;
    if (x < -4 || x >= significant) {
        *out++ = places[0];
        if (kept > 1) {
            *out++ = '.';
            for (int i = 1; i < kept; ++i) {
                *out++ = places[i];
            }
        }
        *out++ = 'e';
        *out++ = x < 0 ? '-' : '+';
        const int magnitude = x < 0 ? -x : x;
        if (magnitude >= 100) {
            *out++ = static_cast<char>('0' + magnitude / 100);
        }
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
    } else if (x >= 0) {
        for (int i = 0; i <= x; ++i) {
            *out++ = places[i];
        }
        if (kept > x + 1) {
            *out++ = '.';
            for (int i = x + 1; i < kept; ++i) {
                *out++ = places[i];
            }
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = x; i < -1; ++i) {
            *out++ = '0';
        }
        for (int i = 0; i < kept; ++i) {
            *out++ = places[i];
        }
    }
    return out;
}

}  // namespace

std::optional<double> ReadShortNumeral(std::string_view numeral) {
    std::uint64_t digits = 0;
    int significant = 0;
    int fraction = -1;  // digits after the point, once there is one
    for (const char c : numeral) {
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (fraction >= 0) {
            ++fraction;
        }
        if (digits == 0 && c == '0') {
            continue;
        }
        if (++significant > 15) {
            return std::nullopt;
        }
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (fraction >= static_cast<int>(kExactPowersOfTen.size())) {
        return std::nullopt;
    }
    const double whole = static_cast<double>(digits);
    return fraction > 0 ? whole / kExactPowersOfTen[static_cast<std::size_t>(fraction)] : whole;
}

void AppendNumberText(std::string& out, double value, int significant) {
    if (std::isnan(value)) {
        out += "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "inf" : "-inf";
        return;
    }
    char buf[40];
    std::to_chars_result end{};
    // Whole numbers, the most common answers, have no exponent and no fraction to round at
    // either precision, so they are written as integers, much faster; "%g" writes -0 as "-0".
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        if (value == 0 && std::signbit(value)) {
            out += "-0";
            return;
        }
        end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
    } else if (const std::optional<Digits> digits = RoundedDigits(value, significant)) {
        end.ptr = WriteGeneral(buf, std::signbit(value), *digits, significant);
    } else {
#if defined(__cpp_lib_to_chars)
        end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
#else
        // The C++ library of Debian's WebAssembly toolchain has no to_chars for doubles. Its
        // printf rounds exactly too, and "%.*g" is by definition the same text.
        end.ptr = buf + std::snprintf(buf, sizeof buf, "%.*g", significant, value);
#endif
    }
    out.append(buf, end.ptr);
}

std::string AnswerText(double value) {
    std::string text;
    AppendNumberText(text, value, 15);
    return text;
}

}  // namespace quorbit1
