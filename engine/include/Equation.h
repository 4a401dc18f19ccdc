// The expression evaluator: CEquation turns one equation text into one double by scanning it
// into a list of terms and reducing that list with the calculator's own rules (no precedence,
// right-to-left inside each bracket level, innermost bracket first). It reports what it could not
// understand only through its error flags; turning flags into messages is left to the front end.
#pragma once

#include <cassert>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Inputs.h"

namespace quorbit1 {

namespace engine {
template <bool kShortcuts, bool kSteps>
class Solver;
struct Tracking;
}  // namespace engine

// One operand, with the operator written in front of it and the brackets around it. A bracket
// never makes a term of its own: it only raises the counts of the term current when it is read.
struct Term {
    int funcCode = 0;     // a FuncCode (Functions.h): 0 none, 1 SIN .. 10 ALN
    double value = 0.0;   // digits are added into it; evaluation replaces it by partial results
    char op = '+';        // + - * / ^ as typed, or $ for a change of sign before a bracket
    int openParens = 0;   // '(' that open before this operand
    int closeParens = 0;  // ')' that close after this operand
};

// The terms of one expression in text order. The storage only ever grows, so solving a text of
// a size already seen allocates nothing.
class TermArray {
public:
    int GetSize() const { return m_size; }

    // Index must lie in 0 .. size-1; anything else is a bug in the caller.
    Term GetAt(int index) const {
        assert(index >= 0 && index < m_size);
        return m_items[static_cast<std::size_t>(index)];
    }
    std::span<const Term> Terms() const {
        return {m_items.get(), static_cast<std::size_t>(m_size)};
    }

    // For the evaluator, which builds the list in place: room for at least count terms, whose
    // contents are left to the caller, and then the size of the list it built.
    Term* Room(int count);
    void SetSize(int count) {
        assert(count >= 0 && count <= m_capacity);
        m_size = count;
    }

private:
    std::unique_ptr<Term[]> m_items;
    int m_size = 0;
    int m_capacity = 0;
};

// What the scan put into a term, told as it happens: the characters [from, to) of the text.
struct ScanStep {
    enum class Kind : unsigned char {
        kDigits,         // digits, or a point, added into the term's value
        kName,           // a name: funcCode the function it gave the term (0 none), slot the
                         // variable it names (-1 none), valueSet whether it replaced the
                         // term's value (by the slot's, or by 0 for TAN)
        kArgumentMinus,  // a minus right after a function name, made the sign of its argument
    };
    Kind kind = Kind::kDigits;
    int term = 0;
    int from = 0;
    int to = 0;
    int funcCode = 0;
    int slot = -1;
    bool valueSet = false;
};

// One step of the evaluation on the values of the terms, which are named by their place in the
// list. With the steps in order, an observer can follow how every value was made.
struct ValueStep {
    enum class Kind : unsigned char {
        kNegate,  // at := -at, for op: '-' the minus written before the operand, '$' a change
                  // of sign
        kApply,   // at := funcCode(at), in the unit of the solve; refused: at := 0 (a logarithm
                  // of a number not above 0)
        kFold,    // at := at op from, as fold says; from is emptied
        kMove,    // at := from, negated when negate; from is emptied
    };
    enum class Fold : unsigned char {
        kDone,
        kZeroFactor,        // '*' on a zero left factor: at := from
        kDivisorNearZero,   // '/' not done: at keeps its value
        kDividendNearZero,  // '/' not done: at := +0 with op '+'
        kMarker,            // a turn on a change-of-sign marker: at keeps its value
    };
    Kind kind = Kind::kNegate;
    int at = 0;
    int from = 0;
    char op = '+';
    int funcCode = 0;
    Fold fold = Fold::kDone;
    bool negate = false;
    bool refused = false;
};

// Receives the working of an evaluation: the term list as the scan hands it on, and after every
// pass; and, for an observer that asks for them, each step on a value. Attaching one never
// changes a result or a flag.
class CEquationObserver {
public:
    virtual ~CEquationObserver() = default;
    virtual void Scanned(std::span<const Term> terms) = 0;
    // pass counts from 1; start is the term where the pass began, sweptFrom the one where its
    // sweep stopped and the bracket level was closed.
    virtual void PassDone(int pass, int start, int sweptFrom, std::span<const Term> terms) = 0;

