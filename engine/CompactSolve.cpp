// The solve every front end gets. It takes the same steps as the general path (Reset, the scan
// loop with its three scanners, Evaluate's passes, the same shortcuts on long lists) with the
// same arithmetic in the same order, but on a compact list: no term is copied through
// m_scratch, no placeholder is moved by inserting, a digit run is read once instead of once per
// digit, and texts of the length people type are solved in local storage. The general path
// stays the definition, and serves observers and the self-check: tests and the fuzzer compare
// the two on random texts, bit for bit, flag for flag and term for term.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "Equation.h"
#include "Functions.h"
#include "PowersOfTen.h"
#include "TermTests.h"

namespace {

using quorbit1_digits::kPlaceBound;
using quorbit1_digits::PowerOfTen;
using quorbit1_functions::kDegreeFactor;
using quorbit1_functions::kRadianFactor;
using namespace quorbit1_terms;

// Texts up to this length are solved in local storage.
constexpr int kShortText = 128;
// Every character opens at most one term ('-(' opens two for its two characters), a name adds
// two placeholders and Evaluate one more.
constexpr std::size_t TermRoom(int len) {
    return 3 * static_cast<std::size_t>(len) + 4;
}
constexpr std::size_t kShortTerms = TermRoom(kShortText);
// Lists up to this many operands are walked; longer ones are tracked (as on the general path).
constexpr int kWalkUpTo = 48;

// What the bookkeeping of a long list records of each term.
constexpr unsigned kHasClose = 1;       // carries a ')'
constexpr unsigned kFull = 2;           // not empty for the back walk
constexpr unsigned kSolid = 4;          // not a bare placeholder
constexpr unsigned kUnsettled = 8;      // keeps the finish test from holding
constexpr unsigned kNegativeZero = 16;  // a bare placeholder holding -0.0

constexpr Term kFresh{0, 0.0, '+', 0, 0};

// Room for a list whose terms are not initialised: each is written before it is read, and
// setting up all of them would cost more than a whole solve of a typical text.
union LocalTerms {
    LocalTerms() {}
    Term at[kShortTerms];
};

// What a character starts, for the scan loop's dispatch. Letters of either case are names, as
// the general path upper-cases the text before it scans.
enum Kind : unsigned char {
    kOther,
    kDigit,
    kPoint,
    kLetter,
    kOpen,
    kClose,
    kSpace,
    kMinus,
    kOperator
};

constexpr std::array<unsigned char, 256> kKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (int c = '0'; c <= '9'; ++c) {
        kinds[static_cast<std::size_t>(c)] = kDigit;
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        kinds[static_cast<std::size_t>(c)] = kLetter;
        kinds[static_cast<std::size_t>(c - 'A' + 'a')] = kLetter;
    }
    kinds['.'] = kPoint;
    kinds['('] = kOpen;
    kinds[')'] = kClose;
    kinds[' '] = kSpace;
    kinds['-'] = kMinus;
    kinds['+'] = kOperator;
    kinds['*'] = kOperator;
    kinds['/'] = kOperator;
    kinds['^'] = kOperator;
    return kinds;
}();

Kind KindOf(char c) {
    return static_cast<Kind>(kKinds[static_cast<unsigned char>(c)]);
}

bool IsOperator(char c) {
    return KindOf(c) >= kMinus;
}

// A letter in upper case. Anything else becomes a character that is no capital letter, so
// comparing the result with a capital compares the character case-blind.
char Folded(char c) {
    return static_cast<char>(c & ~0x20);
}

// Where a flag was first raised, and whether it was.
struct Raised {
    int flag = 0;
    int pos = -1;

    void At(int p) {
        flag = 1;
        pos = pos < 0 ? p : pos;
    }
};

// One solve on storage handed to it: Scan, then Evaluate. It keeps its working state to
// itself; SolveCompact copies out what a caller of Solve may read.
class CompactSolver {
public:
    CompactSolver(char* buf, Term* terms, int angleMode, IndexSet& closeSet, IndexSet& fullSet,
                  IndexSet& solidSet, std::vector<unsigned char>& marks)
        : m_buf(buf),
          m_t(terms),
          m_degrees(angleMode == 0),
          m_closeSet(closeSet),
          m_fullSet(fullSet),
          m_solidSet(solidSet),
          m_marks(marks) {}

