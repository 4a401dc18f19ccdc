// The scan: the text, character by character, into the list of terms that the evaluation
// reduces. Numbers are formed digit by digit into the current term, names mark it with a
// function or give it a variable's value, and operators open the next term.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "CrMath.h"
#include "Functions.h"
#include "Solver.h"

namespace quorbit1::engine {

namespace {

// What a character starts, for the scan loop's dispatch. Letters of either case are names: the
// name scanner compares them case-blind, and no other step looks at a letter's case. The two
// kinds of operator come last, in this order, so IsOperator is one comparison.
enum class Kind : unsigned char {
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

constexpr std::array<Kind, 256> kKinds = [] {
    std::array<Kind, 256> kinds{};
    for (int c = '0'; c <= '9'; ++c) {
        kinds[static_cast<std::size_t>(c)] = Kind::kDigit;
    }
    for (std::size_t c = 'A'; c <= 'Z'; ++c) {
        kinds[c] = Kind::kLetter;
        kinds[c - 'A' + 'a'] = Kind::kLetter;
    }
    kinds['.'] = Kind::kPoint;
    kinds['('] = Kind::kOpen;
    kinds[')'] = Kind::kClose;
    kinds[' '] = Kind::kSpace;
    kinds['-'] = Kind::kMinus;
    for (const char c : {'+', '*', '/', '^'}) {
        kinds[static_cast<unsigned char>(c)] = Kind::kOperator;
    }
    return kinds;
}();

Kind KindOf(char c) {
    return kKinds[static_cast<unsigned char>(c)];
}

bool IsDigit(char c) {
    return KindOf(c) == Kind::kDigit;
}

// One of "+-*/^"; NUL never is.
bool IsOperator(char c) {
    static_assert(
        [] {
            for (const Kind k : {Kind::kOther, Kind::kDigit, Kind::kPoint, Kind::kLetter,
                                 Kind::kOpen, Kind::kClose, Kind::kSpace}) {
                if (k >= Kind::kMinus) {
                    return false;
                }
            }
            return Kind::kOperator > Kind::kMinus;
        }(),
        "the two kinds of operator are the last");
    return KindOf(c) >= Kind::kMinus;
}

// A letter in upper case. Anything else becomes a character that is no capital letter, so
// comparing the result with a capital compares the character case-blind.
char Folded(char c) {
    return static_cast<char>(c & ~0x20);
}

// Room enough for the terms a text can make. An operator opens at most one term, a minus two
// only when a '(' follows it (the '$' marker and its group term), a name adds two placeholders
// per letter at most, and the list starts with one term and ends with Evaluate's placeholder.
// A short text takes three per character without looking; a long one is counted, so that the
// list of a text of megabytes is the size of its terms, not three times its characters.
constexpr int kCountRoomFrom = 4096;

constexpr std::array<unsigned char, 256> kRoomPerChar = [] {
    std::array<unsigned char, 256> room{};
    for (std::size_t c = 0; c < room.size(); ++c) {
        const Kind kind = kKinds[c];
        room[c] = kind == Kind::kLetter                                                    ? 2
                  : kind == Kind::kOperator || kind == Kind::kMinus || kind == Kind::kOpen ? 1
                                                                                           : 0;
    }
    return room;
}();

int TermRoom(const char* text, int len) {
    if (len < kCountRoomFrom) {
        return 3 * len + 4;
    }
    long long room = 4;
    for (int i = 0; i < len; ++i) {
        room += kRoomPerChar[static_cast<unsigned char>(text[i])];
    }
    return static_cast<int>(room);
}

// Places 0 to 19 are added; a digit further out adds nothing.
constexpr int kPlaceBound = 20;

// 10^k for k = -19 .. 19, filled by the power function itself, so the bits are the ones each
// digit would get from calling it.
const std::array<double, 2 * kPlaceBound - 1> kPowersOfTen = [] {
    std::array<double, 2 * kPlaceBound - 1> table{};
    for (int k = 1 - kPlaceBound; k < kPlaceBound; ++k) {
        table[static_cast<std::size_t>(k + kPlaceBound - 1)] =
            math::Pow(10.0, static_cast<double>(k));
    }
    return table;
}();

// Adds a digit's share, digit * 10^power, into a term's value. The product and the sum are
// rounded one at a time, in this order, which is what makes the last bits of a number come out
// as they do: numbers are never converted as a whole, so '0.3' is 3 * 10^-1 and carries that
// product's rounding.
void AccumulateDigit(double& value, int power, char digit) {
    value = kPowersOfTen[static_cast<std::size_t>(power + kPlaceBound - 1)] *
                static_cast<double>(digit - '0') +
            value;
}

// A function name at the start of four capitals: its code and its length, or kNone. Each name
// is packed into four bytes, first letter lowest, with a mask of the bytes it uses; no name
// begins another, so the order in which they are tried does not matter.
struct NameMatch {
    FuncCode code = FuncCode::kNone;
    int length = 1;  // a letter that begins no name is consumed alone
};

struct PackedName {
    std::uint32_t letters = 0;
    std::uint32_t mask = 0;
    int length = 0;
};

constexpr std::array<PackedName, kFunctionCount + 1> kPackedNames = [] {
    std::array<PackedName, kFunctionCount + 1> packed{};
    for (int code = 1; code <= kFunctionCount; ++code) {
        const char* name = FunctionName(code);
        PackedName& p = packed[static_cast<std::size_t>(code)];
        for (; name[p.length] != '\0'; ++p.length) {
            p.letters |= std::uint32_t{static_cast<unsigned char>(name[p.length])}
                         << (8 * p.length);
            p.mask |= std::uint32_t{0xff} << (8 * p.length);
        }
    }
    return packed;
}();

// For each capital, the codes of the names that begin with it, ending in 0.
constexpr std::array<std::array<int, 6>, 26> kNamesByFirstLetter = [] {
    std::array<std::array<int, 6>, 26> byFirst{};
    for (int code = 1; code <= kFunctionCount; ++code) {
        auto& list = byFirst[static_cast<std::size_t>(FunctionName(code)[0] - 'A')];
        std::size_t end = 0;
        while (list[end] != 0) {
            ++end;
        }
        list[end] = code;
    }
    return byFirst;
}();

NameMatch MatchFunctionName(char c0, char c1, char c2, char c3) {
    if (c0 < 'A' || c0 > 'Z') {
        return {};
    }
    const std::uint32_t letters = std::uint32_t{static_cast<unsigned char>(c0)} |
                                  std::uint32_t{static_cast<unsigned char>(c1)} << 8 |
                                  std::uint32_t{static_cast<unsigned char>(c2)} << 16 |
                                  std::uint32_t{static_cast<unsigned char>(c3)} << 24;
    for (const int code : kNamesByFirstLetter[static_cast<std::size_t>(c0 - 'A')]) {
        if (code == 0) {
            break;
        }
        const PackedName& name = kPackedNames[static_cast<std::size_t>(code)];
        if ((letters & name.mask) == name.letters) {
            return {static_cast<FuncCode>(code), name.length};
        }
    }
    return {};
}

}  // namespace

// The text into the buffer with its NULs behind it, and a list of one empty term. A solve
// starts from nothing an earlier one left, so no text changes the answer of the next.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::Reset() {
    const std::string& text = m_eq.m_text;
    m_len = static_cast<int>(text.size());
    std::vector<char>& buf = m_eq.m_buf;
    const std::size_t size = text.size() + kNulPadding;
    if (buf.size() < size) {
        buf.resize(size);
    }
    m_buf = buf.data();
    std::memcpy(m_buf, text.data(), text.size());
    std::memset(m_buf + m_len, 0, kNulPadding);
    m_t = m_eq.m_terms.Room(TermRoom(m_buf, m_len));
    m_t[0] = kPlaceholder;
    if constexpr (!kShortcuts) {
        // Both totals before the scan, as the rules count them; the scan with shortcuts counts
        // them as it meets them instead.
        m_opens = static_cast<int>(std::count(text.begin(), text.end(), '('));
        m_closes = static_cast<int>(std::count(text.begin(), text.end(), ')'));
    }
}

// One pass of the loop per character class met: a bracket is counted onto the current term,
// everything else goes to its scanner, which consumes at least one character.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::Scan() {
    int p = 0;
    do {
        switch (KindOf(m_buf[p])) {
            case Kind::kOpen:
                m_openCount = ++m_t[m_cur].openParens;
                m_opens += kShortcuts ? 1 : 0;
                ++p;
                break;
            case Kind::kClose:
                ++m_t[m_cur].closeParens;
                m_closes += kShortcuts ? 1 : 0;
                ++p;
                break;
            case Kind::kOther:
                // No scanner takes this character, so it is stepped over and reported. The
                // empty text's one pass reads the NUL behind it; that is no invalid character.
                if (p < m_len) {
                    m_badChar.At(p);
                }
                ++p;
                break;
            case Kind::kDigit:
            case Kind::kPoint:
                ScanNumber(p);
                break;
            case Kind::kLetter:
                ScanName(p);
                break;
            default:
                ScanOperator(p);
                break;
        }
    } while (p < m_len);

