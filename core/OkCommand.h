// The OK command without any toolkit: the dialog's own checks on the text, the call of the
// evaluator, and the turning of its flags into the one message the user sees. The desktop dialog
// and the command line both run it, so they show the same answer and message for the same text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Equation.h"
#include "Flags.h"
#include "OkMessages.h"

namespace quorbit1 {

// The longest text the evaluator takes: its term indices are ints, and a text of more than a
// gigabyte would not fit anyway.
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 30;

// What one OK command shows: the answer field's number and the error field's text.
struct OkOutcome {
    double answer = 0.0;
    std::string message;  // empty when nothing went wrong
    // Where in the text the character stands that the message is about (an invalid character,
    // an unknown letter, a doubled operator or space), or -1.
    int markPos = -1;
    bool solved = false;  // false when the text was refused before evaluation
    // The flags the evaluation raised: bit i for kFlags[i].
    unsigned raised = 0;
};

// The OK command on an evaluator that serves a whole run of commands, once the front end has
// read its controls: copies the angle unit in, clears the flags, refuses an empty text or one
// with '=', solves otherwise, and composes the message, clearing each reported flag as it goes
// (the last raised one's message wins). The answer is the evaluator's m_result whether or not
// it ran, so a refused text shows the previous answer. A text that runs out of memory is
// refused after the fact with kMsgNoMemory: its flags are cleared and the previous answer stays.
OkOutcome RunOkCommand(CEquation& equation, std::string_view input, int angleMode);

// The outcome of a text too long to be held in memory at all, which RunOkCommand never got:
// not evaluated, kMsgNoMemory, the previous answer.
OkOutcome UnheldOutcome(const CEquation& equation);

}  // namespace quorbit1