    void Scan(const std::string& text, const double (&vars)[4]);
    void Evaluate();

    int len = 0;
    int opens = 0;
    int closes = 0;
    int count = 0;  // terms in the list, placeholders included
    int cursor = 0;
    int openCount = 0;
    int funcState = 0;
    bool nanSeen = false;
    bool guardTripped = false;
    Raised badChar, trigExp, spaces, seqOps;
    int errLongNumber = 0;
    int errLog10Neg = 0;
    int errLnNeg = 0;

private:
    void OpenTerm(char op);
    void ScanDigit(int& p);
    void ScanName(int& p, const double (&vars)[4]);
    void ScanOperator(int& p);
    bool TextHasClose(int p) const;

    void StartTracking();
    void Update(int i);
    bool CanSkip() const { return m_tracking && m_negativeZeros == 0; }
    void NoteNaN(double v) { nanSeen |= std::isnan(v); }
    int StartSearch() const;
    void PlaceholderShift(int start);
    int Sweep(int start);
    void ApplyFunction(Term& s);
    bool OperatorStep(int& c);
    void CarryOver(int& c);
    void LevelCloseAndChangeOfSign(int c);
    bool FinishTest() const;

    char* const m_buf;
    Term* const m_t;
    const bool m_degrees;
    int m_cur = 0;  // the current term during the scan, the last operand after it
    int m_placeholders = 0;
    bool m_decimalSeen = false;
    int m_lastPoint = -1;
    bool m_tracking = false;
    IndexSet& m_closeSet;
    IndexSet& m_fullSet;
    IndexSet& m_solidSet;
    std::vector<unsigned char>& m_marks;
    int m_unsettled = 0;
    int m_negativeZeros = 0;
};

void CompactSolver::OpenTerm(char op) {
    m_cur += 1;
    m_t[m_cur] = kFresh;
    m_t[m_cur].op = op;
}

void CompactSolver::Scan(const std::string& text, const double (&vars)[4]) {
    len = static_cast<int>(text.size());
    // The text with four NULs behind it, as in m_buf. Letters are not upper-cased here: the
    // name scanner compares them case-blind, and no other step looks at a letter's case.
    std::memcpy(m_buf, text.data(), static_cast<std::size_t>(len));
    std::memset(m_buf + len, 0, 4);

    m_t[0] = kFresh;
    int p = 0;
    do {
        switch (KindOf(m_buf[p])) {
            case kOpen:
                // What Reset leaves in m_openCount (the number of '(') is overwritten by the
                // first '(' the scan reads, so it only ever shows as 0.
                openCount = ++m_t[m_cur].openParens;
                ++opens;
                ++p;
                break;
            case kClose:
                ++m_t[m_cur].closeParens;
                ++closes;
                ++p;
                break;
            case kOther:
                // The empty text's one pass reads the NUL behind it; that is no invalid
                // character.
                if (p < len) {
                    badChar.At(p);
                }
                ++p;
                break;
            case kDigit:
                ScanDigit(p);
                break;
            case kPoint:
                m_decimalSeen = true;
                m_lastPoint = p;
                ++p;
                break;
            case kLetter:
                ScanName(p, vars);
                break;
            default:
                ScanOperator(p);
                break;
        }
    } while (p < len);

    // Evaluate's own placeholder goes right behind the last operand, in front of the names'.
    count = m_cur + 2 + m_placeholders;
    for (int i = m_cur + 1; i < count; ++i) {
        m_t[i] = kFresh;
    }
}