    // Evaluate's own placeholder goes right behind the last operand, in front of the names'.
    m_count = m_cur + 2 + m_placeholders;
    for (int i = m_cur + 1; i < m_count; ++i) {
        m_t[i] = kPlaceholder;
    }
}

// Opens the term of the next operand and makes it current. The terms behind the current one
// are all empty placeholders (a name's), so the new term goes in front of them as it would by
// inserting, and they are only counted until the scan ends.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::OpenTerm(char op) {
    m_cur += 1;
    m_t[m_cur] = kPlaceholder;
    m_t[m_cur].op = op;
}

// number := '.' | digit { digit }
// A point switches the digits after it to fraction places until an operator or a name clears
// it; a space or a bracket does not. In the integer part a digit's place is the number of
// digits right behind it; in the fraction, its distance from the last point, which is the
// nearest on its left whatever lies between.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::ScanNumber(int& p) {
    if (m_buf[p] == '.') {
        m_decimalSeen = true;
        m_lastPoint = p;
        Tell(ScanStep{ScanStep::Kind::kDigits, m_cur, p, p + 1});
        ++p;
        return;
    }
    const int from = p;
    double value = m_t[m_cur].value;
    if (m_decimalSeen) {
        do {
            const int place = p - m_lastPoint;
            if (place < kPlaceBound) {
                AccumulateDigit(value, -place, m_buf[p]);
            }
            ++p;
        } while (IsDigit(m_buf[p]));
    } else {
        int end = p + 1;
        while (IsDigit(m_buf[end])) {
            ++end;
        }
        for (; p < end; ++p) {
            const int place = end - p - 1;
            if (place < kPlaceBound) {
                AccumulateDigit(value, place, m_buf[p]);
            } else if (m_buf[p] != '0') {
                // The digit adds nothing, so the number used is not the one typed.
                m_errLongNumber = 1;
            }
        }
    }
    m_t[m_cur].value = value;
    Tell(ScanStep{ScanStep::Kind::kDigits, m_cur, from, p});
}

