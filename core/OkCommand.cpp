#include "OkCommand.h"

#include <charconv>

#include <cmath>
#include <cstdio>
#include <new>

namespace quorbit1 {

namespace {

int MarkPosition(const CEquation& equation, int CEquation::*winner) {
    if (winner == &CEquation::m_errBadChar) {
        return equation.BadCharPos();
    }
    if (winner == &CEquation::m_errTrigExp) {
        return equation.TrigExpPos();
    }
    if (winner == &CEquation::m_errSpaces) {
        return equation.SpacesPos();
    }
    if (winner == &CEquation::m_errSeqOps) {
        return equation.SeqOpsPos();
    }
    return -1;
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

OkOutcome RunOkCommand(CEquation& equation, int& inputError, std::string& errorText,
                       std::string_view input, int angleMode) {
    OkOutcome outcome;
    equation.m_angleMode = angleMode;
    // The text itself goes in when it is solved, where a failure to hold it is caught.
    equation.m_text.clear();

    inputError = 0;
    equation.m_errEmpty = 0;
    for (const ReportedFlag& f : kReportedFlags) {
        equation.*(f.flag) = 0;
    }

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
            for (const ReportedFlag& f : kReportedFlags) {
                equation.*(f.flag) = 0;
            }
        }
    }
    inputError = 0;

    int CEquation::*winner = nullptr;
    unsigned bit = 1;
    for (const ReportedFlag& f : kReportedFlags) {
        if (equation.*(f.flag) > 0) {
            errorText = f.message;
            equation.*(f.flag) = 0;
            winner = f.flag;
            outcome.raised |= bit;
        }
        bit <<= 1;
    }
    if (winner != nullptr) {
        outcome.markPos = MarkPosition(equation, winner);
    }
    outcome.answer = equation.m_result;
    outcome.message = errorText;
    return outcome;
}

OkOutcome OkCommand::Run(std::string_view input, int angleMode) {
    OkOutcome outcome = RunOkCommand(m_equation, m_inputError, m_errorText, input, angleMode);
    m_errorText.clear();
    return outcome;
}

OkOutcome OkCommand::Unheld() const {
    OkOutcome outcome;
    outcome.answer = m_equation.m_result;
    outcome.message = kMsgNoMemory;
    return outcome;
}

void AppendNumberText(std::string& out, double value, int significant) {
    if (std::isnan(value)) {
        out += "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "inf" : "-inf";
        return;
    }
    char buf[32];
    std::to_chars_result end{};
    // Whole numbers, the most common answers, have no exponent and no fraction to round at
    // either precision, so they are written as integers, much faster; "%g" writes -0 as "-0".
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        if (value == 0 && std::signbit(value)) {
            out += "-0";
            return;
        }
        end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
    } else {
        end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    }
    out.append(buf, end.ptr);
}

std::string AnswerText(double value) {
    std::string text;
    AppendNumberText(text, value, 15);
    return text;
}

}  // namespace quorbit1
