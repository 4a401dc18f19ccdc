#include "JsonLine.h"

#include <cmath>
#include <cstdint>

#include "BitCast.h"
#include "NumberText.h"
#include "Utf8.h"

namespace quorbit1 {

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t plain = i;
        while (plain < s.size() && static_cast<unsigned char>(s[plain]) >= 0x20 &&
               static_cast<unsigned char>(s[plain]) < 0x80 && s[plain] != '"' && s[plain] != '\\') {
            ++plain;
        }
        if (plain != i) {
            out.append(s.data() + i, plain - i);
            i = plain;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            const char* named = c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : nullptr;
            if (named != nullptr) {
                out += named;
            } else {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            }
            ++i;
        } else if (const std::size_t n = Utf8SequenceLength(s, i); n != 0) {
            out.append(s.data() + i, n);
            i += n;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    out += '"';
}

// One object per line, written directly: its shape is fixed, and a general JSON library spends
// three times the whole command on serialising it.
std::string_view OkJsonWriter::Line(std::string_view text, int angleMode, const OkOutcome& outcome,
                                    const UsualResult& usual) {
    using namespace std::string_view_literals;
    std::string& j = m_line;
    j = "{\"expression\":"sv;
    AppendJsonString(j, text);
    j += ",\"angleUnit\":\""sv;
    j += AngleUnitKey(angleMode == AngleMode(AngleUnit::kRadians) ? AngleUnit::kRadians
                                                                  : AngleUnit::kDegrees);
    j += "\",\"answer\":\""sv;
    FormatNumber(outcome.answer);
    j += m_answer;
    // The 17 digits serve as the JSON number too, where JSON can write the value at all.
    j += "\",\"value\":"sv;
    j += std::isfinite(outcome.answer) ? std::string_view(m_exact) : "null"sv;
    j += ",\"valueExact\":\""sv;
    j += m_exact;
    j += "\",\"message\":"sv;
    AppendJsonString(j, outcome.message);
    j +=
        outcome.solved ? ",\"evaluated\":true,\"flags\":["sv : ",\"evaluated\":false,\"flags\":["sv;
    std::string_view comma;
    for (std::size_t i = kFirstReported; i < kFlagCount; ++i) {
        if ((outcome.raised & (1u << i)) != 0) {
            j += comma;
            j += '"';
            j += kFlags[i].key;
            j += '"';
            comma = ","sv;
        }
    }
    j += "],\"usualReading\":{"sv;
    if (usual.ok) {
        // Mostly both readings agree, and the texts are already made.
        if (quorbit1::BitCast<std::uint64_t>(usual.value) !=
            quorbit1::BitCast<std::uint64_t>(outcome.answer)) {
            FormatNumber(usual.value);
        }
        j += "\"value\":"sv;
        j += std::isfinite(usual.value) ? std::string_view(m_exact) : "null"sv;
        j += ",\"answer\":\""sv;
        j += m_answer;
        j += '"';
    } else {
        j += "\"error\":"sv;
        AppendJsonString(j, usual.error);
    }
    j += "}}\n"sv;
    return j;
}

// The answer's text (15 digits) into m_answer and its exact text (17) into m_exact.
void OkJsonWriter::FormatNumber(double value) {
    m_answer.clear();
    AppendNumberText(m_answer, value, 15);
    m_exact.clear();
    AppendNumberText(m_exact, value, 17);
}

}  // namespace quorbit1
