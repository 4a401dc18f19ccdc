// What a text gives when read the way school arithmetic reads it: brackets first, then '^'
// (right-associative), then a sign, then '*' and '/', then '+' and '-', left to right; the same
// ten functions with the same degree factors. Shown beside the calculator's own answer so a
// surprising result can be understood. It is never used for the answer itself.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "Inputs.h"
#include "TranslatableText.h"

namespace quorbit1 {

// Why a text is not an expression in this reading. Each front end words it in its language;
// UsualRefusalText gives the English the command line prints.
enum class UsualRefusal {
    kNone,
    kEmpty,          // the text is blank
    kUnexpected,     // subject: the character
    kTooDeep,        // brackets, functions and signs nested past what the reading takes
    kNoOperand,      // the text ends where an operand should be
    kCloseExpected,  // a ')' is missing
    kNoDigits,       // a number is a point alone
    kUnknownName,    // subject: the name, in capitals
    kOpenExpected,   // subject: the function name that wants its '('
};

struct UsualResult {
    bool ok = false;  // false: the text is not an expression in this reading
    double value = 0.0;
    std::string error;  // why not, when ok is false: UsualRefusalText of the three below
    UsualRefusal refusal = UsualRefusal::kNone;
    std::string subject;       // the character or name the refusal is about
    std::size_t position = 0;  // counted from 1, in bytes; 0 for a blank text
};

// What a refusal says, with %1 for its subject ("unexpected '%1'"), by the refusals' places,
// and where (kUsualRefusalAt, left out for a blank text, which has no place to point at): the
// templates the dialog's and the page's translations are keyed by, in the context
// "quorbit1::Working".
inline constexpr std::array<const char*, 9> kUsualRefusalWords = {
    "",
    QT_TRANSLATE_NOOP("quorbit1::Working", "the text is empty"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "unexpected '%1'"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "nested too deeply for this reading"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "an operand is missing"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "')' expected"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "a number has no digits"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "unknown name '%1'"),
    QT_TRANSLATE_NOOP("quorbit1::Working", "'(' expected after %1"),
};
static_assert(kUsualRefusalWords.size() ==
              static_cast<std::size_t>(UsualRefusal::kOpenExpected) + 1);
inline constexpr const char* kUsualRefusalAt =
    QT_TRANSLATE_NOOP("quorbit1::Working", "%1 at position %2");

inline const char* UsualRefusalWords(UsualRefusal refusal) {
    return kUsualRefusalWords[static_cast<std::size_t>(refusal)];
}

// "unexpected '*' at position 3" and the like.
std::string UsualRefusalText(UsualRefusal refusal, const std::string& subject,
                             std::size_t position);

UsualResult EvaluateUsual(std::string_view text, int angleMode, const SlotValues& slots = {});

}  // namespace quorbit1
