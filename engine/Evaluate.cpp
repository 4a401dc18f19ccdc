#include <algorithm>
#include <cmath>

#include "Equation.h"
#include "Functions.h"
#include "TermTests.h"

namespace {

using quorbit1_functions::kDegreeFactor;
using quorbit1_functions::kRadianFactor;
using namespace quorbit1_terms;

// Lists up to this many terms are walked; longer ones are tracked (see Evaluate).
constexpr int kWalkUpTo = 48;

}  // namespace

void CEquation::NoteNaN(double value) {
    if (std::isnan(value)) {
        m_errDomain = 1;
    }
}

// Reduces the term list to one value in term 0. Terms are never removed: a consumed operand
// becomes a placeholder in place, so every index stays valid for the whole call.
//
// Each pass starts at the leftmost term that carries a ')' (or, when none is left, at the last
// term that is not empty), sweeps left to the term where that bracket opened, and closes one
// level there. Inside a level every turn folds the operand at the cursor into its left
// neighbour, so the level is reduced from right to left with no precedence.
//
// Why it ends. A sweep only walks left, and a turn either moves the cursor left, applies a
// function (which clears the function code, so the next turn at that place moves on), or is a
// turn on a change-of-sign marker, which ends the sweep: so a sweep takes at most two turns per
// term. Every pass then makes progress that is never undone, except by the one step that can
// add brackets: its level close takes a bracket from a term, or its sweep settles a term (a
// folded operand becomes an empty '+' term, which no later step fills again), or its change of
// sign turns a marker into a '+'. The exception is the zero-factor copy of '*', which hands the
// left factor the right one's counts before the merge adds them once more; merged counts are
// therefore capped at the number of brackets in the text. So the brackets a pass can take are
// bounded by terms times brackets, and the passes with them. On the families of texts built
// to maximise passes (deep '-(' nesting, runs of '0*', functions inside changes of sign,
// unbalanced brackets) they stay below terms plus brackets; malformed texts that pile doubled
// counts onto one term, which then loses one per pass, take a few times more. Should some
// list escape this argument, the pass guard below ends the evaluation after eight times terms
// times brackets passes and says so through GuardTripped().
void CEquation::Evaluate() {
    m_termIndex += 1;
    ResetScratch();
    m_terms.InsertAt(m_termIndex, m_scratch);
    m_termCount = m_terms.GetSize();

    // A minus becomes addition of the negated operand, before any function is applied: so a
    // minus in front of a function negates the function's argument, not its value.
    for (int i = 0; i < m_termCount; ++i) {
        m_scratch = m_terms.GetAt(i);
        if (m_scratch.op == '-') {
            m_scratch.op = '+';
            m_scratch.value = -m_scratch.value;
            NoteNaN(m_scratch.value);
            Put(i, m_scratch);
        }
    }

    // From here on the list keeps its length. On a long list, keep track of which terms carry
    // a ')', which are not empty, and how many after the first are not settled, so that
    // finding where a pass starts and whether another is needed costs far less than a walk
    // over the whole list. A short list is walked: that is cheaper than the bookkeeping.
    m_tracking = m_termCount > kWalkUpTo || m_selfCheck;
    if (m_tracking) {
        StartTracking();
    }

    const long long passLimit = 8LL * (m_termCount + 2LL) * (m_parenTotal + 2LL) + 1024;
    m_guardTripped = false;
    int pass = 0;
    bool again = true;
    do {
        StartSearch();
        PlaceholderShift();
        m_termIndex = m_savedIndex;
        m_sweepEnded = false;
        do {
            SweepTurn();
        } while (!m_sweepEnded);
        m_sweptFrom = m_termIndex;
        LevelClose();
        ChangeOfSign();
        ++pass;
        if (m_observer != nullptr) {
            m_observer->PassDone(pass, m_savedIndex, m_sweptFrom, m_savedIndex, m_terms);
        }
        again = FinishTest();
        if (again && pass >= passLimit) {
            m_guardTripped = true;
            break;
        }
    } while (again);
    m_tracking = false;
}

void CEquation::StartTracking() {
    m_closeSet.Reset(m_termCount);
    m_fullSet.Reset(m_termCount);
    m_solidSet.Reset(m_termCount);
    m_unsettled = 0;
    m_negativeZeroPlaceholders = 0;
    for (int i = 0; i < m_termCount; ++i) {
        const Term t = m_terms.GetAt(i);
        m_closeSet.Set(i, t.closeParens != 0);
        m_fullSet.Set(i, !IsEmpty(t));
        m_solidSet.Set(i, !IsBarePlaceholder(t));
        if (i >= 1 && !IsSettled(t)) {
            ++m_unsettled;
        }
        if (IsNegativeZeroPlaceholder(t)) {
            ++m_negativeZeroPlaceholders;
        }
    }
}

