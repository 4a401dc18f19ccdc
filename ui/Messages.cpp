#include "Messages.h"

#include <QCoreApplication>

namespace quorbit1 {

namespace {
// The messages of the OK command, which the core keeps in English, for the translations.
[[maybe_unused]] constexpr const char* kMessages[] = {
    QT_TRANSLATE_NOOP("quorbit1::Message", "Unbalanced Parentheses"),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Invalid Trig or Exponent."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Two or more spaces in Sequence."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Two sequential operators."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Log10 negatives not allowed."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Ln negatives not allowed."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Math domain error."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Number too long."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Invalid character."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Enter an equation."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "= is not supported. Restructure."),
    QT_TRANSLATE_NOOP("quorbit1::Message", "Not enough memory for this expression."),
};
}  // namespace

QString TranslatedMessage(const std::string& message) {
    return message.empty() ? QString()
                           : QCoreApplication::translate("quorbit1::Message", message.c_str());
}

}  // namespace quorbit1
