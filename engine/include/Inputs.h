// What a solve takes besides its text: the angle unit and the values of the variable slots.
// Both are the calculator's own definitions, and every front end, test and tool takes them
// from here.
#pragma once

#include <array>

namespace quorbit1 {

// The unit in which SIN, COS and TAN take and ASIN, ACOS and ATAN give angles. The numbers are
// those CEquation::m_angleMode holds; the evaluator works in degrees exactly when it holds 0.
enum class AngleUnit : int { kDegrees = 0, kRadians = 1 };

constexpr int AngleMode(AngleUnit unit) {
    return static_cast<int>(unit);
}

// The unit a mode stands for: degrees exactly when it is 0, as the evaluator reads it (a face
// with no unit chosen, -1, is in radians).
constexpr AngleUnit UnitOfMode(int mode) {
    return mode == AngleMode(AngleUnit::kDegrees) ? AngleUnit::kDegrees : AngleUnit::kRadians;
}

// The name scripts and tables know a unit by.
constexpr const char* AngleUnitKey(AngleUnit unit) {
    return unit == AngleUnit::kRadians ? "radians" : "degrees";
}

// The variable slots, by the letters that stand for them in an expression.
inline constexpr int kSlotCount = 4;
inline constexpr char kSlotLetters[kSlotCount + 1] = "XYZT";
using SlotValues = std::array<double, kSlotCount>;

// The slot a letter stands for, in either case; -1 for any other character.
constexpr int SlotOf(char letter) {
    const char upper =
        letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (int i = 0; i < kSlotCount; ++i) {
        if (kSlotLetters[i] == upper) {
            return i;
        }
    }
    return -1;
}

}  // namespace quorbit1
