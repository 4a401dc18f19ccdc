// The OK command's messages, in English as the command line prints them: one per reported flag
// of the evaluator's table, and the command's own. The dialog and the page show them
// translated, keyed by these texts in the context "quorbit1::Message".
#pragma once

#include <array>

#include "Flags.h"
#include "TranslatableText.h"

namespace quorbit1 {

// By the flags' places in kFlags; the one never reported has none.
inline constexpr std::array<const char*, kFlagCount> kFlagMessages = {
    "",
    QT_TRANSLATE_NOOP("quorbit1::Message", "Unbalanced Parentheses"),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Invalid Trig or Exponent."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Two or more spaces in Sequence."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Two sequential operators."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Log10 negatives not allowed."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Ln negatives not allowed."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Math domain error."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Number too long."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Invalid character."),
};

inline constexpr const char* kMsgEmpty =
    QT_TRANSLATE_NOOP("quorbit1::Message", "Enter an equation.");
inline constexpr const char* kMsgEquals =
    QT_TRANSLATE_NOOP("quorbit1::Message", "= is not supported. Restructure.");
// A text whose terms do not fit in the memory there is: that command is not evaluated and says
// so, and the next one is run as usual.
inline constexpr const char* kMsgNoMemory =
    QT_TRANSLATE_NOOP("quorbit1::Message", "Not enough memory for this expression.");

}  // namespace quorbit1
