#include "JsonLine.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "NumberText.h"
#include "Utf8.h"

namespace quorbit1 {

namespace {

// Writes into storage already sized for the longest line the inputs can make, so no piece
// checks for room, and a text known when compiling is a copy of fixed length.
class Cursor {
public:
    explicit Cursor(char* at) : m_at(at) {}
    template <std::size_t N>
    void Put(const char (&literal)[N]) {
        std::memcpy(m_at, literal, N - 1);
        m_at += N - 1;
    }
    void Put(std::string_view s) {
        std::memcpy(m_at, s.data(), s.size());
        m_at += s.size();
    }
    void Put(char c) { *m_at++ = c; }
    char* At() const { return m_at; }

private:
    char* m_at;
};

// At most six bytes for each byte of s ("\u001f"), and the quotes.
constexpr std::size_t JsonStringBound(std::string_view s) {
    return 6 * s.size() + 2;
}

void PutJsonString(Cursor& out, std::string_view s) {
    out.Put('"');
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t plain = i;
        while (plain < s.size() && static_cast<unsigned char>(s[plain]) >= 0x20 &&
               static_cast<unsigned char>(s[plain]) < 0x80 && s[plain] != '"' && s[plain] != '\\') {
            ++plain;
        }
        if (plain != i) {
            out.Put(s.substr(i, plain - i));
            i = plain;
        } else if (c == '"' || c == '\\') {
            out.Put('\\');
            out.Put(static_cast<char>(c));
            ++i;
        } else if (c < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            if (c == '\n') {
                out.Put("\\n");
            } else if (c == '\t') {
                out.Put("\\t");
            } else if (c == '\r') {
                out.Put("\\r");
            } else {
                out.Put("\\u00");
                out.Put(kHex[c >> 4]);
                out.Put(kHex[c & 15]);
            }
            ++i;
        } else if (const std::size_t n = Utf8SequenceLength(s, i); n != 0) {
            out.Put(s.substr(i, n));
            i += n;
        } else {
            out.Put("\xEF\xBF\xBD");
            ++i;
        }
    }
    out.Put('"');
}

// Every flag's key with its quotes and comma.
constexpr std::size_t kFlagKeysBound = [] {
    std::size_t n = 0;
    for (const FlagInfo& flag : kFlags) {
        n += std::string_view(flag.key).size() + 3;
    }
    return n;
}();

// A reading's note: the longest rule key with its quotes and comma.
constexpr std::size_t kRuleKeyBound = [] {
    std::size_t n = 0;
    for (const ReadingRuleInfo& rule : kReadingRules) {
        n = std::max(n, std::string_view(rule.key).size() + 3);
    }
    return n;
}();

// The object's own text, numbers aside: its keys, punctuation and "degrees"/"radians".
constexpr std::size_t kFixedBound = 320;

}  // namespace

void AppendJsonString(std::string& out, std::string_view s) {
    const std::size_t start = out.size();
    out.resize(start + JsonStringBound(s));
    Cursor cursor(out.data() + start);
    PutJsonString(cursor, s);
    out.resize(static_cast<std::size_t>(cursor.At() - out.data()));
}

// One object per line, written directly: its shape is fixed, and a general JSON library spends
// three times the whole command on serialising it.
std::string_view OkJsonWriter::Line(std::string_view text, int angleMode, const OkOutcome& outcome,
                                    const UsualResult& usual, const Reading* reading) {
    FormatNumber(outcome.answer);
    std::string_view usualAnswer = m_answer;
    std::string_view usualExact = m_exact;
    // Mostly both readings agree, and the texts are already made.
    if (usual.ok && !SameBits(usual.value, outcome.answer)) {
        m_usualAnswer.clear();
        AppendNumberText(m_usualAnswer, usual.value, 15);
        m_usualExact.clear();
        AppendNumberText(m_usualExact, usual.value, 17);
        usualAnswer = m_usualAnswer;
        usualExact = m_usualExact;
    }
    const std::size_t bound =
        kFixedBound + kFlagKeysBound + JsonStringBound(text) + JsonStringBound(outcome.message) +
        JsonStringBound(usual.error) + m_answer.size() + 2 * m_exact.size() + usualAnswer.size() +
        usualExact.size() +
        (reading == nullptr
             ? 0
             : JsonStringBound(reading->text) + reading->notes.size() * kRuleKeyBound);
    if (m_line.size() < bound) {
        m_line.resize(bound);
    }
    Cursor j(m_line.data());
    j.Put("{\"expression\":");
    PutJsonString(j, text);
    j.Put(",\"angleUnit\":\"");
    j.Put(AngleUnitKey(angleMode == AngleMode(AngleUnit::kRadians) ? AngleUnit::kRadians
                                                                   : AngleUnit::kDegrees));
    j.Put("\",\"answer\":\"");
    j.Put(m_answer);
    // The 17 digits serve as the JSON number too, where JSON can write the value at all.
    j.Put("\",\"value\":");
    j.Put(std::isfinite(outcome.answer) ? std::string_view(m_exact) : "null");
    j.Put(",\"valueExact\":\"");
    j.Put(m_exact);
    j.Put("\",\"message\":");
    PutJsonString(j, outcome.message);
    if (outcome.solved) {
        j.Put(",\"evaluated\":true,\"flags\":[");
    } else {
        j.Put(",\"evaluated\":false,\"flags\":[");
    }
    bool first = true;
    for (std::size_t i = kFirstReported; i < kFlagCount; ++i) {
        if ((outcome.raised & (1u << i)) != 0) {
            if (!first) {
                j.Put(',');
            }
            j.Put('"');
            j.Put(std::string_view(kFlags[i].key));
            j.Put('"');
            first = false;
        }
    }
    j.Put("],\"usualReading\":{");
    if (usual.ok) {
        j.Put("\"value\":");
        j.Put(std::isfinite(usual.value) ? usualExact : "null");
        j.Put(",\"answer\":\"");
        j.Put(usualAnswer);
        j.Put('"');
    } else {
        j.Put("\"error\":");
        PutJsonString(j, usual.error);
    }
    j.Put('}');
    if (reading != nullptr) {
        j.Put(",\"readAs\":");
        PutJsonString(j, reading->text);
        j.Put(",\"readAsNotes\":[");
        for (std::size_t i = 0; i < reading->notes.size(); ++i) {
            j.Put(i == 0 ? "\"" : ",\"");
            j.Put(std::string_view(RuleInfo(reading->notes[i].rule).key));
            j.Put('"');
        }
        j.Put(']');
    }
    j.Put("}\n");
    const auto size = static_cast<std::size_t>(j.At() - m_line.data());
    j.Put('\0');
    assert(j.At() <= m_line.data() + bound);
    return {m_line.data(), size};
}

// The answer's text (15 digits) into m_answer and its exact text (17) into m_exact.
void OkJsonWriter::FormatNumber(double value) {
    m_answer.clear();
    AppendNumberText(m_answer, value, 15);
    m_exact.clear();
    AppendNumberText(m_exact, value, 17);
}

}  // namespace quorbit1
