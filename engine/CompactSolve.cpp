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

#include "CharClass.h"
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
    Term* t = local.at;
    if (len > kShortText) {
        if (m_buf.size() < static_cast<std::size_t>(len) + 4) {
            m_buf.resize(static_cast<std::size_t>(len) + 4);
        }
        if (m_work.size() < TermRoom(len)) {
            m_work.resize(TermRoom(len));
        }
        buf = m_buf.data();
        t = m_work.data();
    }

    // The text with four NULs behind it, as in m_buf. Letters are not upper-cased here: the
    // name scanner compares them case-blind, and no other step looks at a letter's case.
    bool textHasClose = false;
    for (int p = 0; p < len; ++p) {
        const char c = m_text[static_cast<std::size_t>(p)];
        // Only the minus rule needs to know beforehand whether a ')' is coming; every other
        // bracket count is taken by the scan, which reads each bracket once.
        textHasClose |= c == ')';
        buf[p] = c;
    }
    std::memset(buf + len, 0, 4);
    int opens = 0;
    int closes = 0;

    int errTrigExp = 0;
    int errSpaces = 0;
    int errSeqOps = 0;
    int errLongNumber = 0;
    int errBadChar = 0;
    int badCharPos = -1;
    int trigExpPos = -1;
    int spacesPos = -1;
    int seqOpsPos = -1;

    t[0] = kFresh;
    int cur = 0;
    int placeholders = 0;
    // What Reset leaves in m_openCount (the number of '(') is overwritten by the first '('
    // the scan reads, so it only ever shows as 0.
    int openCount = 0;
    bool decimalSeen = false;
    int lastPoint = -1;
    const auto openTerm = [&](char op) {
        cur += 1;
        t[cur] = kFresh;
        t[cur].op = op;
    };

    int p = 0;
    do {
        const char c = buf[p];
        const Kind kind = KindOf(c);
        if (kind == kOpen) {
            openCount = ++t[cur].openParens;
            ++opens;
            ++p;
        } else if (kind == kClose) {
            ++t[cur].closeParens;
            ++closes;
            ++p;
        } else if (kind == kOther) {
            // The empty text's one pass reads the NUL behind it; that is no invalid character.
            if (p < len) {
                errBadChar = 1;
                badCharPos = badCharPos < 0 ? p : badCharPos;
            }
            ++p;
        } else if (kind == kDigit) {
            if (!decimalSeen) {
                // A digit's place is the number of digits behind it in its run.
                int end = p + 1;
                while (KindOf(buf[end]) == kDigit) {
                    ++end;
                }
                double value = t[cur].value;
                for (; p < end; ++p) {
                    const int place = end - p - 1;
                    const double digit = static_cast<double>(buf[p] - '0');
                    if (place < kPlaceBound) {
                        value = PowerOfTen(place) * digit + value;
                    } else if (digit != 0.0) {
                        errLongNumber = 1;
                    }
                }
                t[cur].value = value;
            } else {
                const int place = p - lastPoint;
                if (place < kPlaceBound) {
                    const double digit = static_cast<double>(buf[p] - '0');
                    t[cur].value = PowerOfTen(-place) * digit + t[cur].value;
                }
                ++p;
            }
        } else if (kind == kPoint) {
            decimalSeen = true;
            lastPoint = p;
            ++p;
        } else if (kind == kLetter) {
            placeholders += 2;
            const char c0 = Folded(c);
            const char c1 = Folded(buf[p + 1]);
            const char c2 = Folded(buf[p + 2]);
            const char c3 = Folded(buf[p + 3]);
            bool found = false;
            int skip = 0;
            if (c0 == 'X' || c0 == 'Y' || c0 == 'Z' || c0 == 'T') {
                t[cur].value = c0 == 'X'   ? m_varX
                               : c0 == 'Y' ? m_varY
                               : c0 == 'Z' ? m_varZ
                                           : m_varT;
                found = true;
            }
            const auto is3 = [&](const char* name) {
                return c0 == name[0] && c1 == name[1] && c2 == name[2];
            };
            const auto is4 = [&](const char* name) { return is3(name) && c3 == name[3]; };
            int code = 0;
            if (charclass::Is(c1, charclass::kSecondLetter)) {
                if (c0 == 'L' && c1 == 'N') {
                    code = 8;
                    skip = 1;
                } else if (is3("SIN")) {
                    code = 1;
                    skip = 2;
                } else if (is3("COS")) {
                    code = 2;
                    skip = 2;
                } else if (is3("TAN")) {
                    code = 3;
                    skip = 2;
                    t[cur].value = 0.0;
                } else if (is3("LOG")) {
                    code = 7;
                    skip = 2;
                } else if (is3("ALN")) {
                    code = 10;
                    skip = 2;
                } else if (is4("ASIN")) {
                    code = 4;
                    skip = 3;
                } else if (is4("ACOS")) {
                    code = 5;
                    skip = 3;
                } else if (is4("ATAN")) {
                    code = 6;
                    skip = 3;
                } else if (is4("ALOG")) {
                    code = 9;
                    skip = 3;
                }
            }
            if (code != 0) {
                t[cur].funcCode = code;
                found = true;
            }
            if (!found) {
                errTrigExp = 1;
                trigExpPos = trigExpPos < 0 ? p : trigExpPos;
            }
            decimalSeen = false;
            p += skip + 1;
        } else {
            if (c == ' ' && buf[p + 1] == ' ') {
                errSpaces = 1;
                spacesPos = spacesPos < 0 ? p : spacesPos;
            }
            if (kind != kSpace) {
                char peek = buf[p + 1];
                if (peek == ' ' || peek == '\0') {
                    peek = buf[p + 2];
                }
                if (IsOperator(peek)) {
                    errSeqOps = 1;
                    seqOpsPos = seqOpsPos < 0 ? p : seqOpsPos;
                }
            }
            if (kind == kMinus) {
                int funcCode = t[cur].funcCode;
                if (funcCode > 0 && textHasClose) {
                    funcCode = 0;
                }
                bool minusPending = true;
                char next = 0;
                do {
                    next = buf[++p];
                    if (next == '(' && minusPending) {
                        openTerm('$');
                        minusPending = false;
                        openTerm('+');
                    }
                    if (next == '(') {
                        openCount = ++t[cur].openParens;
                        ++opens;
                    }
                } while (next == ' ' || next == '(');
                if (minusPending) {
                    if (funcCode == 0) {
                        openTerm('-');
                    } else {
                        t[cur].op = '-';
                    }
                }
                decimalSeen = false;
            } else {
                if (kind == kOperator) {
                    openTerm(c);
                    decimalSeen = false;
                }
                ++p;
            }
        }
    } while (p < len);

    const int parenTotal = opens + closes;

    // Evaluate's own placeholder goes right behind the last operand, in front of the names'.
    int termIndex = cur + 1;
    const int n = termIndex + 1 + placeholders;
    for (int i = termIndex; i < n; ++i) {
        t[i] = kFresh;
    }

    bool nanSeen = false;
    const auto noteNaN = [&nanSeen](double v) { nanSeen |= std::isnan(v); };
    for (int i = 0; i <= cur; ++i) {
        if (t[i].op == '-') {
            t[i].op = '+';
            t[i].value = -t[i].value;
            noteNaN(t[i].value);
        }
    }

    // Terms behind the last operand are never written: every step writes at or left of where
    // its pass started, or (a change-of-sign marker's merge) right behind a marker, and markers
    // only ever move left from where the scan put them, in front of their bracket's term. So
    // the walks stop at the last operand, and so does the bookkeeping of a long list.
    const int last = cur;
    const bool tracking = last >= kWalkUpTo;
    int unsettled = 0;
    int negativeZeros = 0;
    unsigned char* marks = nullptr;
    // Every change to a term of a long list is followed by this, so that the sets and counts
    // stay true.
    const auto markOf = [](const Term& x) {
        const bool empty = IsEmpty(x);
        const bool bare = empty && x.openParens < 1 && x.closeParens < 1;
        return (x.closeParens != 0 ? kHasClose : 0u) | (empty ? 0u : kFull) | (bare ? 0u : kSolid) |
               (IsSettled(x) ? 0u : kUnsettled) |
               (bare && std::signbit(x.value) ? kNegativeZero : 0u);
    };
    const auto update = [&](int i) {
        if (!tracking) {
            return;
        }
        const unsigned mark = markOf(t[i]);
        const unsigned changed = mark ^ marks[i];
        if (changed == 0) {
            return;
        }
        marks[i] = static_cast<unsigned char>(mark);
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
            unsettled += (mark & kUnsettled) != 0 ? 1 : -1;
        }
        if ((changed & kNegativeZero) != 0) {
            negativeZeros += (mark & kNegativeZero) != 0 ? 1 : -1;
        }
    };
    if (tracking) {
        m_closeSet.Reset(n);
        m_fullSet.Reset(n);
        m_solidSet.Reset(n);
        m_marks.assign(static_cast<std::size_t>(n), 0);
        marks = m_marks.data();
        for (int i = 0; i <= last; ++i) {
            const unsigned mark = markOf(t[i]);
            marks[i] = static_cast<unsigned char>(mark);
            if ((mark & kHasClose) != 0) {
                m_closeSet.Add(i);
            }
            if ((mark & kFull) != 0) {
                m_fullSet.Add(i);
            }
            if ((mark & kSolid) != 0) {
                m_solidSet.Add(i);
            }
            unsettled += i >= 1 && (mark & kUnsettled) != 0 ? 1 : 0;
            negativeZeros += (mark & kNegativeZero) != 0 ? 1 : 0;
        }
    }
    // Runs of +0 placeholders are crossed in one step while none holds -0.0 (see the general
    // path, whose self-check compares these shortcuts with the plain walks).
    const auto canSkip = [&] { return tracking && negativeZeros == 0; };

    int errLog10Neg = 0;
    int errLnNeg = 0;
    int funcState = 0;
    const bool degrees = m_angleMode == 0;
    const long long passLimit = 8LL * (n + 2LL) * (parenTotal + 2LL) + 1024;
    bool guardTripped = false;
    long long pass = 0;
    bool again = true;
    do {
        // Start search: the leftmost term with a ')', else the last one not empty.
        int start = -1;
        if (tracking) {
            start = m_closeSet.First();
            if (start < 0) {
                start = std::max(m_fullSet.Last(), 0);
            }
        } else {
            for (int i = 0; i <= last; ++i) {
                if (t[i].closeParens != 0) {
                    start = i;
                    break;
                }
            }
            if (start < 0) {
                start = last + 1;
                do {
                    start -= 1;
                } while (IsEmpty(t[start]) && start != 0);
            }
        }

        // Placeholder shift.
        int k = std::max(start, 1);
        if (canSkip()) {
            const int target = std::max(m_solidSet.Before(k) + 1, 1);
            if (target < k) {
                t[target] = t[k];
                update(target);
                t[k] = kFresh;
                update(k);
            }
        } else {
            for (; k != 1 && IsBarePlaceholder(t[k - 1]); --k) {
                t[k - 1] = t[k];
                update(k - 1);
                t[k] = kFresh;
                update(k);
            }
        }

        int c = start;
        for (;;) {
            // A turn on a +0 placeholder adds +0 into the placeholder on its left: over a run
            // of them the sweep goes straight to the last one.
            if (funcState != 2 && c > 1 && canSkip() && IsBarePlaceholder(t[c])) {
                const int land = std::max(m_solidSet.Before(c) + 1, 1);
                if (land < c) {
                    c = land;
                    openCount = 0;
                    if (t[c - 1].op == '$' && funcState > 0) {
                        funcState = 2;
                    }
                    if (funcState == 2) {
                        break;
                    }
                    continue;
                }
            }
            Term& s = t[c];
            const int funcCode = s.funcCode;
            bool markerTurn = false;
            if (funcCode > 0) {
                if (degrees && funcCode <= 3) {
                    s.value *= kDegreeFactor;
                    noteNaN(s.value);
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
                    noteNaN(y);
                }
                if (degrees && funcCode >= 4 && funcCode <= 6) {
                    s.value = y * kRadianFactor;
                    noteNaN(s.value);
                }
                update(c);
            } else if (c > 0) {
                // Only these two of the right operand are read, unless a zero left factor
                // takes all of it.
                const char rightOp = s.op;
                const double rightValue = s.value;
                switch (rightOp) {
                    case '+': {
                        Term& left = t[--c];
                        left.value = left.value + rightValue;
                        noteNaN(left.value);
                        break;
                    }
                    case '*': {
                        Term& left = t[--c];
                        if (IsZeroOrNaN(left.value)) {
                            left = t[c + 1];
                        } else {
                            left.value = left.value * rightValue;
                            noteNaN(left.value);
                        }
                        break;
                    }
                    case '/': {
                        Term& left = t[--c];
                        bool skip = false;
                        if (IsNearZero(left.value)) {
                            left.op = '+';
                            left.value = 0.0;
                            skip = true;
                        }
                        if (IsNearZero(rightValue)) {
                            t[c + 1].op = '+';
                            t[c + 1].value = 0.0;
                            skip = true;
                        }
                        if (!skip) {
                            left.value = left.value / rightValue;
                            noteNaN(left.value);
                        }
                        break;
                    }
                    case '^': {
                        Term& left = t[--c];
                        if (IsZeroOrNaN(rightValue)) {
                            left.value = 1.0;
                        } else {
                            left.value = std::pow(left.value, rightValue);
                            noteNaN(left.value);
                        }
                        break;
                    }
                    default:
                        markerTurn = true;
                        break;
                }
                // The merge: the right operand becomes an empty term and hands its brackets
                // to the left one, capped at the text's brackets as on the general path.
                Term& left = t[c];
                Term& merged = t[c + 1];
                merged.value = 0.0;
                merged.op = '+';
                merged.funcCode = 0;
                left.closeParens = std::min(left.closeParens + merged.closeParens, parenTotal);
                left.openParens = std::min(left.openParens + merged.openParens, parenTotal);
                merged.closeParens = 0;
                merged.openParens = 0;
                openCount = left.openParens;
                update(c);
                update(c + 1);
            }
            if (c > 0 && t[c - 1].op == '$' && funcState > 0) {
                funcState = 2;
            }
            // The term at the cursor may now have nothing but +0 placeholders on its left. A
            // '+' term would cross them one turn at a time unchanged; a '*' term too, by the
            // zero-factor copy, which doubles its closing count each time up to the cap. Both
            // are taken at once, leaving the cursor where the last of those turns would.
            if (!markerTurn && funcCode == 0 && funcState != 2 && openCount == 0 && c > 1 &&
                canSkip()) {
                Term carried = t[c];
                if ((carried.op == '+' || carried.op == '*') && carried.funcCode == 0 &&
                    carried.openParens == 0 &&
                    !(carried.value == 0.0 && std::signbit(carried.value)) &&
                    IsBarePlaceholder(t[c - 1])) {
                    const int land = std::max(m_solidSet.Before(c) + 1, 1);
                    if (land < c) {
                        if (carried.op == '*') {
                            for (int step = c - land; step > 0 && carried.closeParens != 0 &&
                                                      carried.closeParens != parenTotal;
                                 --step) {
                                carried.closeParens = std::min(2 * carried.closeParens, parenTotal);
                            }
                        }
                        t[c] = kFresh;
                        update(c);
                        t[land] = carried;
                        update(land);
                        c = land;
                        openCount = 0;
                        if (t[c - 1].op == '$' && funcState > 0) {
                            funcState = 2;
                        }
                    }
                }
            }
            if (markerTurn || !(openCount == 0 && c > 0 && funcState != 2)) {
                break;
            }
        }

        // Level close.
        Term& closed = t[c];
        int open = closed.openParens - 1;
        int close = closed.closeParens - 1;
        if (open < 0 || close < 0) {
            open = 0;
            close = 0;
        }
        closed.openParens = open;
        closed.closeParens = close;
        openCount = open;
        update(c);

        // Change of sign.
        if (c > 0 && t[c - 1].op == '$' && openCount < 1) {
            t[c - 1] = t[c];
            t[c - 1].value = -t[c].value;
            noteNaN(t[c - 1].value);
            t[c].op = '+';
            t[c].value = 0.0;
            t[c].openParens = 0;
            t[c].closeParens = 0;
            update(c - 1);
            update(c);
        }
        if (t[c].op == '$' && openCount < 1) {
            t[c].value = -t[c].value;
            t[c].op = '+';
            noteNaN(t[c].value);
            update(c);
        }
        termIndex = c;

        ++pass;
        again = t[0].funcCode > 0;
        if (tracking) {
            again = again || unsettled > 0;
        } else {
            for (int i = 1; i <= last && !again; ++i) {
                again = !IsSettled(t[i]);
            }
        }
        if (again && pass >= passLimit) {
            guardTripped = true;
            break;
        }
    } while (again);

    // Leave the fields as the general path leaves them for everything a caller reads.
    m_terms.Assign(t, n);
    m_scratch = t[0];
    m_len = len;
    m_parenBalance = opens - closes;
    m_parenTotal = parenTotal;
    m_errEmpty = len < 1 ? 1 : 0;
    m_errParens = opens != closes ? 1 : 0;
    m_errTrigExp = errTrigExp;
    m_errSpaces = errSpaces;
    m_errSeqOps = errSeqOps;
    m_errLog10Neg = errLog10Neg;
    m_errLnNeg = errLnNeg;
    m_errDomain = nanSeen ? 1 : 0;
    m_errLongNumber = errLongNumber;
    m_errBadChar = errBadChar;
    m_badCharPos = badCharPos;
    m_trigExpPos = trigExpPos;
    m_spacesPos = spacesPos;
    m_seqOpsPos = seqOpsPos;
    m_funcState = funcState;
    m_termCount = n;
    m_termIndex = termIndex;
    m_openCount = openCount;
    m_guardTripped = guardTripped;
    m_acc = t[0].value;
    m_result = t[0].value;
    m_pos = 0;
    return true;
}
