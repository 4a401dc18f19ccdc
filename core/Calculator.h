// One running calculator, whatever face shows it: the evaluator that serves every OK command,
// the angle unit, the variable slots, the history and the recall cursor, the last command with
// its whole result, and that command's working and usual reading made when a face asks for
// them. The dialog, the command line, the page's module and the C interface each own one and
// only show what it returns; none of them holds a rule of its own.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "History.h"
#include "HistoryCursor.h"
#include "Inputs.h"
#include "JsonLine.h"
#include "OkCommand.h"
#include "Reading.h"
#include "UsualReading.h"
#include "Working.h"

namespace quorbit1 {

// The last OK command: what was given, in which unit and with which slots, and what it gave.
struct Command {
    bool any = false;  // false before the first command
    std::string text;
    AngleUnit unit = AngleUnit::kDegrees;
    SlotValues slotValues{};
    OkOutcome outcome;
};

class Calculator {
public:
    // Without a history (a batch of the command line, a program using the library), or with
    // one: HistoryStore() keeps it in memory for the run, a store with a backend between runs.
    Calculator();
    explicit Calculator(HistoryStore history);
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    AngleUnit Unit() const { return m_unit; }
    void SetUnit(AngleUnit unit) { m_unit = unit; }

    SlotValues Slots() const { return m_equation.Slots(); }
    void SetSlots(const SlotValues& values) { m_equation.SetSlots(values); }
    // A slot's value as a person typed it (ReadSlotValue): false, and nothing changed, when it
    // is not a number.
    bool SetSlotText(int slot, std::string_view text, std::string_view decimalSeparator = ".");

    // The OK command on text in the current unit with the current slots; an evaluated text
    // goes into the history. The result stays until the next command.
    const Command& Ok(std::string_view text);
    // A text that could not even be held in memory: not evaluated, "Not enough memory".
    const Command& OkUnheld();
    const Command& Last() const { return m_last; }

    // What the last command's text gives with school precedence, made when first asked for.
    const UsualResult& Usual();

    // The command line's JSON line for the last command, with its newline, made when first
    // asked for; valid until the next command.
    std::string_view JsonLine();

    // The last command's working, at most maxStages stages of maxTerms terms. An evaluation
    // depends only on its text, unit and slots, so the working is made again from them on the
    // same evaluator when it is asked for, under the OK command's memory guard, unless it was
    // recorded as the command ran (RecordWorking). A command that was not evaluated has none.
    const WorkingView& Working(std::size_t maxStages = kShownStages,
                               std::size_t maxTerms = kShownTerms);
    // The working as JSON, for faces that lay it out themselves (WorkingJson).
    const std::string& WorkingJsonText();

    // Whether the next commands record their working as they run, for a face that shows it
    // after every command (the command line's --trace, a working window left open).
    void RecordWorking(bool on, std::size_t maxStages = 400, std::size_t maxTerms = SIZE_MAX);

    // The last command's reading (Reading.h): what the calculator computed, written with school
    // precedence, and the rules that changed the text. Made from the same text, unit and slots
    // on the same evaluator when first asked for, unless it was recorded as the command ran
    // (RecordReading). A command that was not evaluated has an empty one.
    const Reading& ReadAs();
    // Whether the next commands record their reading as they run, for a face that shows it
    // after every command (the command line's JSON, --explain and --trace).
    void RecordReading(bool on);

    // From now on a history is kept in this store, read at once; returns as LoadHistory.
    std::string UseHistory(HistoryStore history);

    // The history: Load reads it (once, at the start), Add happens in Ok. Each returns one
    // line for a log when something went wrong, else an empty string.
    std::string LoadHistory();
    std::string ClearHistory();
    const std::vector<std::string>& History() const;
    // A problem of the last history write, for the face to report; taken once.
    std::string TakeHistoryProblem() { return std::exchange(m_historyProblem, {}); }
    // True once, after the history became kept in memory only (kMsgHistoryInMemory).
    bool TakeHistoryNotice();

    // Up (step -1) and Down (+1) through the history from a field that holds current: the text
    // the field is to show, or nothing when there is no step to take.
    std::optional<std::string> Recall(int step, std::string_view current);

    // For tests: the one evaluator.
    const CEquation& Equation() const { return m_equation; }

private:
    const Command& Finish(std::string_view text, const OkOutcome& outcome);
    // Solves the last command again with observer attached and the slots it had; false when
    // that did not fit in memory, though the command did.
    bool Replay(CEquationObserver& observer);

    CEquation m_equation;
    AngleUnit m_unit = AngleUnit::kDegrees;
    Command m_last;
    std::optional<UsualResult> m_usual;
    OkJsonWriter m_json;
    std::optional<std::string_view> m_jsonLine;  // in m_json's storage, for the last command
    std::optional<WorkingView> m_working;
    std::optional<std::string> m_workingJson;
    std::unique_ptr<WorkingRecorder> m_recorder;  // while the commands record their working
    bool m_recorded = false;                      // the last command's working was recorded
    std::optional<Reading> m_reading;
    std::unique_ptr<ReadingRecorder> m_readingRecorder;  // while the commands record it
    bool m_readingRecorded = false;
    std::optional<HistoryStore> m_history;
    HistoryCursor m_cursor;
    std::string m_historyProblem;
    bool m_noticeGiven = false;
};

// Whether the calculator knows every name in text as a function or a variable slot: what tells
// the command line's '-x' or '-sin(30)' (expressions) from '-h2' (an unknown option).
bool KnowsEveryName(std::string_view text);

// The working as JSON: {"readAs": {"text", "notes": [{"code", "words", "places"}]} for an
// evaluated text, "stages": [{"pass", "title", "args", "termCount", "terms": [{"op",
// "value", "function", "open", "close", "changed"}]}], "passCount", "usual": {"words",
// "subject", "position"}}, where title and words are the templates the translations are keyed
// by, and usual is there only when the usual reading refused the text.
std::string WorkingJson(const WorkingView& view);

}  // namespace quorbit1
