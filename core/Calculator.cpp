#include "Calculator.h"

#include <new>

#include "Functions.h"
#include "InputRules.h"
#include "NumberText.h"

namespace quorbit1 {

namespace {

// Hands every call on to whichever of two observers are there.
class Observers final : public CEquationObserver {
public:
    Observers(CEquationObserver* first, CEquationObserver* second) : m_all{first, second} {}

    // The one observer there is, this pair for two, or null.
    CEquationObserver* Attached() {
        return m_all[0] == nullptr ? m_all[1] : m_all[1] == nullptr ? m_all[0] : this;
    }

    void Scanned(std::span<const Term> terms) override {
        for (CEquationObserver* o : m_all) {
            o->Scanned(terms);
        }
    }
    void PassDone(int pass, int start, int sweptFrom, std::span<const Term> terms) override {
        for (CEquationObserver* o : m_all) {
            o->PassDone(pass, start, sweptFrom, terms);
        }
    }
    bool WantsSteps() const override { return m_all[0]->WantsSteps() || m_all[1]->WantsSteps(); }
    void ScanDone(const ScanStep& step) override {
        for (CEquationObserver* o : m_all) {
            o->ScanDone(step);
        }
    }
    void ValueDone(const ValueStep& step) override {
        for (CEquationObserver* o : m_all) {
            o->ValueDone(step);
        }
    }

private:
    CEquationObserver* m_all[2];
};

}  // namespace

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
    Observers observers(m_recorder.get(), m_readingRecorder.get());
    m_equation.SetObserver(observers.Attached());
    const OkOutcome outcome = RunOkCommand(m_equation, text, AngleMode(m_unit));
    m_equation.SetObserver(nullptr);
    m_recorded = m_recorder != nullptr;
    m_readingRecorded = m_readingRecorder != nullptr;
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
    m_readingRecorded = false;
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
    m_reading.reset();
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
        m_jsonLine = m_json.Line(m_last.text, AngleMode(m_last.unit), m_last.outcome, Usual(),
                                 m_last.outcome.solved ? &ReadAs() : nullptr);
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
    view.reading = ReadAs();
    if (m_recorded && m_recorder != nullptr) {
        view.stages = m_recorder->Stages();
        view.passCount = m_recorder->PassCount();
        return view;
    }
    WorkingRecorder recorder(maxStages, maxTerms);
    if (!Replay(recorder)) {
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

// The same text, unit and slots on the same evaluator give the same result again; the slots
// the user has set since are put back afterwards.
bool Calculator::Replay(CEquationObserver& observer) {
    const SlotValues now = Slots();
    SetSlots(m_last.slotValues);
    m_equation.SetObserver(&observer);
    const OkOutcome again = RunOkCommand(m_equation, m_last.text, AngleMode(m_last.unit));
    m_equation.SetObserver(nullptr);
    SetSlots(now);
    return again.solved;
}

void Calculator::RecordReading(bool on) {
    if (!on) {
        m_readingRecorder.reset();
    } else if (m_readingRecorder == nullptr) {
        m_readingRecorder = std::make_unique<ReadingRecorder>(m_equation);
    }
}

const Reading& Calculator::ReadAs() {
    if (m_reading) {
        return *m_reading;
    }
    Reading& reading = m_reading.emplace();
    if (!m_last.outcome.solved) {
        return reading;
    }
    try {
        if (m_readingRecorded && m_readingRecorder != nullptr) {
            reading = m_readingRecorder->Take();
            return reading;
        }
        ReadingRecorder recorder(m_equation);
        if (Replay(recorder)) {
            reading = recorder.Take();
        }
    } catch (const std::bad_alloc&) {
        reading = {};
    }
    return reading;
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
    if (view.evaluated) {
        j += "\"readAs\":{\"text\":";
        AppendJsonString(j, ShownText(view.reading.text));
        j += ",\"notes\":[";
        for (const ReadingNote& note : view.reading.notes) {
            j += j.back() == '[' ? "{\"code\":" : ",{\"code\":";
            AppendJsonString(j, RuleInfo(note.rule).key);
            j += ",\"words\":";
            AppendJsonString(j, RuleInfo(note.rule).words);
            j += ",\"places\":";
            AppendJsonString(j, note.places);
            j += "}";
        }
        j += "]},";
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