// Every change to a term during the reduction comes through here, so the bookkeeping above
// stays true.
void CEquation::Put(int index, const Term& term) {
    if (m_tracking) {
        const bool wasSettled = IsSettled(m_terms.GetAt(index));
        const bool settled = IsSettled(term);
        if (index >= 1 && wasSettled != settled) {
            m_unsettled += settled ? -1 : 1;
        }
        m_closeSet.Set(index, term.closeParens != 0);
        m_fullSet.Set(index, !IsEmpty(term));
        m_solidSet.Set(index, !IsBarePlaceholder(term));
        m_negativeZeroPlaceholders += (IsNegativeZeroPlaceholder(term) ? 1 : 0) -
                                      (IsNegativeZeroPlaceholder(m_terms.GetAt(index)) ? 1 : 0);
    }
    m_terms.SetAt(index, term);
}

// The leftmost term that carries a ')'; when none does, the last term that is not empty for
// the back walk, or term 0.
int CEquation::WalkToStart() const {
    for (int i = 0; i < m_termCount; ++i) {
        if (m_terms.GetAt(i).closeParens != 0) {
            return i;
        }
    }
    int i = m_termCount;
    do {
        i -= 1;
    } while (IsEmpty(m_terms.GetAt(i)) && i != 0);
    return i;
}

void CEquation::StartSearch() {
    if (!m_tracking) {
        m_termIndex = WalkToStart();
    } else {
        m_termIndex = m_closeSet.First();
        if (m_termIndex < 0) {
            m_termIndex = std::max(m_fullSet.Last(), 0);
        }
        if (m_selfCheck && WalkToStart() != m_termIndex) {
            ++m_selfCheckFailures;
        }
    }
    m_peek = m_terms.GetAt(m_termIndex).op;
    m_savedIndex = m_termIndex;
}

// Moves the start term left over bare placeholders, so that '2++3' adds the 3 straight into
// the 2 instead of leaving it behind an empty slot. Term 0 is never a target.
void CEquation::PlaceholderShift() {
    int k = std::max(m_termIndex, 1);
    m_shifted = 0;
    if (CanSkipPlaceholders()) {
        // Every term between the last solid one and k is a +0 placeholder, so the step-by-step
        // moves below come down to one: the term lands right behind that solid term.
        const int target = std::max(m_solidSet.Before(k) + 1, 1);
        if (target < k) {
            Put(target, m_terms.GetAt(k));
            ResetScratch();
            Put(k, m_scratch);
        }
        return;
    }
    do {
        m_shifted = 0;
        if (k != 1 && IsBarePlaceholder(m_terms.GetAt(k - 1))) {
            Put(k - 1, m_terms.GetAt(k));
            m_scratch = m_terms.GetAt(k);
            ResetScratch();
            Put(k, m_scratch);
            k -= 1;
            m_shifted = 1;
        }
    } while (m_shifted == 1);
}

// The shortcuts over runs of placeholders hold while no placeholder carries -0.0 (adding such
// zeros one by one could leave a -0.0 where the shortcut leaves +0.0). The self-check takes
// the long way so that the two can be compared.
bool CEquation::CanSkipPlaceholders() const {
    return m_tracking && !m_selfCheck && m_negativeZeroPlaceholders == 0;
}

void CEquation::SweepTurn() {
    // A turn on a +0 placeholder adds +0 into the placeholder on its left, which changes
    // nothing: over a run of them the sweep goes straight to the last one, where the turn that
    // reaches a solid term is taken as usual.
    if (m_funcState != 2 && m_termIndex > 1 && CanSkipPlaceholders() &&
        IsBarePlaceholder(m_terms.GetAt(m_termIndex))) {
        const int land = std::max(m_solidSet.Before(m_termIndex) + 1, 1);
        if (land < m_termIndex) {
            m_termIndex = land;
            m_openCount = 0;
            m_marker = m_terms.GetAt(m_termIndex - 1).op;
            if (m_marker == '$' && m_funcState > 0) {
                m_funcState = 2;
            }
            m_sweepEnded = m_funcState == 2;
            return;
        }
    }
    m_scratch = m_terms.GetAt(m_termIndex);
    m_funcCode = m_scratch.funcCode;
    if (m_angleMode == 0 && m_funcCode >= 1 && m_funcCode <= 3) {
        m_arg = m_scratch.value * kDegreeFactor;
        m_scratch.value = m_arg;
        NoteNaN(m_arg);
        Put(m_termIndex, m_scratch);
    }

    bool markerTurn = false;
    if (m_funcCode > 0) {
        ApplyFunction();
    } else if (m_termIndex > 0) {
        markerTurn = !(m_scratch.op == '+' || m_scratch.op == '*' || m_scratch.op == '/' ||
                       m_scratch.op == '^');
        OperatorStep();
    }

    if (m_termIndex > 0) {
        m_marker = m_terms.GetAt(m_termIndex - 1).op;
        if (m_marker == '$' && m_funcState > 0) {
            m_funcState = 2;
        }
    }
    if (!markerTurn && m_funcCode == 0) {
        CarryOverPlaceholders();
    }
    // A turn on a change-of-sign marker does not move the cursor; a second turn there would
    // find nothing left to merge and so would repeat for ever. The level close that follows
    // settles the marker instead.
    m_sweepEnded = !(m_openCount == 0 && m_termIndex > 0 && m_funcState != 2) || markerTurn;
}