// A digit's share is digit * 10^place: in the integer part the place is the number of digits
// behind it in its run; in the fraction it is the distance from the last point. Either way a
// run of digits is taken in one call, digit by digit from the left.
void CompactSolver::ScanDigit(int& p) {
    Term& term = m_t[m_cur];
    if (m_decimalSeen) {
        double value = term.value;
        do {
            const int place = p - m_lastPoint;
            if (place < kPlaceBound) {
                const double digit = static_cast<double>(m_buf[p] - '0');
                value = PowerOfTen(-place) * digit + value;
            }
            ++p;
        } while (KindOf(m_buf[p]) == kDigit);
        term.value = value;
        return;
    }
    int end = p + 1;
    while (KindOf(m_buf[end]) == kDigit) {
        ++end;
    }
    double value = term.value;
    for (; p < end; ++p) {
        const int place = end - p - 1;
        const double digit = static_cast<double>(m_buf[p] - '0');
        if (place < kPlaceBound) {
            value = PowerOfTen(place) * digit + value;
        } else if (digit != 0.0) {
            errLongNumber = 1;
        }
    }
    term.value = value;
}

void CompactSolver::ScanName(int& p, const double (&vars)[4]) {
    m_placeholders += 2;
    Term& term = m_t[m_cur];
    const char c0 = Folded(m_buf[p]);
    bool found = false;
    if (c0 == 'X' || c0 == 'Y' || c0 == 'Z' || c0 == 'T') {
        term.value = vars[c0 == 'X' ? 0 : c0 == 'Y' ? 1 : c0 == 'Z' ? 2 : 3];
        found = true;
    }
    const quorbit1_functions::NameMatch match = quorbit1_functions::MatchFunctionName(
        c0, Folded(m_buf[p + 1]), Folded(m_buf[p + 2]), Folded(m_buf[p + 3]));
    if (match.code != 0) {
        term.funcCode = match.code;
        if (match.code == 3) {
            term.value = 0.0;  // TAN undoes the value the T took from its variable slot
        }
        found = true;
    }
    if (!found) {
        trigExp.At(p);
    }
    m_decimalSeen = false;
    p += std::max(match.length, 1);
}

// Whether the text holds a ')' anywhere: the brackets before p have been counted, the rest is
// searched (only a minus right after a function name asks).
bool CompactSolver::TextHasClose(int p) const {
    return closes > 0 || std::memchr(m_buf + p, ')', static_cast<std::size_t>(len - p)) != nullptr;
}

void CompactSolver::ScanOperator(int& p) {
    const char c = m_buf[p];
    const Kind kind = KindOf(c);
    if (c == ' ' && m_buf[p + 1] == ' ') {
        spaces.At(p);
    }
    if (kind != kSpace) {
        char peek = m_buf[p + 1];
        if (peek == ' ' || peek == '\0') {
            peek = m_buf[p + 2];
        }
        if (IsOperator(peek)) {
            seqOps.At(p);
        }
    }
    if (kind == kSpace) {
        ++p;
        return;
    }
    m_decimalSeen = false;
    if (kind == kOperator) {
        OpenTerm(c);
        ++p;
        return;
    }
    // A minus, with the spaces and brackets behind it.
    int funcCode = m_t[m_cur].funcCode;
    if (funcCode > 0 && TextHasClose(p)) {
        funcCode = 0;
    }
    bool minusPending = true;
    char next = 0;
    do {
        next = m_buf[++p];
        if (next == '(' && minusPending) {
            OpenTerm('$');
            minusPending = false;
            OpenTerm('+');
        }
        if (next == '(') {
            openCount = ++m_t[m_cur].openParens;
            ++opens;
        }
    } while (next == ' ' || next == '(');
    if (minusPending) {
        if (funcCode == 0) {
            OpenTerm('-');
        } else {
            m_t[m_cur].op = '-';
        }
    }
}

// What the bookkeeping of a long list records of a term.
unsigned MarkOf(const Term& x) {
    const bool empty = IsEmpty(x);
    const bool bare = empty && x.openParens < 1 && x.closeParens < 1;
    return (x.closeParens != 0 ? kHasClose : 0u) | (empty ? 0u : kFull) | (bare ? 0u : kSolid) |
           (IsSettled(x) ? 0u : kUnsettled) | (bare && std::signbit(x.value) ? kNegativeZero : 0u);
}