// name := 'X' | 'Y' | 'Z' | 'T'
//       | 'LN' | 'SIN' | 'COS' | 'TAN' | 'LOG' | 'ALN' | 'ASIN' | 'ACOS' | 'ATAN' | 'ALOG'
// A name is matched by its own letters alone, never by what follows it, so 'SINH' is SIN and
// then an unknown 'H'. The function goes onto the current term; the bracket and number that
// follow it are counted and added into that same term. Every call puts two empty terms behind
// the current one, whatever it recognised, and consumes the name's letters or one letter.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::ScanName(int& p) {
    m_placeholders += 2;
    Term& term = m_t[m_cur];
    const char c0 = Folded(m_buf[p]);
    const int slot = SlotOf(c0);
    if (slot >= 0) {
        term.value = m_eq.*kSlotFields[slot];
    }
    const NameMatch match =
        MatchFunctionName(c0, Folded(m_buf[p + 1]), Folded(m_buf[p + 2]), Folded(m_buf[p + 3]));
    const bool isTan = match.code == FuncCode::kTan;
    if (match.code != FuncCode::kNone) {
        term.funcCode = static_cast<int>(match.code);
        if (isTan) {
            term.value = 0.0;  // TAN undoes the value the T took from its variable slot
        }
    }
    if (slot < 0 && match.code == FuncCode::kNone) {
        m_trigExp.At(p);
    }
    Tell(ScanStep{ScanStep::Kind::kName, m_cur, p, p + match.length, static_cast<int>(match.code),
                  isTan ? -1 : slot, slot >= 0 || isTan});
    m_decimalSeen = false;
    p += match.length;
}

