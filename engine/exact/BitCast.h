// The bits of a value read as another type of the same size, as std::bit_cast does; the C++
// library of Debian's WebAssembly toolchain lacks std::bit_cast, so this uses the compilers'
// builtin it is made of (GCC, clang and MSVC have it). And the one split of a double into its
// significand and exponent that every maths function uses.
#pragma once

#include <bit>
#include <cstdint>
#include <type_traits>

namespace quorbit1 {

template <class To, class From>
constexpr To BitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                  std::is_trivially_copyable_v<From>);
    return __builtin_bit_cast(To, from);
}

// A finite double as an integer times a power of two: |x| = significand 2^exponent, with the
// significand below 2^53 (a subnormal's has fewer bits; 0 for a zero).
struct IntegerParts {
    std::uint64_t significand = 0;
    int exponent = 0;
};

inline IntegerParts SplitDouble(double x) {
    const auto bits = BitCast<std::uint64_t>(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) {
        return {fraction, -1074};
    }
    return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// A finite double other than 0 as |x| = fraction 2^exponent with the fraction in [1, 2),
// subnormals included: the same split, its significand shifted up to 53 bits.
struct FractionParts {
    double fraction = 1.0;
    int exponent = 0;
};

inline FractionParts SplitFraction(double x) {
    const IntegerParts p = SplitDouble(x);
    const int shift = std::countl_zero(p.significand) - 11;  // to bit 52
    const std::uint64_t top = p.significand << shift;
    return {BitCast<double>((top & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1023} << 52)),
            p.exponent + 52 - shift};
}

}  // namespace quorbit1
