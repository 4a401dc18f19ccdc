// The evaluation: the term list reduced to one value in term 0, bracket level by bracket level.
#include <algorithm>
#include <cmath>

#include "CrMath.h"
#include "Functions.h"
#include "Solver.h"

namespace quorbit1::engine {

namespace {

// Lists of up to this many operands are walked; longer ones are tracked, where shortcuts are
// on: below it a walk costs less than the books.
constexpr int kWalkUpTo = 48;

// The range in which a division is not performed, bounds excluded.
bool IsNearZero(double v) {
    return -1e-9 < v && v < 1e-9;
}

// The zero tests of a '*' left factor, of a '^' exponent and of the finish test let a NaN pass
// as zero; the back walk and the placeholder shift do not.
bool IsZeroOrNaN(double v) {
    return v == 0.0 || std::isnan(v);
}

// Empty for the back walk: bracket counts are not looked at.
bool IsEmpty(const Term& t) {
    return t.op == '+' && t.value == 0.0 && t.funcCode == 0;
}

bool IsBarePlaceholder(const Term& t) {
    return IsEmpty(t) && t.openParens < 1 && t.closeParens < 1;
}

// The finish test's: function code and bracket counts are not looked at.
bool IsSettled(const Term& t) {
    return IsZeroOrNaN(t.value) && t.op == '+';
}

// What the books of a long list record of each term.
constexpr unsigned kHasClose = 1;
constexpr unsigned kFull = 2;           // not empty for the back walk
constexpr unsigned kSolid = 4;          // not a bare placeholder
constexpr unsigned kUnsettled = 8;      // keeps the finish test from holding
constexpr unsigned kNegativeZero = 16;  // a bare placeholder holding -0.0

[[gnu::always_inline]] inline unsigned MarkOf(const Term& t) {
    const bool bare = IsBarePlaceholder(t);
    return (t.closeParens != 0 ? kHasClose : 0u) | (IsEmpty(t) ? 0u : kFull) |
           (bare ? 0u : kSolid) | (IsSettled(t) ? 0u : kUnsettled) |
           (bare && std::signbit(t.value) ? kNegativeZero : 0u);
}

}  // namespace

template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::NoteNaN(double v) {
    m_nanSeen = m_nanSeen || std::isnan(v);
}

// Reduces the list to one value in term 0. Terms are never removed: a consumed operand becomes
// a placeholder in place, so every index stays valid for the whole call.
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
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::Evaluate() {
    // A minus becomes addition of the negated operand, before any function is applied: so a
    // minus in front of a function negates the function's argument, not its value.
    for (int i = 0; i <= m_cur; ++i) {
        if (m_t[i].op == '-') {
            m_t[i].op = '+';
            m_t[i].value = -m_t[i].value;
            NoteNaN(m_t[i].value);
            Tell(ValueStep{.kind = ValueStep::Kind::kNegate, .at = i, .op = '-'});
        }
    }
    // Terms behind the last operand are never written: every step writes at or left of where
    // its pass started, or (a change-of-sign marker's merge) right behind a marker, and markers
    // only ever move left from where the scan put them, in front of their bracket's term. So
    // the walks stop at the last operand, and so do the books of a long list.
    m_tracking = kShortcuts && m_cur + 1 > kWalkUpTo;
    if (m_tracking) {
        StartTracking();
    }

    CEquationObserver* const observer = m_eq.m_observer;
    const long long passLimit = 8LL * (m_count + 2LL) * (m_opens + m_closes + 2LL) + 1024;
    int pass = 0;
    bool again = true;
    while (again) {
        const int start = StartSearch();
        PlaceholderShift(start);
        const int c = Sweep(start);
        LevelClose(c);
        ChangeOfSign(c);
        ++pass;
        if (observer != nullptr) {
            observer->PassDone(pass, start, c, {m_t, static_cast<std::size_t>(m_count)});
        }
        again = FinishTest();
        if (again && pass >= passLimit) {
            m_guardTripped = true;
            break;
        }
    }
}

template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::StartTracking() {
    if (m_eq.m_tracking == nullptr) {
        m_eq.m_tracking = std::make_unique<Tracking>();
    }
    m_books = m_eq.m_tracking.get();
    m_books->closeSet.Reset(m_count);
    m_books->fullSet.Reset(m_count);
    m_books->solidSet.Reset(m_count);
    m_books->marks.assign(static_cast<std::size_t>(m_count), 0);
    // The sets a word of 64 terms at a time.
    std::uint64_t close = 0;
    std::uint64_t full = 0;
    std::uint64_t solid = 0;
    for (int i = 0; i <= m_cur; ++i) {
        const unsigned mark = MarkOf(m_t[i]);
        m_books->marks[static_cast<std::size_t>(i)] = static_cast<unsigned char>(mark);
        const auto bit = static_cast<unsigned>(i % 64);
        close |= std::uint64_t{(mark & kHasClose) != 0} << bit;
        full |= std::uint64_t{(mark & kFull) != 0} << bit;
        solid |= std::uint64_t{(mark & kSolid) != 0} << bit;
        if (bit == 63 || i == m_cur) {
            const auto word = static_cast<std::size_t>(i / 64);
            m_books->closeSet.FillWord(word, close);
            m_books->fullSet.FillWord(word, full);
            m_books->solidSet.FillWord(word, solid);
            close = full = solid = 0;
        }
        m_unsettled += i >= 1 && (mark & kUnsettled) != 0 ? 1 : 0;
        m_negativeZeros += (mark & kNegativeZero) != 0 ? 1 : 0;
    }
}

// Every change to a term of a tracked list is followed by this, so that the books stay true.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::Update(int i) {
    if (!m_tracking) {
        return;
    }
    const unsigned mark = MarkOf(m_t[i]);
    unsigned char& old = m_books->marks[static_cast<std::size_t>(i)];
    const unsigned changed = mark ^ old;
    if (changed == 0) {
        return;
    }
    old = static_cast<unsigned char>(mark);
    if ((changed & kHasClose) != 0) {
        m_books->closeSet.Set(i, (mark & kHasClose) != 0);
    }
    if ((changed & kFull) != 0) {
        m_books->fullSet.Set(i, (mark & kFull) != 0);
    }
    if ((changed & kSolid) != 0) {
        m_books->solidSet.Set(i, (mark & kSolid) != 0);
    }
    if ((changed & kUnsettled) != 0 && i >= 1) {
        m_unsettled += (mark & kUnsettled) != 0 ? 1 : -1;
    }
    if ((changed & kNegativeZero) != 0) {
        m_negativeZeros += (mark & kNegativeZero) != 0 ? 1 : -1;
    }
}