// After a turn, the term at the cursor may have nothing but +0 placeholders on its left. Turn
// by turn the sweep would move it one place at a time: a '+' term by adding it to +0 (which
// leaves its value as it is unless it is -0, which is left to the long way), a '*' term by the
// zero-factor copy (which doubles its closing count each time, up to the cap). This does those
// turns at once and leaves the cursor where the last of them would, in front of the first solid
// term.
void CEquation::CarryOverPlaceholders() {
    if (m_funcState == 2 || m_openCount != 0 || m_termIndex <= 1 || !CanSkipPlaceholders()) {
        return;
    }
    Term carried = m_terms.GetAt(m_termIndex);
    if ((carried.op != '+' && carried.op != '*') || carried.funcCode != 0 ||
        carried.openParens != 0 || (carried.value == 0.0 && std::signbit(carried.value)) ||
        !IsBarePlaceholder(m_terms.GetAt(m_termIndex - 1))) {
        return;
    }
    const int land = std::max(m_solidSet.Before(m_termIndex) + 1, 1);
    if (land >= m_termIndex) {
        return;
    }
    if (carried.op == '*') {
        for (int step = m_termIndex - land;
             step > 0 && carried.closeParens != 0 && carried.closeParens != m_parenTotal; --step) {
            carried.closeParens = std::min(2 * carried.closeParens, m_parenTotal);
        }
    }
    ResetScratch();
    Put(m_termIndex, m_scratch);
    m_scratch = carried;
    Put(land, carried);
    m_termIndex = land;
    m_openCount = 0;
    m_marker = m_terms.GetAt(m_termIndex - 1).op;
    if (m_marker == '$' && m_funcState > 0) {
        m_funcState = 2;
    }
}

void CEquation::ApplyFunction() {
    m_funcState = 1;
    m_scratch = m_terms.GetAt(m_termIndex);
    m_arg = m_scratch.value;
    bool logRefused = false;
    // "Greater than 0" lets a NaN through to the logarithm, which keeps it NaN.
    if ((m_funcCode == 7 || m_funcCode == 8) && m_arg <= 0.0) {
        logRefused = true;
        m_acc = 0.0;
        if (m_funcCode == 7) {
            m_errLog10Neg = 1;
        } else {
            m_errLnNeg = 1;
        }
    } else {
        m_acc = quorbit1_functions::Apply(m_funcCode, m_arg);
    }
    m_scratch.value = m_acc;
    m_scratch.funcCode = 0;
    if (!logRefused) {
        NoteNaN(m_acc);
    }
    Put(m_termIndex, m_scratch);
    if (m_angleMode == 0 && m_funcCode >= 4 && m_funcCode <= 6) {
        m_scratch = m_terms.GetAt(m_termIndex);
        m_acc = m_scratch.value * kRadianFactor;
        m_scratch.value = m_acc;
        NoteNaN(m_acc);
        Put(m_termIndex, m_scratch);
    }
}

