// The evaluator's error flags in one table: the field of CEquation that holds each, where the
// character that raised it stands (for the flags about one character), and the stable key that
// scripts, tests and tables know it by. Whatever lists the flags (the OK command's messages,
// the command line's JSON, the tests, the fuzzer) is made from this table.
#pragma once

#include <cstddef>

#include "Equation.h"

namespace quorbit1 {

struct FlagInfo {
    int CEquation::*field;
    int (CEquation::*position)() const;  // nullptr for a flag not about one character
    const char* key;
};

// In the order of CEquation's fields. The first, m_errEmpty, is never reported: the OK command
// refuses an empty text before the evaluator sees it. The others are in the order in which the
// OK command walks them, so that when several are raised the last one's message is shown.
inline constexpr FlagInfo kFlags[] = {
    {&CEquation::m_errEmpty, nullptr, "empty"},
    {&CEquation::m_errParens, nullptr, "unbalancedParentheses"},
    {&CEquation::m_errTrigExp, &CEquation::TrigExpPos, "invalidTrigOrExponent"},
    {&CEquation::m_errSpaces, &CEquation::SpacesPos, "spacesInSequence"},
    {&CEquation::m_errSeqOps, &CEquation::SeqOpsPos, "sequentialOperators"},
    {&CEquation::m_errLog10Neg, nullptr, "log10Negative"},
    {&CEquation::m_errLnNeg, nullptr, "lnNegative"},
    {&CEquation::m_errDomain, nullptr, "mathDomain"},
    {&CEquation::m_errLongNumber, nullptr, "numberTooLong"},
    {&CEquation::m_errBadChar, &CEquation::BadCharPos, "invalidCharacter"},
};
inline constexpr std::size_t kFlagCount = std::size(kFlags);
// kFlags[kFirstReported] onwards are the flags the OK command reports.
inline constexpr std::size_t kFirstReported = 1;

// The raised flags as a set: bit i for kFlags[i].
inline unsigned RaisedFlags(const CEquation& equation) {
    unsigned raised = 0;
    for (std::size_t i = 0; i < kFlagCount; ++i) {
        raised |= equation.*(kFlags[i].field) != 0 ? 1u << i : 0u;
    }
    return raised;
}

}  // namespace quorbit1
