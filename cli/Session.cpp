#include "Session.h"

#include <ostream>

#include "NumberText.h"
#include "UsualReading.h"

namespace quorbit1 {

namespace {

std::string UsualLine(const UsualResult& usual) {
    return usual.ok ? "usual reading (with precedence): " + AnswerText(usual.value)
                    : "usual reading (with precedence): not an expression (" + usual.error + ")";
}

}  // namespace

Session::Session(std::ostream& out, AngleUnit unit, Output output, const SlotValues& slots)
    : m_out(out), m_angleMode(AngleMode(unit)), m_output(output) {
    m_equation.SetSlots(slots);
}

bool Session::Run(const std::string& text) {
    if (m_output == Output::kTrace) {
        m_equation.SetObserver(&m_recorder);
    }
    const OkOutcome outcome = RunOkCommand(m_equation, text, m_angleMode);
    m_equation.SetObserver(nullptr);
    return Print(text, outcome);
}

void Session::RunUnheld() {
    Print({}, UnheldOutcome(m_equation));
}

bool Session::Print(const std::string& text, const OkOutcome& outcome) {
    m_anyMessage = m_anyMessage || !outcome.message.empty();
    if (m_output == Output::kPlain) {
        m_out << AnswerText(outcome.answer);
        if (!outcome.message.empty()) {
            m_out << '\t' << outcome.message;
        }
        m_out << '\n';
        return outcome.solved;
    }

    const UsualResult usual = EvaluateUsual(text, m_angleMode, m_equation.Slots());
    if (m_output == Output::kJson) {
        const std::string_view line = m_json.Line(text, m_angleMode, outcome, usual);
        m_out.write(line.data(), static_cast<std::streamsize>(line.size()));
        return outcome.solved;
    }
    m_out << AnswerText(outcome.answer);
    if (!outcome.message.empty()) {
        m_out << '\t' << outcome.message;
    }
    m_out << '\n';
    if (outcome.solved) {
        m_out << FormatWorking(m_recorder.Stages(), m_recorder.PassCount());
    } else {
        m_out << "  not evaluated\n";
    }
    m_out << "  " << UsualLine(usual) << '\n';
    return outcome.solved;
}

}  // namespace quorbit1
