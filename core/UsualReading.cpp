#include "UsualReading.h"

#include "Functions.h"
#include "NumberText.h"
#include "TextTemplate.h"
#include "Utf8.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace quorbit1 {

namespace {

// expr    := term { ('+' | '-') term }
// term    := signed { ('*' | '/') signed }
// signed  := ('-' | '+') signed | power
// power   := primary [ '^' signed ]
// primary := number | variable | name '(' expr ')' | '(' expr ')'
class Parser {
public:
    Parser(std::string_view text, int angleMode, const SlotValues& slots)
        : m_text(text), m_angleMode(angleMode), m_slots(slots) {}

    UsualResult Run() {
        UsualResult r;
        r.value = Expr();
        Skip();
        if (m_refusal == UsualRefusal::kNone && m_pos < m_text.size()) {
            Unexpected();
        }
        r.ok = m_refusal == UsualRefusal::kNone;
        if (!r.ok) {
            r.refusal = m_refusal;
            r.subject = m_subject;
            r.position = m_failPos + 1;
            r.error = UsualRefusalText(r.refusal, r.subject, r.position);
        }
        return r;
    }

private:
    // The character at the reading's place, whole rather than its first byte; a byte outside
    // UTF-8 alone.
    double Unexpected() {
        const std::size_t n = Utf8SequenceLength(m_text, m_pos);
        return Fail(UsualRefusal::kUnexpected, std::string(m_text.substr(m_pos, n == 0 ? 1 : n)));
    }
    void Skip() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ') {
            ++m_pos;
        }
    }
    bool Eat(char c) {
        Skip();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    double Fail(UsualRefusal refusal, std::string subject = {}) {
        if (m_refusal == UsualRefusal::kNone) {
            m_refusal = refusal;
            m_subject = std::move(subject);
            m_failPos = m_pos;
        }
        m_pos = m_text.size();
        return 0.0;
    }

    double Expr() {
        double v = Term();
        while (m_refusal == UsualRefusal::kNone) {
            if (Eat('+')) {
                v += Term();
            } else if (Eat('-')) {
                v -= Term();
            } else {
                break;
            }
        }
        return v;
    }
    double Term() {
        double v = Signed();
        while (m_refusal == UsualRefusal::kNone) {
            if (Eat('*')) {
                v *= Signed();
            } else if (Eat('/')) {
                v /= Signed();
            } else {
                break;
            }
        }
        return v;
    }
    double Signed() {
        const Nesting nesting(this);
        if (m_depth > kMaxDepth) {
            return Fail(UsualRefusal::kTooDeep);
        }
        if (Eat('-')) {
            return -Signed();
        }
        if (Eat('+')) {
            return Signed();
        }
        return Power();
    }
    double Power() {
        const double base = Primary();
        if (Eat('^')) {
            return quorbit1::Power(base, Signed());
        }
        return base;
    }
    double Primary() {
        Skip();
        if (m_pos >= m_text.size()) {
            return Fail(UsualRefusal::kNoOperand);
        }
        const char c = m_text[m_pos];
        if (Eat('(')) {
            const double v = Expr();
            if (!Eat(')')) {
                return Fail(UsualRefusal::kCloseExpected);
            }
            return v;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.') {
            return Number();
        }
        if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
            return Name();
        }
        return Unexpected();
    }
    double Number() {
        const std::size_t start = m_pos;
        bool digits = false;
        while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            ++m_pos;
            digits = true;
        }
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            while (m_pos < m_text.size() &&
                   std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
                ++m_pos;
                digits = true;
            }
        }
        if (!digits) {
            return Fail(UsualRefusal::kNoDigits);
        }
        if (const std::optional<double> exact =
                ReadShortNumeral(m_text.substr(start, m_pos - start))) {
            return *exact;
        }
        // from_chars reads the numeral as strtod would, without copying it; a numeral out of a
        // double's range is left to strtod, which gives infinity or the nearest small value.
        // (The C++ library of Debian's WebAssembly toolchain has no from_chars for doubles.)
#if defined(__cpp_lib_to_chars)
        double value = 0.0;
        const char* first = m_text.data() + start;
        if (std::from_chars(first, m_text.data() + m_pos, value).ec == std::errc()) {
            return value;
        }
#endif
        const std::string numeral(m_text.substr(start, m_pos - start));
        return std::strtod(numeral.c_str(), nullptr);
    }
    double Name() {
        const std::size_t start = m_pos;
        std::string name;
        while (m_pos < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[m_pos]))) {
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(m_text[m_pos])));
            ++m_pos;
        }
        if (const int slot = name.size() == 1 ? SlotOf(name[0]) : -1; slot >= 0) {
            return m_slots[static_cast<std::size_t>(slot)];
        }
        // The names' lengths are known when this is compiled, so each comparison is a length
        // check and, rarely, a few bytes.
        static constexpr auto kNames = [] {
            std::array<std::string_view, kFunctionCount + 1> names{};
            for (int c = 1; c <= kFunctionCount; ++c) {
                names[static_cast<std::size_t>(c)] = FunctionName(c);
            }
            return names;
        }();
        auto code = FuncCode::kNone;
        for (int c = 1; c <= kFunctionCount; ++c) {
            if (std::string_view(name) == kNames[static_cast<std::size_t>(c)]) {
                code = static_cast<FuncCode>(c);
            }
        }
        if (code == FuncCode::kNone) {
            m_pos = start;
            return Fail(UsualRefusal::kUnknownName, name);
        }
        if (!Eat('(')) {
            return Fail(UsualRefusal::kOpenExpected, name);
        }
        double x = Expr();
        if (!Eat(')')) {
            return Fail(UsualRefusal::kCloseExpected);
        }
        const bool degrees = m_angleMode == AngleMode(AngleUnit::kDegrees);
        if (degrees && TakesAngle(code)) {
            x *= kDegreeFactor;
        }
        double r = Apply(code, x);
        if (degrees && GivesAngle(code)) {
            r *= kRadianFactor;
        }
        return r;
    }

    // Each bracket, function and sign goes one level deeper into the recursion; past this depth
    // the text is refused rather than the stack exhausted.
    static constexpr int kMaxDepth = 500;
    struct Nesting {
        explicit Nesting(Parser* p) : parser(p) { ++parser->m_depth; }
        ~Nesting() { --parser->m_depth; }
        Parser* parser;
    };

    std::string_view m_text;
    int m_angleMode;
    int m_depth = 0;
    SlotValues m_slots;
    std::size_t m_pos = 0;
    UsualRefusal m_refusal = UsualRefusal::kNone;
    std::string m_subject;
    std::size_t m_failPos = 0;
};

}  // namespace

std::string UsualRefusalText(UsualRefusal refusal, const std::string& subject,
                             std::size_t position) {
    if (refusal == UsualRefusal::kNone) {
        return {};
    }
    std::string why = FillTemplate(UsualRefusalWords(refusal), {subject});
    if (position == 0) {
        return why;  // a blank text has no place to point at
    }
    return FillTemplate(kUsualRefusalAt, {why, std::to_string(position)});
}

UsualResult EvaluateUsual(std::string_view text, int angleMode, const SlotValues& slots) {
    bool blank = true;
    for (const char c : text) {
        blank = blank && c == ' ';
    }
    if (blank) {
        UsualResult r;
        r.refusal = UsualRefusal::kEmpty;
        r.error = UsualRefusalText(r.refusal, {}, 0);
        return r;
    }
    return Parser(text, angleMode, slots).Run();
}

}  // namespace quorbit1