void CompactSolver::StartTracking() {
    m_closeSet.Reset(count);
    m_fullSet.Reset(count);
    m_solidSet.Reset(count);
    m_marks.assign(static_cast<std::size_t>(count), 0);
    for (int i = 0; i <= m_cur; ++i) {
        const unsigned mark = MarkOf(m_t[i]);
        m_marks[static_cast<std::size_t>(i)] = static_cast<unsigned char>(mark);
        if ((mark & kHasClose) != 0) {
            m_closeSet.Add(i);
        }
        if ((mark & kFull) != 0) {
            m_fullSet.Add(i);
        }
        if ((mark & kSolid) != 0) {
            m_solidSet.Add(i);
        }
        m_unsettled += i >= 1 && (mark & kUnsettled) != 0 ? 1 : 0;
        m_negativeZeros += (mark & kNegativeZero) != 0 ? 1 : 0;
    }
}

// Every change to a term of a long list is followed by this, so that the sets and counts stay
// true.
void CompactSolver::Update(int i) {
    if (!m_tracking) {
        return;
    }
    const unsigned mark = MarkOf(m_t[i]);
    unsigned char& old = m_marks[static_cast<std::size_t>(i)];
    const unsigned changed = mark ^ old;
    if (changed == 0) {
        return;
    }
    old = static_cast<unsigned char>(mark);
    if ((changed & kHasClose) != 0) {
        m_closeSet.Set(i, (mark & kHasClose) != 0);
    }
    if ((changed & kFull) != 0) {
        m_fullSet.Set(i, (mark & kFull) != 0);
    }
    if ((changed & kSolid) != 0) {
        m_solidSet.Set(i, (mark & kSolid) != 0);
    }
    if ((changed & kUnsettled) != 0 && i >= 1) {
        m_unsettled += (mark & kUnsettled) != 0 ? 1 : -1;
    }
    if ((changed & kNegativeZero) != 0) {
        m_negativeZeros += (mark & kNegativeZero) != 0 ? 1 : -1;
    }
}

void CompactSolver::Evaluate() {
    for (int i = 0; i <= m_cur; ++i) {
        if (m_t[i].op == '-') {
            m_t[i].op = '+';
            m_t[i].value = -m_t[i].value;
            NoteNaN(m_t[i].value);
        }
    }
    // Terms behind the last operand are never written: every step writes at or left of where
    // its pass started, or (a change-of-sign marker's merge) right behind a marker, and markers
    // only ever move left from where the scan put them, in front of their bracket's term. So
    // the walks stop at the last operand, and so does the bookkeeping of a long list.
    m_tracking = m_cur >= kWalkUpTo;
    if (m_tracking) {
        StartTracking();
    }

    const long long passLimit = 8LL * (count + 2LL) * (opens + closes + 2LL) + 1024;
    long long pass = 0;
    bool again = true;
    do {
        const int start = StartSearch();
        PlaceholderShift(start);
        const int c = Sweep(start);
        LevelCloseAndChangeOfSign(c);
        cursor = c;
        ++pass;
        again = FinishTest();
        if (again && pass >= passLimit) {
            guardTripped = true;
            break;
        }
    } while (again);
}

