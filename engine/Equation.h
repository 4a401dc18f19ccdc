// The expression evaluator: CEquation turns one equation text into one double by scanning it
// into a list of terms and reducing that list with the calculator's own rules (no precedence,
// right-to-left inside each bracket level, innermost bracket first). It reports what it could not
// understand only through its error flags; turning flags into messages is left to the front end.
#pragma once

#include <cassert>
#include <cstddef>
#include <string>
#include <vector>

#include "IndexSet.h"

// One operand, with the operator written in front of it and the brackets around it. A bracket
// never makes a term of its own: it only raises the counts of the term current when it is read.
struct Term {
    int funcCode = 0;     // 0 none, 1 SIN .. 10 ALN
    double value = 0.0;   // digits are added into it; evaluation replaces it by partial results
    char op = '+';        // + - * / ^ as typed, or $ for a change of sign before a bracket
    int openParens = 0;   // '(' that open before this operand
    int closeParens = 0;  // ')' that close after this operand
};

// The terms of one expression in text order. Only four operations are used: size, read and
// write by index, insert at an index, and reset to a single term. The storage is kept across
// resets so that solving texts of a size already seen allocates nothing.
class TermArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }

    // Index must lie in 0 .. size-1; anything else is a bug in the caller.
    Term GetAt(int index) const {
        assert(index >= 0 && index < GetSize());
        return m_items[static_cast<std::size_t>(index)];
    }
    void SetAt(int index, const Term& term) {
        assert(index >= 0 && index < GetSize());
        m_items[static_cast<std::size_t>(index)] = term;
    }

    // Index may be 0 .. size; the terms from it on move up one place.
    void InsertAt(int index, const Term& term) {
        assert(index >= 0 && index <= GetSize());
        m_items.insert(m_items.begin() + index, term);
    }

    // Leaves exactly one term: the first one as it was, or a zero-filled term if the array was
    // empty. Allocated storage stays for reuse.
    void ResetToOne();

    // Replaces the terms by count terms built elsewhere, keeping the storage.
    void Assign(const Term* first, int count) {
        assert(count >= 1);
        m_items.assign(first, first + count);
    }

private:
    std::vector<Term> m_items;
};

// Receives the working of an evaluation: the term list after the scan and after every pass.
// Attaching one never changes a result or a flag.
class CEquationObserver {
public:
    virtual ~CEquationObserver() = default;
    virtual void Scanned(const TermArray& terms) = 0;
    // pass counts from 1; start is where the pass began; the sweep reduced the terms from
    // sweptFrom to sweptTo (inclusive).
    virtual void PassDone(int pass, int start, int sweptFrom, int sweptTo,
                          const TermArray& terms) = 0;
};

class CEquation {
public:
    CEquation();

    // Scans and evaluates m_text in m_angleMode; leaves the answer in m_result and raises a
    // flag for every check that failed. It always runs to the end. Two routes lead there with
    // the same outcome, term list included: the general one, step by step through the
    // operations below (taken while an observer is attached or the self-check is on), and a
    // compact one that does the same work on a plain list (taken otherwise, being several
    // times faster).
    void Solve();

    // Solve's reset and scan without the evaluation, so the term list it hands on can be read.
    void Scan();

    void Reset();
    void ResetScratch();
    void ScanNumber();
    void AccumulateDigit();
    void ScanName();
    void ScanOperator();
    // ScanOperator on a digit, point or letter: neither input rule applies and no term opens,
    // so all it does is take the character and step past it.
    // The self-check takes the long way.
    void StepPast() {
        if (m_selfCheck) {
            ScanOperator();
            return;
        }
        m_ch = m_buf[static_cast<std::size_t>(m_pos)];
        m_pos += 1;
    }
    void Evaluate();

    // Not owned; may be null. Called after the scan and after every pass of Evaluate.
    void SetObserver(CEquationObserver* observer) { m_observer = observer; }

    // Checks every shortcut the engine takes against the plain walk it replaces, counting
    // disagreements in SelfCheckFailures(). For tests; it makes solving slower.
    void SetSelfCheck(bool on) { m_selfCheck = on; }
    int SelfCheckFailures() const { return m_selfCheckFailures; }

