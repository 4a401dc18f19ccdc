// The solve for texts of the length people type. It takes the same steps as the general path
// (Reset, the scan loop with its three scanners, Evaluate's passes) with the same arithmetic in
// the same order, but on a compact list in local storage: no term is copied through m_scratch,
// no placeholder is moved by inserting, and a digit run is read once instead of once per digit.
// The general path stays the definition: tests and the fuzzer compare the two on random texts,
// bit for bit, flag for flag and term for term.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "CharClass.h"
#include "Equation.h"
#include "Functions.h"
#include "PowersOfTen.h"

namespace {

using quorbit1_digits::kPlaceBound;
using quorbit1_digits::PowerOfTen;
using quorbit1_functions::kDegreeFactor;
using quorbit1_functions::kRadianFactor;

constexpr int kShortText = 128;
// Every character opens at most one term ('-(' opens two for its two characters), a name adds
// two placeholders and Evaluate one more.
constexpr int kShortTerms = 3 * kShortText + 4;

// A term without default initialisers, so that the local list costs nothing to set up.
struct Slot {
    double value;
    int funcCode;
    int open;
    int close;
    char op;
};

constexpr Slot kFresh{0.0, 0, 0, 0, '+'};

bool IsEmpty(const Slot& t) {
    return t.op == '+' && t.value == 0.0 && t.funcCode == 0;
}

bool IsBarePlaceholder(const Slot& t) {
    return IsEmpty(t) && t.open < 1 && t.close < 1;
}

// A NaN counts as zero here (see the general path).
bool IsSettled(const Slot& t) {
    return (t.value == 0.0 || std::isnan(t.value)) && t.op == '+';
}

bool IsNearZero(double v) {
    return -1e-9 < v && v < 1e-9;
}

}  // namespace