// The leftmost term that carries a ')'; when none does, the last term that is not empty for
// the back walk, or term 0.
template <bool kShortcuts, bool kSteps>
int Solver<kShortcuts, kSteps>::StartSearch() const {
    if (m_tracking) {
        const int start = m_books->closeSet.First();
        return start >= 0 ? start : std::max(m_books->fullSet.Last(), 0);
    }
    for (int i = 0; i <= m_cur; ++i) {
        if (m_t[i].closeParens != 0) {
            return i;
        }
    }
    int start = m_cur + 1;
    do {
        start -= 1;
    } while (IsEmpty(m_t[start]) && start != 0);
    return start;
}

// Moves the start term left over bare placeholders, so that '2++3' adds the 3 straight into
// the 2 instead of leaving it behind an empty slot. Term 0 is never a target.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::PlaceholderShift(int start) {
    int k = std::max(start, 1);
    if (CanSkip()) {
        // Every term between the last solid one and k is a +0 placeholder, so the moves one
        // place at a time come down to one.
        const int target = std::max(m_books->solidSet.Before(k) + 1, 1);
        if (target < k) {
            m_t[target] = m_t[k];
            Update(target);
            m_t[k] = kPlaceholder;
            Update(k);
            Tell(ValueStep{ValueStep::Kind::kMove, target, k});
        }
        return;
    }
    for (; k != 1 && IsBarePlaceholder(m_t[k - 1]); --k) {
        m_t[k - 1] = m_t[k];
        Update(k - 1);
        m_t[k] = kPlaceholder;
        Update(k);
        Tell(ValueStep{ValueStep::Kind::kMove, k - 1, k});
    }
}