    // True when the last evaluation was ended by the pass guard instead of by its finish test.
    // No known text does this; the fuzzer treats it as a fault.
    bool GuardTripped() const { return m_guardTripped; }

    // Where in m_text the first character that raised each of these flags stands, or -1.
    int BadCharPos() const { return m_badCharPos; }
    int TrigExpPos() const { return m_trigExpPos; }
    int SpacesPos() const { return m_spacesPos; }
    int SeqOpsPos() const { return m_seqOpsPos; }

    TermArray m_terms;
    Term m_scratch;
    double m_arg = 0.0;
    double m_acc = 0.0;
    // The variable slots X, Y, Z and T. Nothing in the engine writes them; callers may.
    double m_varX = 0.0;
    double m_varY = 0.0;
    double m_varZ = 0.0;
    double m_varT = 0.0;
    int m_nameFound = 0;
    int m_angleMode = 0;  // 0 degrees, 1 radians
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
    double m_digit = 0.0;
    char m_peek = 0;
    char m_marker = 0;
    char m_ch = 0;
    int m_hit = 0;
    // The upper-cased text, followed by at least four NULs: the scanners look up to three
    // positions ahead and must read NUL there. (The compact solve keeps a long text here as
    // typed.)
    std::vector<char> m_buf;
    int m_ahead = 0;
    int m_funcState = 0;
    int m_divSkip = 0;
    int m_shifted = 0;
    int m_parenBalance = 0;
    int m_len = 0;
    int m_decimalSeen = 0;
    int m_termIndex = 0;
    int m_savedIndex = 0;
    int m_openCount = 0;
    int m_closeCount = 0;
    int m_pos = 0;
    int m_numStart = 0;
    int m_place = 0;
    int m_minusPending = 0;
    int m_funcCode = 0;
    int m_placeStep = 0;
    int m_termCount = 0;
    int m_again = 0;
    std::string m_text;
    // All brackets of the text, '(' and ')' together: no term may own more than this.
    int m_parenTotal = 0;

private:
    // The whole solve on a compact list; false when the general path must take it (an
    // observer is attached or the self-check is on).
    bool SolveCompact();
    void OpenTerm(char op);
    void SweepTurn();
    void OperatorStep();
    void ApplyFunction();
    void LevelClose();
    void ChangeOfSign();
    bool FinishTest();
    void StartSearch();
    void PlaceholderShift();
    void NoteNaN(double value);
    void Put(int index, const Term& term);
    bool CanSkipPlaceholders() const;
    void StartTracking();
    int WalkToStart() const;
    bool WalkToFinish() const;
    void CarryOverPlaceholders();

    CEquationObserver* m_observer = nullptr;
    // End of the digit run that the last integer digit was scanned in, and the position of the
    // last '.' handled: both spare the number scanner a walk it has already made.
    int m_runEnd = 0;
    int m_lastPoint = -1;
    // While scanning, every term behind the current one is an empty placeholder (names put
    // them there; operators insert in front of them). They are only counted until the scan
    // ends, so opening a term never has to move them.
    int m_pendingPlaceholders = 0;
    int m_badCharPos = -1;
    int m_trigExpPos = -1;
    int m_spacesPos = -1;
    int m_seqOpsPos = -1;
    bool m_sweepEnded = false;
    bool m_selfCheck = false;
    bool m_guardTripped = false;
    int m_selfCheckFailures = 0;
    // Bookkeeping of the reduction: terms with a ')', terms not empty for the back walk, and
    // the number of terms after the first that are not settled.
    bool m_tracking = false;
    IndexSet m_closeSet;
    IndexSet m_fullSet;
    IndexSet m_solidSet;  // every term that is not a bare placeholder
    int m_negativeZeroPlaceholders = 0;
    // The compact solve's storage for long texts, and what it records of each term.
    std::vector<Term> m_work;
    std::vector<unsigned char> m_marks;
    int m_unsettled = 0;
    int m_sweptFrom = 0;
};
