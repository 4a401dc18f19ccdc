#include "Calculator.h"

#include <new>

#include "Functions.h"
#include "InputRules.h"
#include "NumberText.h"

namespace quorbit1 {

Calculator::Calculator() = default;

Calculator::Calculator(HistoryStore history) : m_history(std::move(history)) {}

bool Calculator::SetSlotText(int slot, std::string_view text, std::string_view decimalSeparator) {
    const std::optional<double> value = ReadSlotValue(text, decimalSeparator);
    if (!value || slot < 0 || slot >= kSlotCount) {
        return false;
    }
    SlotValues slots = Slots();
    slots[static_cast<std::size_t>(slot)] = *value;
    SetSlots(slots);
    return true;
}

const Command& Calculator::Ok(std::string_view text) {
    m_equation.SetObserver(m_recorder.get());
    const OkOutcome outcome = RunOkCommand(m_equation, text, AngleMode(m_unit));
    m_equation.SetObserver(nullptr);
    m_recorded = m_recorder != nullptr;
    const Command& command = Finish(text, outcome);
    if (outcome.solved && m_history) {
        m_historyProblem = m_history->Add(text);
    }
    if (m_history) {
        m_cursor.Reset(m_history->Entries().size());
    }
    return command;
}

const Command& Calculator::OkUnheld() {
    m_recorded = false;
    return Finish({}, UnheldOutcome(m_equation));
}

const Command& Calculator::Finish(std::string_view text, const OkOutcome& outcome) {
    m_last.any = true;
    m_last.text.assign(text);
    m_last.unit = m_unit;
    m_last.slotValues = Slots();
    m_last.outcome = outcome;
    m_usual.reset();
    m_jsonLine.reset();
    m_working.reset();
    m_workingJson.reset();
    return m_last;
}

const UsualResult& Calculator::Usual() {
    if (!m_usual) {
        m_usual = EvaluateUsual(m_last.text, AngleMode(m_last.unit), m_last.slotValues);
    }
    return *m_usual;
}

std::string_view Calculator::JsonLine() {
    if (!m_jsonLine) {
        m_jsonLine = m_json.Line(m_last.text, AngleMode(m_last.unit), m_last.outcome, Usual());
    }
    return *m_jsonLine;
}

void Calculator::RecordWorking(bool on, std::size_t maxStages, std::size_t maxTerms) {
    if (!on) {
        m_recorder.reset();
    } else if (m_recorder == nullptr) {
        m_recorder = std::make_unique<WorkingRecorder>(maxStages, maxTerms);
    }
}

const WorkingView& Calculator::Working(std::size_t maxStages, std::size_t maxTerms) {
    if (m_working) {
        return *m_working;
    }
    WorkingView& view = m_working.emplace();
    view.command = m_last.any;
    view.text = m_last.text;
    view.shownText = ShownText(m_last.text);
    view.angleMode = AngleMode(m_last.unit);
    view.evaluated = m_last.outcome.solved;
    view.answer = AnswerText(m_last.outcome.answer);
    view.message = m_last.outcome.message;
    view.usual = Usual();
    if (!m_last.outcome.solved) {
        return view;
    }
    if (m_recorded && m_recorder != nullptr) {
        view.stages = m_recorder->Stages();
        view.passCount = m_recorder->PassCount();
        return view;
    }
    // The same text, unit and slots on the same evaluator give the same result again; the
    // slots the user has set since are put back afterwards.
    WorkingRecorder recorder(maxStages, maxTerms);
    const SlotValues now = Slots();
    SetSlots(m_last.slotValues);
    m_equation.SetObserver(&recorder);
    const OkOutcome again = RunOkCommand(m_equation, m_last.text, AngleMode(m_last.unit));
    m_equation.SetObserver(nullptr);
    SetSlots(now);
    if (!again.solved) {
        // The working did not fit in memory, though the command did.
        view.message = kMsgNoMemory;
        return view;
    }
    try {
        view.stages = recorder.Stages();
    } catch (const std::bad_alloc&) {
        view.message = kMsgNoMemory;
        return view;
    }
    view.passCount = recorder.PassCount();
    return view;
}

const std::string& Calculator::WorkingJsonText() {
    if (!m_workingJson) {
        m_workingJson = WorkingJson(Working());
    }
    return *m_workingJson;
}

std::string Calculator::UseHistory(HistoryStore history) {
    m_history = std::move(history);
    m_noticeGiven = false;
    return LoadHistory();
}

std::string Calculator::LoadHistory() {
    if (!m_history) {
        return {};
    }
    std::string problem = m_history->Load();
    m_cursor.Reset(m_history->Entries().size());
    return problem;
}

std::string Calculator::ClearHistory() {
    if (!m_history) {
        return {};
    }
    std::string problem = m_history->Clear();
    m_cursor.Reset(0);
    return problem;
}

const std::vector<std::string>& Calculator::History() const {
    static const std::vector<std::string> kNone;
    return m_history ? m_history->Entries() : kNone;
}

bool Calculator::TakeHistoryNotice() {
    if (m_noticeGiven || !m_history || !m_history->InMemoryOnly()) {
        return false;
    }
    m_noticeGiven = true;
    return true;
}

std::optional<std::string> Calculator::Recall(int step, std::string_view current) {
    return m_cursor.Step(step, History(), std::string(current));
}

bool KnowsEveryName(std::string_view text) {
    CEquation equation;
    equation.m_text.assign(text);
    equation.Solve();
    return equation.m_errTrigExp == 0;
}

std::string WorkingJson(const WorkingView& view) {
    std::string j = "{";
    if (view.command) {
        j += "\"command\":{\"shownText\":";
        AppendJsonString(j, view.shownText);
        j += ",\"angleUnit\":\"";
        j += AngleUnitKey(view.angleMode == AngleMode(AngleUnit::kRadians) ? AngleUnit::kRadians
                                                                           : AngleUnit::kDegrees);
        j += view.evaluated ? "\",\"evaluated\":true,\"answer\":"
                            : "\",\"evaluated\":false,\"answer\":";
        AppendJsonString(j, view.answer);
        j += ",\"message\":";
        AppendJsonString(j, view.message);
        j += ",\"usualAnswer\":";
        AppendJsonString(j, view.usual.ok ? AnswerText(view.usual.value) : std::string());
        j += "},";
    }
    j += "\"columns\":[";
    for (const char* column : kWorkingColumns) {
        j += j.back() == '[' ? "" : ",";
        AppendJsonString(j, column);
    }
    j += "],\"stages\":[";
    for (const WorkingStage& stage : view.stages) {
        const StageTitleTemplate title = TitleOf(stage);
        j += j.back() == '[' ? "{\"pass\":" : ",{\"pass\":";
        j += std::to_string(stage.pass) + ",\"title\":";
        AppendJsonString(j, title.text);
        j += ",\"args\":[";
        for (std::size_t i = 0; i < title.args.size(); ++i) {
            j += (i == 0 ? "" : ",") + std::to_string(title.args[i]);
        }
        j += "],\"termCount\":" + std::to_string(stage.termCount) + ",\"terms\":[";
        for (std::size_t i = 0; i < stage.terms.size(); ++i) {
            const Term& t = stage.terms[i];
            j += i == 0 ? "{\"op\":\"" : ",{\"op\":\"";
            j += t.op;
            j += "\",\"value\":\"" + AnswerText(t.value) + "\",\"function\":\"";
            j += FunctionName(t.funcCode);
            j += "\",\"open\":" + std::to_string(t.openParens) +
                 ",\"close\":" + std::to_string(t.closeParens) +
                 (stage.changed[i] ? ",\"changed\":true}" : ",\"changed\":false}");
        }
        j += "]}";
    }
    j += "],\"passCount\":" + std::to_string(view.passCount);
    if (!view.usual.ok) {
        j += ",\"usual\":{\"words\":";
        AppendJsonString(j, UsualRefusalWords(view.usual.refusal));
        j += ",\"subject\":";
        AppendJsonString(j, view.usual.subject);
        j += ",\"position\":" + std::to_string(view.usual.position) + "}";
    }
    j += "}";
    return j;
}

}  // namespace quorbit1
