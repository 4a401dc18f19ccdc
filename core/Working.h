// The working of one evaluation, for people who want to see why an answer came out as it did:
// the term list after the scan and after every pass, each term marked where a pass changed it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Equation.h"
#include "Reading.h"
#include "TranslatableText.h"
#include "UsualReading.h"

namespace quorbit1 {

struct WorkingStage {
    int pass = 0;  // 0 for the list as the scan left it
    int start = -1;
    int sweptFrom = -1;         // where the sweep stopped: it reduced the terms from here to start
    std::vector<Term> terms;    // the first terms of the list, as many as the recorder keeps
    std::vector<bool> changed;  // per term kept: differs from the same place in the stage before
    std::size_t termCount = 0;  // how many terms the list had in all
};

// What a front end shows of one OK command's working: the text and unit, the answer and
// message, the reading of what was computed, the stages, and what the usual reading makes of
// the same text.
struct WorkingView {
    bool command = false;  // false before the first command
    std::string text;
    std::string shownText;  // the text as a reader is shown it (ShownText)
    int angleMode = 0;
    bool evaluated = false;
    std::string answer;
    std::string message;
    std::vector<WorkingStage> stages;
    int passCount = 0;
    UsualResult usual;
    Reading reading;  // for an evaluated text
};

// As much of the working as a reader is shown: 60 stages of 60 terms, not more.
inline constexpr std::size_t kShownStages = 60;
inline constexpr std::size_t kShownTerms = 60;

// Records stages as an observer of one CEquation. Very long evaluations are cut short in the
// record (not in the engine): after maxStages stages only the count goes on.
class WorkingRecorder final : public CEquationObserver {
public:
    // maxTerms: terms kept per stage, for a reader who is shown only the first ones.
    explicit WorkingRecorder(std::size_t maxStages = 400, std::size_t maxTerms = SIZE_MAX)
        : m_maxStages(maxStages), m_maxTerms(maxTerms) {}

    void Scanned(std::span<const Term> terms) override;
    void PassDone(int pass, int start, int sweptFrom, std::span<const Term> terms) override;

    const std::vector<WorkingStage>& Stages() const { return m_stages; }
    int PassCount() const { return m_passes; }  // all passes, recorded or not

private:
    void Add(WorkingStage stage, std::span<const Term> terms);

    std::size_t m_maxStages;
    std::size_t m_maxTerms;
    std::vector<WorkingStage> m_stages;
    int m_passes = 0;
};

// A text of thousands of characters is shown by its two ends, which is what a reader can take
// in: more than kShownCharacters characters become the first and the last half of them around
// " … ", cut between whole characters.
inline constexpr std::size_t kShownCharacters = 400;
std::string ShownText(std::string_view text);

// The columns of a stage's table, the keys of their translated headings.
inline constexpr std::array<const char*, 6> kWorkingColumns = {
    QT_TRANSLATE_NOOP("quorbit1::CWorkingWindow", "term"),
    QT_TRANSLATE_NOOP("quorbit1::CWorkingWindow", "op"),
    QT_TRANSLATE_NOOP("quorbit1::CWorkingWindow", "value"),
    QT_TRANSLATE_NOOP("quorbit1::CWorkingWindow", "function"),
    QT_TRANSLATE_NOOP("quorbit1::CWorkingWindow", "open"),
    QT_TRANSLATE_NOOP("quorbit1::CWorkingWindow", "close"),
};

// The name a term's function code stands for ("SIN"), or "" for none.
const char* TermFunctionName(const Term& term);

// The stages as aligned text tables: index, op, value, function, open and close counts, and a
// '*' in front of each term the pass changed.
std::string FormatWorking(const std::vector<WorkingStage>& stages, int passCount);

// The whole working as plain text lines for a face without rich text (the Windows window): the
// text and unit, the answer or why there is none, the reading and its notes, what the usual
// reading makes of the text, then each stage's table with its translated column headings and a
// '*' before each term the pass changed. translate(context, source) gives a text in the user's
// language, looked up as the dialog's working window looks it up.
using Translator = std::string (*)(const char* context, const char* source);
std::string WorkingPlainText(const WorkingView& view, Translator translate);

// The heading of one stage as a template with its numbers, "pass %1: started at term %2, swept
// terms %3 to %2" and {2, 4, 2}: what the dialog's and the page's translations are keyed by, in
// the context "quorbit1::Working".
inline constexpr const char* kTitleAfterScan =
    QT_TRANSLATE_NOOP("quorbit1::Working", "after the scan");
inline constexpr const char* kTitleOneTerm =
    QT_TRANSLATE_NOOP("quorbit1::Working", "pass %1: started at term %2, worked on term %2");
inline constexpr const char* kTitleSweep =
    QT_TRANSLATE_NOOP("quorbit1::Working", "pass %1: started at term %2, swept terms %3 to %2");

struct StageTitleTemplate {
    const char* text;
    std::vector<int> args;
};
StageTitleTemplate TitleOf(const WorkingStage& stage);

// The heading in English: "after the scan" or "pass 2: started at term 4, swept terms 2 to 4".
std::string StageTitle(const WorkingStage& stage);

}  // namespace quorbit1
