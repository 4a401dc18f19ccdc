// The reading of an evaluated text: the expression the calculator actually computed, fully
// bracketed and written so that ordinary school precedence gives the same value ("2*3+4" reads
// "2*(3+4)"), with a note for every rule that dropped or changed part of the text. It is made
// from the steps of the evaluation itself, as an observer of the evaluator, so it cannot
// disagree with the answer.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Equation.h"
#include "TranslatableText.h"

namespace quorbit1 {

// The rules a reading may have to name, each with the key scripts know it by and the words a
// reader is shown, with %1 for the places of the text it applied to: the templates the
// dialog's and the page's translations are keyed by, in the context "quorbit1::Working".
enum class ReadingRule {
    kZeroFactor,
    kDivisorNearZero,
    kDividendNearZero,
    kMinusMoved,
    kFunctionLost,
    kNumberRead,
    kLogRefused,
    kZeroTerm,
};

struct ReadingRuleInfo {
    const char* key;
    const char* words;
};

inline constexpr std::array<ReadingRuleInfo, 8> kReadingRules = {{
    {"zeroFactor",
     QT_TRANSLATE_NOOP("quorbit1::Working", "%1 left out: a zero left factor is an empty slot")},
    {"divisorNearZero",
     QT_TRANSLATE_NOOP("quorbit1::Working", "%1 not done: division by almost zero")},
    {"dividendNearZero",
     QT_TRANSLATE_NOOP("quorbit1::Working",
                       "%1 left out: a dividend of almost zero is an empty slot")},
    {"minusMoved",
     QT_TRANSLATE_NOOP("quorbit1::Working",
                       "%1: a minus before a function negates the function's argument")},
    {"functionLost",
     QT_TRANSLATE_NOOP("quorbit1::Working",
                       "%1 left out: of a function of a function only the inner one is kept")},
    {"numberRead",
     QT_TRANSLATE_NOOP("quorbit1::Working",
                       "%1: the digits of a term are added into one number where they stand")},
    {"logRefused",
     QT_TRANSLATE_NOOP("quorbit1::Working",
                       "%1 taken as 0: no logarithm of a number that is not above 0")},
    {"zeroTerm",
     QT_TRANSLATE_NOOP("quorbit1::Working",
                       "%1 left out: a term of 0 is an empty slot that the next term moves into")},
}};
static_assert(kReadingRules.size() == static_cast<std::size_t>(ReadingRule::kZeroTerm) + 1);

inline const ReadingRuleInfo& RuleInfo(ReadingRule rule) {
    return kReadingRules[static_cast<std::size_t>(rule)];
}

// One rule that applied, with the places it applied to: the first few, then "…".
struct ReadingNote {
    ReadingRule rule = ReadingRule::kZeroFactor;
    std::string places;
};

struct Reading {
    std::string text;
    std::vector<ReadingNote> notes;  // in the order the rules first applied
    // Where text shows a value rather than a numeral as written (a variable's, or a malformed
    // number's): [offset, offset + length), in the shortest form that converts back to the
    // same double. Numerals as written read digit by digit, as the calculator reads them.
    std::vector<std::pair<std::size_t, std::size_t>> values;
};

// A note in English, as the command line prints it.
std::string ReadingNoteText(const ReadingNote& note);

// Follows one solve step by step. Every term's value is kept as an expression tree; each step
// the evaluator takes on a value is taken on its tree, so the tree of term 0 at the end is
// exactly the computation that gave the answer.
class ReadingRecorder final : public CEquationObserver {
public:
    explicit ReadingRecorder(const CEquation& equation) : m_equation(equation) {}

    bool WantsSteps() const override { return true; }
    void ScanDone(const ScanStep& step) override;
    void ValueDone(const ValueStep& step) override;
    void Scanned(std::span<const Term> terms) override;
    void PassDone(int pass, int start, int sweptFrom, std::span<const Term> terms) override;

    // The reading of the solve just finished.
    Reading Take();

private:
    struct Node {
        enum class Kind : unsigned char { kText, kNegate, kFunction, kBinary };
        Kind kind = Kind::kText;
        char op = 0;           // kBinary
        bool value = false;    // kText: a value, not a numeral as written
        bool written = false;  // kText: its number is in the evaluator's text, not m_texts
        int funcCode = 0;      // kFunction
        // The operand, or the left one, -1 for an empty term, which is +0; kText: where its
        // number starts in m_texts.
        int a = -1;
        int b = -1;  // the right operand; kText: the number's length
    };
    // What the scan put into one term.
    struct TermScan {
        int from = -1;  // the characters of its number and names, [from, to)
        int to = -1;
        int pieces = 0;  // runs of digits and slot names
        int points = 0;  // decimal points among the digits
        bool digits = false;
        bool malformed = false;
        bool slot = false;
        bool argumentMinus = false;
        int nameFrom = -1;  // the function name it carries, [nameFrom, nameTo)
        int nameTo = -1;
    };

    int Add(Node::Kind kind, int a = -1, int b = -1, char op = 0, int funcCode = 0);
    int AddText(std::string_view text, bool value = false);
    int AddWritten(int from, int length);
    int Negated(int node);
    // values: where it receives the spans of values, or null.
    std::string Print(int node, std::size_t limit,
                      std::vector<std::pair<std::size_t, std::size_t>>* values = nullptr) const;
    void Note(ReadingRule rule, const std::string& place);
    void Clear();

    const CEquation& m_equation;
    std::vector<Node> m_nodes;
    std::string m_texts;    // the numbers of the kText nodes, one after another
    std::vector<int> m_at;  // each term's tree
    std::vector<TermScan> m_scanned;
    std::vector<int> m_funcCodes;  // of each term, as the scan left them
    bool m_scanComplete = false;
    std::vector<ReadingNote> m_notes;
    std::vector<int> m_noteCounts;
};

// The function names as a reading writes them, in lower case: "sin", "alog".
std::string_view ReadingFunctionName(int funcCode);

}  // namespace quorbit1
