// The tests the reduction makes of values and terms, shared by the evaluator's two routes.
#pragma once

#include <cmath>

#include "Equation.h"

namespace quorbit1_terms {

inline constexpr double kNearZero = 1e-9;

inline bool IsZero(double v) {
    return v == 0.0;
}

// The zero tests of a '*' left factor, of a '^' exponent and of the finish test let a NaN pass
// as zero; the back walk and the placeholder shift do not.
inline bool IsZeroOrNaN(double v) {
    return v == 0.0 || std::isnan(v);
}

// The range in which a division is not performed, bounds excluded.
inline bool IsNearZero(double v) {
    return -kNearZero < v && v < kNearZero;
}

// Empty for the back walk: brackets are not looked at.
inline bool IsEmpty(const Term& t) {
    return t.op == '+' && IsZero(t.value) && t.funcCode == 0;
}

inline bool IsBarePlaceholder(const Term& t) {
    return IsEmpty(t) && t.openParens < 1 && t.closeParens < 1;
}

inline bool IsSettled(const Term& t) {
    return IsZeroOrNaN(t.value) && t.op == '+';
}

inline bool IsNegativeZeroPlaceholder(const Term& t) {
    return IsBarePlaceholder(t) && std::signbit(t.value);
}

// Takes one bracket level off a term: one '(' and one ')'. A term short of either loses both
// its counts instead.
inline void CloseOneLevel(Term& t) {
    t.openParens -= 1;
    t.closeParens -= 1;
    if (t.openParens < 0 || t.closeParens < 0) {
        t.openParens = 0;
        t.closeParens = 0;
    }
}

}  // namespace quorbit1_terms
