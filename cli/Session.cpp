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
    : m_out(out), m_output(output) {
    m_calc.SetUnit(unit);
    m_calc.SetSlots(slots);
    m_calc.RecordWorking(output == Output::kTrace);
    m_calc.RecordReading(output != Output::kPlain);
}

bool Session::Run(std::string_view text) {
    return Print(m_calc.Ok(text));
}

void Session::RunUnheld() {
    Print(m_calc.OkUnheld());
}

bool Session::Print(const Command& command) {
    const OkOutcome& outcome = command.outcome;
    m_anyMessage = m_anyMessage || !outcome.message.empty();
    if (m_output == Output::kJson) {
        const std::string_view line = m_calc.JsonLine();
        m_out.write(line.data(), static_cast<std::streamsize>(line.size()));
        return outcome.solved;
    }
    m_out << AnswerText(outcome.answer);
    if (m_output == Output::kExplain) {
        m_out << '\t' << m_calc.ReadAs().text;
    }
    if (!outcome.message.empty()) {
        m_out << '\t' << outcome.message;
    }
    m_out << '\n';
    if (m_output != Output::kTrace) {
        return outcome.solved;
    }
    if (outcome.solved) {
        const Reading& reading = m_calc.ReadAs();
        m_out << "  read as: " << reading.text << '\n';
        for (const ReadingNote& note : reading.notes) {
            m_out << "    " << ReadingNoteText(note) << '\n';
        }
        const WorkingView& working = m_calc.Working();
        m_out << FormatWorking(working.stages, working.passCount);
    } else {
        m_out << "  not evaluated\n";
    }
    m_out << "  " << UsualLine(m_calc.Usual()) << '\n';
    return outcome.solved;
}

}  // namespace quorbit1
