#include "OkCommand.h"

#include <new>

namespace quorbit1 {

namespace {

void ClearFlags(CEquation& equation) {
    for (const FlagInfo& f : kFlags) {
        equation.*(f.field) = 0;
    }
}

// Solves, unless the text is too long for the evaluator or its terms do not fit in memory.
// The evaluator keeps its old storage when a larger one cannot be had, and every solve starts
// afresh, so the next text is solved as usual.
bool Solved(CEquation& equation, std::string_view input) {
    if (input.size() > kMaxTextBytes) {
        return false;
    }
    try {
        equation.m_text.assign(input);
        equation.Solve();
        return true;
    } catch (const std::bad_alloc&) {
        equation.m_text.clear();
        equation.m_text.shrink_to_fit();
        return false;
    }
}

}  // namespace

OkOutcome RunOkCommand(CEquation& equation, std::string_view input, int angleMode) {
    OkOutcome outcome;
    equation.m_angleMode = angleMode;
    // The text itself goes in when it is solved, where a failure to hold it is caught.
    equation.m_text.clear();
    ClearFlags(equation);

    int inputError = 0;
    std::string errorText;
    if (input.empty()) {
        errorText = kMsgEmpty;
        inputError = 1;
    }
    if (input.find('=') != std::string_view::npos) {
        errorText = kMsgEquals;
        inputError = 1;
    }
    if (inputError < 1) {
        outcome.solved = Solved(equation, input);
        if (!outcome.solved) {
            errorText = kMsgNoMemory;
            ClearFlags(equation);
        }
    }

    // The last raised flag wins: its message, and the character it is about where it has one.
    for (std::size_t i = kFirstReported; i < kFlagCount; ++i) {
        const FlagInfo& f = kFlags[i];
        if (equation.*(f.field) > 0) {
            errorText = kFlagMessages[i];
            equation.*(f.field) = 0;
            outcome.raised |= 1u << i;
            outcome.markPos = f.position != nullptr ? (equation.*(f.position))() : -1;
        }
    }
    outcome.answer = equation.m_result;
    outcome.message = std::move(errorText);
    return outcome;
}

OkOutcome UnheldOutcome(const CEquation& equation) {
    OkOutcome outcome;
    outcome.answer = equation.m_result;
    outcome.message = kMsgNoMemory;
    return outcome;
}

}  // namespace quorbit1