// R is the term at the cursor, whose op is the operator; L its left neighbour. The result goes
// into L, which keeps its own op for a later turn.
void CEquation::OperatorStep() {
    Term right = m_terms.GetAt(m_termIndex);
    switch (right.op) {
        case '+': {
            m_termIndex -= 1;
            m_scratch = m_terms.GetAt(m_termIndex);
            m_acc = m_scratch.value + right.value;
            m_scratch.value = m_acc;
            NoteNaN(m_acc);
            Put(m_termIndex, m_scratch);
            break;
        }
        case '*': {
            m_termIndex -= 1;
            m_scratch = m_terms.GetAt(m_termIndex);
            if (IsZeroOrNaN(m_scratch.value)) {
                // A zero left factor is an empty slot: the right factor takes its place.
                m_scratch = right;
            } else {
                m_acc = m_scratch.value * right.value;
                m_scratch.value = m_acc;
                NoteNaN(m_acc);
            }
            Put(m_termIndex, m_scratch);
            break;
        }
        case '/': {
            m_divSkip = 0;
            m_termIndex -= 1;
            m_scratch = m_terms.GetAt(m_termIndex);
            if (IsNearZero(m_scratch.value)) {
                m_scratch.op = '+';
                m_scratch.value = 0.0;
                Put(m_termIndex, m_scratch);
                m_divSkip = 1;
            }
            if (IsNearZero(right.value)) {
                m_scratch = m_terms.GetAt(m_termIndex + 1);
                m_scratch.op = '+';
                m_scratch.value = 0.0;
                Put(m_termIndex + 1, m_scratch);
                m_divSkip = 1;
            }
            if (m_divSkip == 0) {
                m_scratch = m_terms.GetAt(m_termIndex);
                m_acc = m_scratch.value / right.value;
                m_scratch.value = m_acc;
                NoteNaN(m_acc);
                Put(m_termIndex, m_scratch);
            }
            m_divSkip = 0;
            break;
        }
        case '^': {
            m_termIndex -= 1;
            m_scratch = m_terms.GetAt(m_termIndex);
            if (IsZeroOrNaN(right.value)) {
                m_acc = 1.0;
            } else {
                m_acc = std::pow(m_scratch.value, right.value);
                NoteNaN(m_acc);
            }
            m_scratch.value = m_acc;
            Put(m_termIndex, m_scratch);
            break;
        }
        default:
            break;
    }

    // The merge: R becomes an empty term and hands its brackets to L. No term may own more
    // brackets than the text holds; without that cap the zero-factor copy above, which gives
    // L R's counts before the merge adds them again, doubles them at every '0*'.
    const int j = m_termIndex;
    Term left = m_terms.GetAt(j);
    m_scratch = m_terms.GetAt(j + 1);
    m_scratch.value = 0.0;
    m_scratch.op = '+';
    m_scratch.funcCode = 0;
    Put(j + 1, m_scratch);

    left.closeParens = std::min(left.closeParens + m_scratch.closeParens, m_parenTotal);
    m_scratch.closeParens = 0;
    left.openParens = std::min(left.openParens + m_scratch.openParens, m_parenTotal);
    m_scratch.openParens = 0;
    m_openCount = left.openParens;
    Put(j, left);
    Put(j + 1, m_scratch);
}

// Closes one bracket level on the term where the sweep stopped.
void CEquation::LevelClose() {
    m_scratch = m_terms.GetAt(m_termIndex);
    CloseOneLevel(m_scratch);
    Put(m_termIndex, m_scratch);
    m_openCount = m_scratch.openParens;
    m_closeCount = m_scratch.closeParens;
}

// Once a negated bracket is fully reduced, the value moves onto its marker, negated.
void CEquation::ChangeOfSign() {
    if (m_termIndex > 0 && m_terms.GetAt(m_termIndex - 1).op == '$' && m_openCount < 1) {
        m_scratch = m_terms.GetAt(m_termIndex);
        m_scratch.value = -m_scratch.value;
        NoteNaN(m_scratch.value);
        Put(m_termIndex - 1, m_scratch);
        m_scratch = m_terms.GetAt(m_termIndex);
        m_scratch.op = '+';
        m_scratch.value = 0.0;
        m_scratch.openParens = 0;
        m_scratch.closeParens = 0;
        Put(m_termIndex, m_scratch);
    }
    m_scratch = m_terms.GetAt(m_termIndex);
    if (m_scratch.op == '$' && m_openCount < 1) {
        m_scratch.value = -m_scratch.value;
        m_scratch.op = '+';
        NoteNaN(m_scratch.value);
        Put(m_termIndex, m_scratch);
    }
}

// True while another pass is needed: some term after the first is not settled, or the first
// still carries a function.
bool CEquation::WalkToFinish() const {
    bool again = m_terms.GetAt(0).funcCode > 0;
    for (int i = 1; i < m_termCount && !again; ++i) {
        again = !IsSettled(m_terms.GetAt(i));
    }
    return again;
}

bool CEquation::FinishTest() {
    if (!m_tracking) {
        m_again = WalkToFinish() ? 1 : 0;
    } else {
        m_again = (m_unsettled > 0 || m_terms.GetAt(0).funcCode > 0) ? 1 : 0;
        if (m_selfCheck && WalkToFinish() != (m_again == 1)) {
            ++m_selfCheckFailures;
        }
    }
    m_peek = m_terms.GetAt(m_termCount - 1).op;
    return m_again == 1;
}