    // Whether ScanDone and ValueDone are wanted; asked once per solve.
    virtual bool WantsSteps() const { return false; }
    virtual void ScanDone(const ScanStep& /*step*/) {}
    virtual void ValueDone(const ValueStep& /*step*/) {}
};

class CEquation {
public:
    CEquation();
    ~CEquation();
    CEquation(const CEquation&) = delete;
    CEquation& operator=(const CEquation&) = delete;

    // Scans and evaluates m_text in m_angleMode; leaves the answer in m_result, the reduced list
    // in m_terms, and raises a flag for every check that failed. It always runs to the end.
    void Solve();

    // Not owned; may be null. Called after the scan and after every pass of the evaluation.
    void SetObserver(CEquationObserver* observer) { m_observer = observer; }

    // Solves without the shortcuts the evaluator takes on long lists, by the plain walks they
    // stand for: slower, and for tests, which compare the two.
    void SetSelfCheck(bool on) { m_selfCheck = on; }

    // True when the last evaluation was ended by the pass guard instead of by its finish test.
    // No known text does this; the fuzzer treats it as a fault.
    bool GuardTripped() const { return m_guardTripped; }

    // All brackets of the last text, '(' and ')' together: no term may own more than this.
    int ParenTotal() const { return m_parenTotal; }

    // Where in m_text the first character that raised each of these flags stands, or -1.
    int BadCharPos() const { return m_badCharPos; }
    int TrigExpPos() const { return m_trigExpPos; }
    int SpacesPos() const { return m_spacesPos; }
    int SeqOpsPos() const { return m_seqOpsPos; }

    // The variable slots by their place in kSlotLetters.
    SlotValues Slots() const;
    void SetSlots(const SlotValues& values);

    TermArray m_terms;
    // The variable slots X, Y, Z and T. Nothing in the engine writes them; callers may.
    double m_varX = 0.0;
    double m_varY = 0.0;
    double m_varZ = 0.0;
    double m_varT = 0.0;
    int m_angleMode = 0;  // AngleMode(AngleUnit): 0 degrees, 1 radians
    int m_errEmpty = 0;
    int m_errParens = 0;
    int m_errTrigExp = 0;
    int m_errSpaces = 0;
    int m_errSeqOps = 0;
    int m_errLog10Neg = 0;
    int m_errLnNeg = 0;
    int m_errDomain = 0;      // a step of the evaluation produced a NaN
    int m_errLongNumber = 0;  // a non-zero integer digit was dropped for having 20 or more places
    int m_errBadChar = 0;     // a character outside the language was stepped over
    double m_result = 0.0;
    // 0 none; 1 a function has been applied; 2 a change-of-sign marker was met after that. Every
    // solve starts it at 0, so no solve changes the answer of the next.
    int m_funcState = 0;
    std::string m_text;

private:
    template <bool kShortcuts, bool kSteps>
    friend class engine::Solver;

    // The text the scanners read, followed by NULs (see kNulPadding); kept for reuse.
    std::vector<char> m_buf;
    // The bookkeeping storage of long lists, made on the first one and kept for reuse.
    std::unique_ptr<engine::Tracking> m_tracking;
    CEquationObserver* m_observer = nullptr;
    bool m_selfCheck = false;
    bool m_guardTripped = false;
    int m_parenTotal = 0;
    int m_badCharPos = -1;
    int m_trigExpPos = -1;
    int m_spacesPos = -1;
    int m_seqOpsPos = -1;
};

// The fields of the variable slots, in the order of kSlotLetters.
inline constexpr double CEquation::*kSlotFields[kSlotCount] = {
    &CEquation::m_varX, &CEquation::m_varY, &CEquation::m_varZ, &CEquation::m_varT};

inline SlotValues CEquation::Slots() const {
    SlotValues values{};
    for (int i = 0; i < kSlotCount; ++i) {
        values[static_cast<std::size_t>(i)] = this->*kSlotFields[i];
    }
    return values;
}

inline void CEquation::SetSlots(const SlotValues& values) {
    for (int i = 0; i < kSlotCount; ++i) {
        this->*kSlotFields[i] = values[static_cast<std::size_t>(i)];
    }
}

}  // namespace quorbit1