// The leftmost term with a ')', else the last one not empty, else term 0.
int CompactSolver::StartSearch() const {
    if (m_tracking) {
        const int start = m_closeSet.First();
        return start >= 0 ? start : std::max(m_fullSet.Last(), 0);
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

void CompactSolver::PlaceholderShift(int start) {
    int k = std::max(start, 1);
    if (CanSkip()) {
        // Runs of +0 placeholders are crossed in one step while none holds -0.0 (see the
        // general path, whose self-check compares these shortcuts with the plain walks).
        const int target = std::max(m_solidSet.Before(k) + 1, 1);
        if (target < k) {
            m_t[target] = m_t[k];
            Update(target);
            m_t[k] = kFresh;
            Update(k);
        }
        return;
    }
    for (; k != 1 && IsBarePlaceholder(m_t[k - 1]); --k) {
        m_t[k - 1] = m_t[k];
        Update(k - 1);
        m_t[k] = kFresh;
        Update(k);
    }
}

// Turns from start leftwards until the level is done; returns where the sweep stopped.
int CompactSolver::Sweep(int start) {
    int c = start;
    for (;;) {
        // A turn on a +0 placeholder adds +0 into the placeholder on its left: over a run of
        // them the sweep goes straight to the last one.
        if (CanSkip() && funcState != 2 && c > 1 && IsBarePlaceholder(m_t[c])) {
            const int land = std::max(m_solidSet.Before(c) + 1, 1);
            if (land < c) {
                c = land;
                openCount = 0;
                if (m_t[c - 1].op == '$' && funcState > 0) {
                    funcState = 2;
                }
                if (funcState == 2) {
                    return c;
                }
                continue;
            }
        }
        const bool functionTurn = m_t[c].funcCode > 0;
        bool markerTurn = false;
        if (functionTurn) {
            ApplyFunction(m_t[c]);
            Update(c);
        } else if (c > 0) {
            markerTurn = OperatorStep(c);
        }
        if (c > 0 && m_t[c - 1].op == '$' && funcState > 0) {
            funcState = 2;
        }
        if (!markerTurn && !functionTurn) {
            CarryOver(c);
        }
        if (markerTurn || !(openCount == 0 && c > 0 && funcState != 2)) {
            return c;
        }
    }
}

void CompactSolver::ApplyFunction(Term& s) {
    const int funcCode = s.funcCode;
    if (m_degrees && funcCode <= 3) {
        s.value *= kDegreeFactor;
        NoteNaN(s.value);
    }
    funcState = 1;
    const double x = s.value;
    double y = 0.0;
    bool logRefused = false;
    if ((funcCode == 7 || funcCode == 8) && x <= 0.0) {
        logRefused = true;
        (funcCode == 7 ? errLog10Neg : errLnNeg) = 1;
    } else {
        y = quorbit1_functions::Apply(funcCode, x);
    }
    s.funcCode = 0;
    s.value = y;
    if (!logRefused) {
        NoteNaN(y);
    }
    if (m_degrees && funcCode >= 4 && funcCode <= 6) {
        s.value = y * kRadianFactor;
        NoteNaN(s.value);
    }
}

// The operand at c is folded into its left neighbour, which keeps its own op; the cursor moves
// onto it. True for a turn on a change-of-sign marker, which folds nothing and stays.
bool CompactSolver::OperatorStep(int& c) {
    // Only these two of the right operand are read, unless a zero left factor takes all of it.
    const char rightOp = m_t[c].op;
    const double rightValue = m_t[c].value;
    bool markerTurn = false;
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
                left = m_t[c + 1];
            } else {
                left.value = left.value * rightValue;
                NoteNaN(left.value);
            }
            break;
        }
        case '/': {
            Term& left = m_t[--c];
            bool skip = false;
            if (IsNearZero(left.value)) {
                left.op = '+';
                left.value = 0.0;
                skip = true;
            }
            if (IsNearZero(rightValue)) {
                m_t[c + 1].op = '+';
                m_t[c + 1].value = 0.0;
                skip = true;
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
                left.value = std::pow(left.value, rightValue);
                NoteNaN(left.value);
            }
            break;
        }
        default:
            markerTurn = true;
            break;
    }
    // The merge: the right operand becomes an empty term and hands its brackets to the left
    // one, capped at the text's brackets as on the general path.
    const int total = opens + closes;
    Term& left = m_t[c];
    Term& merged = m_t[c + 1];
    merged.value = 0.0;
    merged.op = '+';
    merged.funcCode = 0;
    left.closeParens = std::min(left.closeParens + merged.closeParens, total);
    left.openParens = std::min(left.openParens + merged.openParens, total);
    merged.closeParens = 0;
    merged.openParens = 0;
    openCount = left.openParens;
    Update(c);
    Update(c + 1);
    return markerTurn;
}

