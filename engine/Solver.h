// One solve of a CEquation: Reset, the scan (Scan.cpp) and the evaluation (Evaluate.cpp), on a
// term list built in place in m_terms, with every working value in the solver rather than in
// the evaluator. CEquation::Solve makes one for each text.
//
// The solver comes in two builds of the same code. With kShortcuts, long lists keep books of
// which terms carry a ')', which are empty and how many are unsettled, and runs of empty
// placeholders are crossed in one step; without, every search is the plain walk over the list
// and every placeholder is crossed turn by turn, as the rules describe them. Both leave exactly
// the same answer, flags and term list; the tests and the fuzzer compare them. With kSteps,
// each step on a value is told to the evaluator's observer as it is taken (ScanStep,
// ValueStep); without, the code that tells them is not compiled in.
#pragma once

#include <vector>

#include "Equation.h"
#include "IndexSet.h"

namespace quorbit1::engine {

// The scanners read up to three positions past the one they work on: the text is followed by
// this many NULs, which belong to no character class and match no letter of a name.
inline constexpr int kNulPadding = 4;

// A term as the scan opens it and as every folded operand ends: '+' 0, no function, no brackets.
inline constexpr Term kPlaceholder{};

// The books of a long list, kept by the evaluator from one solve to the next for their storage.
struct Tracking {
    IndexSet closeSet;  // terms that carry a ')'
    IndexSet fullSet;   // terms that are not empty for the back walk
    IndexSet solidSet;  // terms that are not bare placeholders
    std::vector<unsigned char> marks;
};

// Where a flag was first raised, and whether it was.
struct Raised {
    int flag = 0;
    int pos = -1;

    void At(int p) {
        flag = 1;
        pos = pos < 0 ? p : pos;
    }
};

template <bool kShortcuts, bool kSteps>
class Solver {
public:
    explicit Solver(CEquation& equation) : m_eq(equation) {}

    // The whole solve, leaving in the evaluator everything a caller may read.
    void Solve();

    void Reset();
    void Scan();
    void Evaluate();

private:
    // The steps below are inlined into Scan and Evaluate, where they are defined and used: as
    // members of a class template the compiler would keep them as calls, which costs a typical
    // solve a fifth more instructions.

    // Scan.cpp
    [[gnu::always_inline]] inline void OpenTerm(char op);
    [[gnu::always_inline]] inline void ScanNumber(int& p);
    [[gnu::always_inline]] inline void ScanName(int& p);
    [[gnu::always_inline]] inline void ScanOperator(int& p);
    [[gnu::always_inline]] inline bool TextHasClose(int p) const;

    // Evaluate.cpp
    void StartTracking();
    [[gnu::always_inline]] inline void Update(int i);
    bool CanSkip() const { return kShortcuts && m_tracking && m_negativeZeros == 0; }
    [[gnu::always_inline]] inline void NoteNaN(double v);
    [[gnu::always_inline]] inline int StartSearch() const;
    [[gnu::always_inline]] inline void PlaceholderShift(int start);
    [[gnu::always_inline]] inline int Sweep(int start);
    [[gnu::always_inline]] inline void ApplyFunction(int c);
    [[gnu::always_inline]] inline bool OperatorStep(int& c);
    [[gnu::always_inline]] inline void CarryOver(int& c);
    [[gnu::always_inline]] inline void LevelClose(int c);
    [[gnu::always_inline]] inline void ChangeOfSign(int c);
    [[gnu::always_inline]] inline bool FinishTest() const;

    // A step, for the observer that asked for them.
    void Tell(const ScanStep& step) {
        if constexpr (kSteps) {
            m_eq.m_observer->ScanDone(step);
        }
    }
    void Tell(const ValueStep& step) {
        if constexpr (kSteps) {
            m_eq.m_observer->ValueDone(step);
        }
    }

    CEquation& m_eq;
    char* m_buf = nullptr;
    Term* m_t = nullptr;
    int m_len = 0;
    int m_count = 0;  // terms in the list, placeholders included

    // The scan.
    int m_cur = 0;           // the current term; after the scan, the last operand
    int m_placeholders = 0;  // the names' empty terms, all of them behind the current term
    bool m_decimalSeen = false;
    int m_lastPoint = -1;
    int m_opens = 0;
    int m_closes = 0;
    Raised m_badChar, m_trigExp, m_spaces, m_seqOps;
    int m_errLongNumber = 0;

    // The evaluation.
    int m_openCount = 0;  // the latest open-bracket count a step left
    int m_funcState = 0;
    bool m_nanSeen = false;
    int m_errLog10Neg = 0;
    int m_errLnNeg = 0;
    bool m_guardTripped = false;
    bool m_tracking = false;
    Tracking* m_books = nullptr;
    int m_unsettled = 0;
    int m_negativeZeros = 0;
};

}  // namespace quorbit1::engine
