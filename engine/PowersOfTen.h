// The powers of ten that digits are scaled by, for the places a digit can stand at.
#pragma once

#include <array>
#include <cstddef>

namespace quorbit1_digits {

// Places 0 to 19 are added; a digit further out adds nothing.
inline constexpr int kPlaceBound = 20;

// 10^k for k = -19 .. 19, filled by the power function itself, so the bits are the ones each
// digit would get from calling it.
extern const std::array<double, 2 * kPlaceBound - 1> kPowersOfTen;

inline double PowerOfTen(int k) {
    return kPowersOfTen[static_cast<std::size_t>(k + kPlaceBound - 1)];
}

}  // namespace quorbit1_digits