bool CEquation::SolveShort() {
    const int len = static_cast<int>(m_text.size());
    if (len > kShortText || m_observer != nullptr || m_selfCheck) {
        return false;
    }

    // Reset and the upper-case pass in one walk; the buffer ends in four NULs like m_buf.
    char buf[kShortText + 4];
    int opens = 0;
    int closes = 0;
    for (int p = 0; p < len; ++p) {
        char c = m_text[static_cast<std::size_t>(p)];
        opens += c == '(' ? 1 : 0;
        closes += c == ')' ? 1 : 0;
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        buf[p] = c;
    }
    std::memset(buf + len, 0, 4);
    const int parenTotal = opens + closes;

    int errTrigExp = 0;
    int errSpaces = 0;
    int errSeqOps = 0;
    int errLongNumber = 0;
    int errBadChar = 0;
    int badCharPos = -1;
    int trigExpPos = -1;
    int spacesPos = -1;
    int seqOpsPos = -1;

    Slot t[kShortTerms];
    t[0] = kFresh;
    int cur = 0;
    int placeholders = 0;
    int openCount = opens;
    const bool textHasClose = closes > 0;
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
        const unsigned char cls = charclass::kTable[static_cast<unsigned char>(c)];
        if (c == '(') {
            openCount = ++t[cur].open;
            ++p;
        } else if (c == ')') {
            ++t[cur].close;
            ++p;
        } else if (cls == 0) {
            // The empty text's one pass reads the NUL behind it; that is no invalid character.
            if (p < len) {
                errBadChar = 1;
                badCharPos = badCharPos < 0 ? p : badCharPos;
            }
            ++p;
        } else if ((cls & charclass::kDigit) != 0) {
            if (!decimalSeen) {
                // A digit's place is the number of digits behind it in its run.
                int end = p + 1;
                while (charclass::Is(buf[end], charclass::kDigit)) {
                    ++end;
                }
                for (; p < end; ++p) {
                    const int place = end - p - 1;
                    const double digit = static_cast<double>(buf[p] - '0');
                    if (place < kPlaceBound) {
                        t[cur].value = PowerOfTen(place) * digit + t[cur].value;
                    } else if (digit != 0.0) {
                        errLongNumber = 1;
                    }
                }
            } else {
                const int place = p - lastPoint;
                if (place < kPlaceBound) {
                    const double digit = static_cast<double>(buf[p] - '0');
                    t[cur].value = PowerOfTen(-place) * digit + t[cur].value;
                }
                ++p;
            }
        } else if (c == '.') {
            decimalSeen = true;
            lastPoint = p;
            ++p;
        } else if ((cls & charclass::kLetter) != 0) {
            placeholders += 2;
            const char c1 = buf[p + 1];
            const char c2 = buf[p + 2];
            const char c3 = buf[p + 3];
            bool found = false;
            int skip = 0;
            if (c == 'X' || c == 'Y' || c == 'Z' || c == 'T') {
                t[cur].value = c == 'X' ? m_varX : c == 'Y' ? m_varY : c == 'Z' ? m_varZ : m_varT;
                found = true;
            }
            const auto is3 = [&](const char* name) {
                return c == name[0] && c1 == name[1] && c2 == name[2];
            };
            const auto is4 = [&](const char* name) { return is3(name) && c3 == name[3]; };
            int code = 0;
            if (charclass::Is(c1, charclass::kSecondLetter)) {
                if (c == 'L' && c1 == 'N') {
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
            if ((cls & charclass::kOperator) != 0) {
                char peek = buf[p + 1];
                if (!charclass::Is(peek, charclass::kOperator) && (peek == ' ' || peek == '\0')) {
                    peek = buf[p + 2];
                }
                if (charclass::Is(peek, charclass::kOperator)) {
                    errSeqOps = 1;
                    seqOpsPos = seqOpsPos < 0 ? p : seqOpsPos;
                }
            }
            if (c == '-') {
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
                        openCount = ++t[cur].open;
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
                if (c != ' ') {
                    openTerm(c);
                    decimalSeen = false;
                }
                ++p;
            }
        }
    } while (p < len);

    // Evaluate's own placeholder goes right behind the last operand, in front of the names'.
    int termIndex = cur + 1;
    const int n = termIndex + 1 + placeholders;
    for (int i = termIndex; i < n; ++i) {
        t[i] = kFresh;
    }

    bool nanSeen = false;
    const auto noteNaN = [&nanSeen](double v) { nanSeen = nanSeen || std::isnan(v); };
    for (int i = 0; i <= cur; ++i) {
        if (t[i].op == '-') {
            t[i].op = '+';
            t[i].value = -t[i].value;
            noteNaN(t[i].value);
        }
    }

    int errLog10Neg = 0;
    int errLnNeg = 0;
    int funcState = 0;
    const bool degrees = m_angleMode == 0;
    const long long passLimit = 8LL * (n + 2LL) * (parenTotal + 2LL) + 1024;
    bool guardTripped = false;
    long long pass = 0;
    bool again = true;
    do {
        int start = -1;
        for (int i = 0; i < n; ++i) {
            if (t[i].close != 0) {
                start = i;
                break;
            }
        }
        if (start < 0) {
            start = n;
            do {
                start -= 1;
            } while (IsEmpty(t[start]) && start != 0);
        }

        for (int k = std::max(start, 1); k != 1 && IsBarePlaceholder(t[k - 1]); --k) {
            t[k - 1] = t[k];
            t[k] = kFresh;
        }

        int c = start;
        for (;;) {
            Slot& s = t[c];
            const int funcCode = s.funcCode;
            bool markerTurn = false;
            if (funcCode > 0) {
                if (degrees && funcCode <= 3) {
                    s.value *= kDegreeFactor;
                    noteNaN(s.value);
                }
                funcState = 1;
                const double x = s.value;
                double y = x;
                bool logRefused = false;
                switch (funcCode) {
                    case 1:
                        y = std::sin(x);
                        break;
                    case 2:
                        y = std::cos(x);
                        break;
                    case 3:
                        y = std::tan(x);
                        break;
                    case 4:
                        y = std::asin(x);
                        break;
                    case 5:
                        y = std::acos(x);
                        break;
                    case 6:
                        y = std::atan(x);
                        break;
                    case 7:
                    case 8:
                        if (x <= 0.0) {
                            logRefused = true;
                            y = 0.0;
                            (funcCode == 7 ? errLog10Neg : errLnNeg) = 1;
                        } else {
                            y = funcCode == 7 ? std::log10(x) : std::log(x);
                        }
                        break;
                    case 9:
                        y = std::pow(10.0, x);
                        break;
                    case 10:
                        y = std::exp(x);
                        break;
                    default:
                        break;
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
            } else if (c > 0) {
                const Slot right = s;
                switch (right.op) {
                    case '+': {
                        Slot& left = t[--c];
                        left.value = left.value + right.value;
                        noteNaN(left.value);
                        break;
                    }
                    case '*': {
                        Slot& left = t[--c];
                        if (left.value == 0.0 || std::isnan(left.value)) {
                            left = right;
                        } else {
                            left.value = left.value * right.value;
                            noteNaN(left.value);
                        }
                        break;
                    }
                    case '/': {
                        Slot& left = t[--c];
                        bool skip = false;
                        if (IsNearZero(left.value)) {
                            left.op = '+';
                            left.value = 0.0;
                            skip = true;
                        }
                        if (IsNearZero(right.value)) {
                            t[c + 1].op = '+';
                            t[c + 1].value = 0.0;
                            skip = true;
                        }
                        if (!skip) {
                            left.value = left.value / right.value;
                            noteNaN(left.value);
                        }
                        break;
                    }
                    case '^': {
                        Slot& left = t[--c];
                        if (right.value == 0.0 || std::isnan(right.value)) {
                            left.value = 1.0;
                        } else {
                            left.value = std::pow(left.value, right.value);
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
                Slot& left = t[c];
                Slot& merged = t[c + 1];
                merged.value = 0.0;
                merged.op = '+';
                merged.funcCode = 0;
                left.close = std::min(left.close + merged.close, parenTotal);
                left.open = std::min(left.open + merged.open, parenTotal);
                merged.close = 0;
                merged.open = 0;
                openCount = left.open;
            }
            if (c > 0 && t[c - 1].op == '$' && funcState > 0) {
                funcState = 2;
            }
            if (markerTurn || !(openCount == 0 && c > 0 && funcState != 2)) {
                break;
            }
        }

        // Level close.
        Slot& closed = t[c];
        int open = closed.open - 1;
        int close = closed.close - 1;
        if (open < 0 || close < 0) {
            open = 0;
            close = 0;
        }
        closed.open = open;
        closed.close = close;
        openCount = open;

        // Change of sign.
        if (c > 0 && t[c - 1].op == '$' && openCount < 1) {
            t[c - 1] = t[c];
            t[c - 1].value = -t[c].value;
            noteNaN(t[c - 1].value);
            t[c].op = '+';
            t[c].value = 0.0;
            t[c].open = 0;
            t[c].close = 0;
        }
        if (t[c].op == '$' && openCount < 1) {
            t[c].value = -t[c].value;
            t[c].op = '+';
            noteNaN(t[c].value);
        }
        termIndex = c;

        ++pass;
        again = t[0].funcCode > 0;
        for (int i = 1; i < n && !again; ++i) {
            again = !IsSettled(t[i]);
        }
        if (again && pass >= passLimit) {
            guardTripped = true;
            break;
        }
    } while (again);

    // Leave the fields as the general path leaves them for everything a caller reads.
    Term* terms = m_terms.Resize(n);
    for (int i = 0; i < n; ++i) {
        terms[i] = Term{t[i].funcCode, t[i].value, t[i].op, t[i].open, t[i].close};
    }
    m_scratch = terms[0];
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