// The term at the cursor may now have nothing but +0 placeholders on its left. A '+' term
// would cross them one turn at a time unchanged; a '*' term too, by the zero-factor copy, which
// doubles its closing count each time up to the cap. Both are taken at once, leaving the cursor
// where the last of those turns would.
void CompactSolver::CarryOver(int& c) {
    if (!CanSkip() || funcState == 2 || openCount != 0 || c <= 1) {
        return;
    }
    Term carried = m_t[c];
    if ((carried.op != '+' && carried.op != '*') || carried.funcCode != 0 ||
        carried.openParens != 0 || (carried.value == 0.0 && std::signbit(carried.value)) ||
        !IsBarePlaceholder(m_t[c - 1])) {
        return;
    }
    const int land = std::max(m_solidSet.Before(c) + 1, 1);
    if (land >= c) {
        return;
    }
    const int total = opens + closes;
    if (carried.op == '*') {
        for (int step = c - land;
             step > 0 && carried.closeParens != 0 && carried.closeParens != total; --step) {
            carried.closeParens = std::min(2 * carried.closeParens, total);
        }
    }
    m_t[c] = kFresh;
    Update(c);
    m_t[land] = carried;
    Update(land);
    c = land;
    openCount = 0;
    if (m_t[c - 1].op == '$' && funcState > 0) {
        funcState = 2;
    }
}

// Closes one bracket level where the sweep stopped; a negated bracket that is fully reduced
// then hands its value, negated, to its marker.
void CompactSolver::LevelCloseAndChangeOfSign(int c) {
    CloseOneLevel(m_t[c]);
    openCount = m_t[c].openParens;
    Update(c);

    if (c > 0 && m_t[c - 1].op == '$' && openCount < 1) {
        m_t[c - 1] = m_t[c];
        m_t[c - 1].value = -m_t[c].value;
        NoteNaN(m_t[c - 1].value);
        m_t[c].op = '+';
        m_t[c].value = 0.0;
        m_t[c].openParens = 0;
        m_t[c].closeParens = 0;
        Update(c - 1);
        Update(c);
    }
    if (m_t[c].op == '$' && openCount < 1) {
        m_t[c].value = -m_t[c].value;
        m_t[c].op = '+';
        NoteNaN(m_t[c].value);
        Update(c);
    }
}

bool CompactSolver::FinishTest() const {
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

}  // namespace

bool CEquation::SolveCompact() {
    if (m_observer != nullptr || m_selfCheck) {
        return false;
    }
    const int len = static_cast<int>(m_text.size());

    // Short texts live on the stack; longer ones in storage kept from solve to solve, which
    // only ever grows.
    char shortBuf[kShortText + 4];
    LocalTerms local;
    char* buf = shortBuf;
    Term* terms = local.at;
    if (len > kShortText) {
        if (m_buf.size() < static_cast<std::size_t>(len) + 4) {
            m_buf.resize(static_cast<std::size_t>(len) + 4);
        }
        if (m_work.size() < TermRoom(len)) {
            m_work.resize(TermRoom(len));
        }
        buf = m_buf.data();
        terms = m_work.data();
    }

    CompactSolver s(buf, terms, m_angleMode, m_closeSet, m_fullSet, m_solidSet, m_marks);
    s.Scan(m_text, {m_varX, m_varY, m_varZ, m_varT});
    s.Evaluate();

    // Leave the fields as the general path leaves them for everything a caller reads.
    m_terms.Assign(terms, s.count);
    m_scratch = terms[0];
    m_len = len;
    m_parenBalance = s.opens - s.closes;
    m_parenTotal = s.opens + s.closes;
    m_errEmpty = len < 1 ? 1 : 0;
    m_errParens = s.opens != s.closes ? 1 : 0;
    m_errTrigExp = s.trigExp.flag;
    m_errSpaces = s.spaces.flag;
    m_errSeqOps = s.seqOps.flag;
    m_errLog10Neg = s.errLog10Neg;
    m_errLnNeg = s.errLnNeg;
    m_errDomain = s.nanSeen ? 1 : 0;
    m_errLongNumber = s.errLongNumber;
    m_errBadChar = s.badChar.flag;
    m_badCharPos = s.badChar.pos;
    m_trigExpPos = s.trigExp.pos;
    m_spacesPos = s.spaces.pos;
    m_seqOpsPos = s.seqOps.pos;
    m_funcState = s.funcState;
    m_termCount = s.count;
    m_termIndex = s.cursor;
    m_openCount = s.openCount;
    m_guardTripped = s.guardTripped;
    m_acc = terms[0].value;
    m_result = terms[0].value;
    m_pos = 0;
    return true;
}