// Turns from start leftwards until the level is done; returns where the sweep stopped. A turn
// applies the function of the term at the cursor, or folds that term into its left neighbour.
// The sweep goes on while the fold left no open bracket, the cursor is not at term 0, and no
// change-of-sign marker has been met after a function was applied.
template <bool kShortcuts, bool kSteps>
int Solver<kShortcuts, kSteps>::Sweep(int start) {
    int c = start;
    for (;;) {
        // A turn on a +0 placeholder adds +0 into the placeholder on its left: over a run of
        // them the sweep goes straight to the last one.
        if (CanSkip() && m_funcState != 2 && c > 1 && IsBarePlaceholder(m_t[c])) {
            const int land = std::max(m_books->solidSet.Before(c) + 1, 1);
            if (land < c) {
                c = land;
                m_openCount = 0;
                if (m_t[c - 1].op == '$' && m_funcState > 0) {
                    m_funcState = 2;
                }
                if (m_funcState == 2) {
                    return c;
                }
                continue;
            }
        }
        const bool functionTurn = m_t[c].funcCode > 0;
        bool markerTurn = false;
        if (functionTurn) {
            ApplyFunction(c);
            Update(c);
        } else if (c > 0) {
            markerTurn = OperatorStep(c);
        }
        if (c > 0 && m_t[c - 1].op == '$' && m_funcState > 0) {
            m_funcState = 2;
        }
        if (!markerTurn && !functionTurn) {
            CarryOver(c);
        }
        // A turn on a change-of-sign marker does not move the cursor; a second turn there would
        // find nothing left to merge and so would repeat for ever. The level close that follows
        // settles the marker instead.
        if (markerTurn || !(m_openCount == 0 && c > 0 && m_funcState != 2)) {
            return c;
        }
    }
}

// In degrees SIN, COS and TAN take their argument times the degree factor, and ASIN, ACOS and
// ATAN give their result times 57.3. LOG and LN refuse an argument that is not greater than 0
// (a NaN is let through, and stays NaN): the term becomes 0 and the flag is raised.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::ApplyFunction(int c) {
    Term& term = m_t[c];
    const auto code = static_cast<FuncCode>(term.funcCode);
    const bool degrees = m_eq.m_angleMode == AngleMode(AngleUnit::kDegrees);
    if (degrees && TakesAngle(code)) {
        term.value *= kDegreeFactor;
        NoteNaN(term.value);
    }
    m_funcState = 1;
    const double x = term.value;
    double y = 0.0;
    const bool refused = (code == FuncCode::kLog || code == FuncCode::kLn) && x <= 0.0;
    if (refused) {
        (code == FuncCode::kLog ? m_errLog10Neg : m_errLnNeg) = 1;
    } else {
        y = Apply(code, x);
        NoteNaN(y);
    }
    term.funcCode = 0;
    term.value = y;
    if (degrees && GivesAngle(code)) {
        term.value = y * kRadianFactor;
        NoteNaN(term.value);
    }
    Tell(ValueStep{.kind = ValueStep::Kind::kApply,
                   .at = c,
                   .funcCode = static_cast<int>(code),
                   .refused = refused});
}

// The operand at c (R, whose op is the operator) is folded into its left neighbour (L), which
// keeps its own op for a later turn; the cursor moves onto L. Returns true for a turn on a
// change-of-sign marker, which folds nothing and stays.
template <bool kShortcuts, bool kSteps>
bool Solver<kShortcuts, kSteps>::OperatorStep(int& c) {
    // Only these two of R are read, unless a zero left factor takes all of it.
    const char rightOp = m_t[c].op;
    const double rightValue = m_t[c].value;
    bool markerTurn = false;
    ValueStep::Fold fold = ValueStep::Fold::kDone;
    switch (rightOp) {
        case '+': {
            Term& left = m_t[--c];
            left.value = left.value + rightValue;
            NoteNaN(left.value);
            break;
        }
        case '*': {
            Term& left = m_t[--c];
            if (IsZeroOrNaN(left.value)) {
                // A zero left factor is an empty slot: the right factor takes its place.
                left = m_t[c + 1];
                fold = ValueStep::Fold::kZeroFactor;
            } else {
                left.value = left.value * rightValue;
                NoteNaN(left.value);
            }
            break;
        }
        case '/': {
            // Division by an operand within 1e-9 of zero is not performed: it becomes an empty
            // term (as every folded operand does, in the merge below), and so does a dividend in
            // that range.
            Term& left = m_t[--c];
            bool skip = IsNearZero(rightValue);
            fold = skip ? ValueStep::Fold::kDivisorNearZero : fold;
            if (IsNearZero(left.value)) {
                left.op = '+';
                left.value = 0.0;
                skip = true;
                fold = ValueStep::Fold::kDividendNearZero;
            }
            if (!skip) {
                left.value = left.value / rightValue;
                NoteNaN(left.value);
            }
            break;
        }
        case '^': {
            Term& left = m_t[--c];
            if (IsZeroOrNaN(rightValue)) {
                left.value = 1.0;
            } else {
                left.value = math::Pow(left.value, rightValue);
                NoteNaN(left.value);
            }
            break;
        }
        default:
            markerTurn = true;
            fold = ValueStep::Fold::kMarker;
            break;
    }
    Tell(ValueStep{
        .kind = ValueStep::Kind::kFold, .at = c, .from = c + 1, .op = rightOp, .fold = fold});
    // The merge: R becomes an empty term and hands its brackets to L. No term may own more
    // brackets than the text holds; without that cap the zero-factor copy above, which gives L
    // R's counts before the merge adds them again, doubles them at every '0*'.
    const int total = m_opens + m_closes;
    Term& left = m_t[c];
    Term& merged = m_t[c + 1];
    merged.value = 0.0;
    merged.op = '+';
    merged.funcCode = 0;
    left.closeParens = std::min(left.closeParens + merged.closeParens, total);
    left.openParens = std::min(left.openParens + merged.openParens, total);
    merged.closeParens = 0;
    merged.openParens = 0;
    m_openCount = left.openParens;
    Update(c);
    Update(c + 1);
    return markerTurn;
}

