// The OK command without any toolkit: the dialog's own checks on the text, the call of the
// evaluator, and the turning of its flags into the one message the user sees. The desktop dialog
// and the command line both run it, so they show the same answer and message for the same text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Equation.h"

namespace quorbit1 {

inline constexpr int kDegrees = 0;
inline constexpr int kRadians = 1;

// What one OK command shows: the answer field's number and the error field's text.
struct OkOutcome {
    double answer = 0.0;
    std::string message;  // empty when nothing went wrong
    // Where in the text the character stands that the message is about (an invalid character,
    // an unknown letter, a doubled operator or space), or -1.
    int markPos = -1;
    bool solved = false;  // false when the text was refused before evaluation
    // The flags the evaluation raised, by their place in kReportedFlags (bit i for entry i).
    unsigned raised = 0;
};

// A flag the OK command reports, with its message and the name scripts know it by (the
// command line's JSON); the names are part of that stable output and never change.
struct ReportedFlag {
    int CEquation::*flag;
    const char* message;
    const char* name;
};

// The reported flags in the order in which they are walked; when several are raised, the last
// one's message is shown.
inline constexpr ReportedFlag kReportedFlags[] = {
    {&CEquation::m_errParens, "Unbalanced Parentheses", "unbalancedParentheses"},
    {&CEquation::m_errTrigExp, "Invalid Trig or Exponent.", "invalidTrigOrExponent"},
    {&CEquation::m_errSpaces, "Two or more spaces in Sequence.", "spacesInSequence"},
    {&CEquation::m_errSeqOps, "Two sequential operators.", "sequentialOperators"},
    {&CEquation::m_errLog10Neg, "Log10 negatives not allowed.", "log10Negative"},
    {&CEquation::m_errLnNeg, "Ln negatives not allowed.", "lnNegative"},
    {&CEquation::m_errDomain, "Math domain error.", "mathDomain"},
    {&CEquation::m_errLongNumber, "Number too long.", "numberTooLong"},
    {&CEquation::m_errBadChar, "Invalid character.", "invalidCharacter"},
};

inline constexpr const char* kMsgEmpty = "Enter an equation.";
inline constexpr const char* kMsgEquals = "= is not supported. Restructure.";
// A text whose terms do not fit in the memory there is: that command is not evaluated and says
// so, and the next one is run as usual.
inline constexpr const char* kMsgNoMemory = "Not enough memory for this expression.";
// The longest text the evaluator takes: its term indices are ints, and a text of more than a
// gigabyte would not fit anyway.
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 30;

// The OK command on the caller's evaluator and working members, as the dialog runs it once it
// has read its controls: copies the angle unit and the text in, clears the flags, refuses an
// empty text or one with '=', solves otherwise, and composes the message (clearing each
// reported flag). The answer is the evaluator's m_result whether or not it ran, so a refused
// text shows the previous answer. A text that runs out of memory is refused after the fact
// with kMsgNoMemory: its flags are cleared and the previous answer stays.
// errorText holds the composed message afterwards; emptying it is the caller's last step.
OkOutcome RunOkCommand(CEquation& equation, int& inputError, std::string& errorText,
                       std::string_view input, int angleMode);

// The same with working members of its own: one object serves a whole run of commands, as the
// dialog's members do.
class OkCommand {
public:
    OkOutcome Run(std::string_view input, int angleMode);
    // The outcome of a text too long to be held in memory at all, which Run never got: not
    // evaluated, kMsgNoMemory, the previous answer.
    OkOutcome Unheld() const;
    CEquation& Equation() { return m_equation; }

private:
    int m_inputError = 0;
    std::string m_errorText;
    CEquation m_equation;
};

// The answer's text form: 15 significant digits as "%.15g" writes them, every NaN as "nan",
// infinities as "inf" and "-inf".
std::string AnswerText(double value);

// Appends a number as "%.<significant>g" writes it in the C locale, with NaN and infinities as
// AnswerText writes them.
void AppendNumberText(std::string& out, double value, int significant);

}  // namespace quorbit1