// Whether the text holds a ')' anywhere. With shortcuts the brackets before p have been
// counted and the rest is searched, only when a minus right after a function name asks.
template <bool kShortcuts, bool kSteps>
bool Solver<kShortcuts, kSteps>::TextHasClose(int p) const {
    return m_closes > 0 ||
           (kShortcuts && std::memchr(m_buf + p, ')', static_cast<std::size_t>(m_len - p)));
}

// operator := '+' | '*' | '/' | '^' | ' ' | minus
// minus    := '-' { ' ' | '(' }
// An operator never closes anything: the number and name scanners write straight into the
// current term, so all an operator does is open the next one. Two rules of input are checked
// here: no two spaces in a row, and no two operators with at most one space (or the end of the
// text) between them; the look-ahead never goes past two characters, so '2+  +3' is a spacing
// fault only.
template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::ScanOperator(int& p) {
    const char c = m_buf[p];
    const Kind kind = KindOf(c);
    if (c == ' ' && m_buf[p + 1] == ' ') {
        m_spaces.At(p);
    }
    if (kind == Kind::kSpace) {
        ++p;
        return;
    }
    char peek = m_buf[p + 1];
    if (peek == ' ' || peek == '\0') {
        peek = m_buf[p + 2];
    }
    if (IsOperator(peek)) {
        m_seqOps.At(p);
    }
    m_decimalSeen = false;
    if (kind == Kind::kOperator) {
        OpenTerm(c);
        ++p;
        return;
    }

    // A minus is a change of sign of the bracket that follows it (a '$' marker and a group term
    // that takes the bracket), the sign of a function's argument (right after a function name,
    // in a text without any ')'), or a subtraction. The run absorbs the spaces and brackets
    // behind it: its spaces are not subject to the spacing rule, and its brackets are counted
    // here, not by the scan loop.
    const bool ofArgument = m_t[m_cur].funcCode > 0 && !TextHasClose(p);
    const int minusAt = p;
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
            m_openCount = ++m_t[m_cur].openParens;
            m_opens += kShortcuts ? 1 : 0;
        }
    } while (next == ' ' || next == '(');
    if (minusPending) {
        if (ofArgument) {
            m_t[m_cur].op = '-';
            Tell(ScanStep{ScanStep::Kind::kArgumentMinus, m_cur, minusAt, minusAt + 1});
        } else {
            OpenTerm('-');
        }
    }
}

template void Solver<true, true>::Reset();
template void Solver<true, false>::Reset();
template void Solver<false, true>::Reset();
template void Solver<false, false>::Reset();
template void Solver<true, true>::Scan();
template void Solver<true, false>::Scan();
template void Solver<false, true>::Scan();
template void Solver<false, false>::Scan();

}  // namespace quorbit1::engine