// The term at the cursor may now have nothing but +0 placeholders on its left. A '+' term
// would cross them one turn at a time unchanged (unless it holds -0.0, left to the long way);
// a '*' term too, by the zero-factor copy, which doubles its closing count each time up to the
// cap. Both are taken at once, leaving the cursor where the last of those turns would.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::CarryOver(int& c) {
    if (!CanSkip() || m_funcState == 2 || c <= 1) {
        return;
    }
    // A term that owns an open bracket ends the sweep here, and -0.0 would not stay -0.0.
    Term carried = m_t[c];
    if ((carried.op != '+' && carried.op != '*') || carried.funcCode != 0 ||
        carried.openParens != 0 || (carried.value == 0.0 && std::signbit(carried.value))) {
        return;
    }
    const int land = std::max(m_books->solidSet.Before(c) + 1, 1);
    if (land >= c) {
        return;
    }
    const int total = m_opens + m_closes;
    if (carried.op == '*') {
        for (int step = c - land;
             step > 0 && carried.closeParens != 0 && carried.closeParens != total; --step) {
            carried.closeParens = std::min(2 * carried.closeParens, total);
        }
    }
    m_t[c] = kPlaceholder;
    Update(c);
    m_t[land] = carried;
    Update(land);
    Tell(ValueStep{ValueStep::Kind::kMove, land, c});
    c = land;
    m_openCount = 0;
    if (m_t[c - 1].op == '$' && m_funcState > 0) {
        m_funcState = 2;
    }
}

// Takes one bracket level off the term where the sweep stopped: one '(' and one ')'. A term
// short of either loses both its counts instead.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::LevelClose(int c) {
    Term& t = m_t[c];
    t.openParens -= 1;
    t.closeParens -= 1;
    if (t.openParens < 0 || t.closeParens < 0) {
        t.openParens = 0;
        t.closeParens = 0;
    }
    m_openCount = t.openParens;
    Update(c);
}

// Once a negated bracket is fully reduced, its value moves onto its marker, negated, and a
// marker left holding the value itself turns into a '+' term of the negated value.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::ChangeOfSign(int c) {
    if (c > 0 && m_t[c - 1].op == '$' && m_openCount < 1) {
        m_t[c - 1] = m_t[c];
        m_t[c - 1].value = -m_t[c].value;
        NoteNaN(m_t[c - 1].value);
        m_t[c].op = '+';
        m_t[c].value = 0.0;
        m_t[c].openParens = 0;
        m_t[c].closeParens = 0;
        Update(c - 1);
        Update(c);
        Tell(ValueStep{
            .kind = ValueStep::Kind::kMove, .at = c - 1, .from = c, .op = '$', .negate = true});
    }
    if (m_t[c].op == '$' && m_openCount < 1) {
        m_t[c].value = -m_t[c].value;
        m_t[c].op = '+';
        NoteNaN(m_t[c].value);
        Update(c);
        Tell(ValueStep{.kind = ValueStep::Kind::kNegate, .at = c, .op = '$'});
    }
}

// True while another pass is needed: some term after the first is not settled, or the first
// still carries a function.
template <bool kShortcuts, bool kSteps>
bool Solver<kShortcuts, kSteps>::FinishTest() const {
    if (m_t[0].funcCode > 0) {
        return true;
    }
    if (m_tracking) {
        return m_unsettled > 0;
    }
    for (int i = 1; i <= m_cur; ++i) {
        if (!IsSettled(m_t[i])) {
            return true;
        }
    }
    return false;
}

template void Solver<true, true>::Evaluate();
template void Solver<true, false>::Evaluate();
template void Solver<false, true>::Evaluate();
template void Solver<false, false>::Evaluate();

}  // namespace quorbit1::engine
