#include "CliApp.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "History.h"
#include "OkCommand.h"
#include "UsualReading.h"
#include "Utf8.h"
#include "Working.h"

namespace quorbit1 {

namespace {

enum class Output { kPlain, kTrace, kJson };

// A JSON string: quotes, backslashes and control characters escaped, and each byte that is not
// part of a UTF-8 sequence shown as U+FFFD, so any input gives valid output.
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

std::string UsualLine(const UsualResult& usual) {
    return usual.ok ? "usual reading (with precedence): " + AnswerText(usual.value)
                    : "usual reading (with precedence): not an expression (" + usual.error + ")";
}

class Session {
public:
    Session(std::ostream& out, int angleMode, Output output)
        : m_out(out), m_angleMode(angleMode), m_output(output) {}

    CEquation& Equation() { return m_ok.Equation(); }

    // Runs one command and prints its outcome; returns whether the text was evaluated.
    bool Run(const std::string& text) {
        if (m_output == Output::kTrace) {
            m_ok.Equation().SetObserver(&m_recorder);
        }
        const OkOutcome outcome = m_ok.Run(text, m_angleMode);
        m_ok.Equation().SetObserver(nullptr);
        return Print(text, outcome);
    }

    // A line of input too long to be held in memory: refused, as a text whose terms do not
    // fit, and the lines after it are run as usual.
    void RunUnheld() { Print({}, m_ok.Unheld()); }

    bool AnyMessage() const { return m_anyMessage; }

private:
    bool Print(const std::string& text, const OkOutcome& outcome) {
        m_anyMessage = m_anyMessage || !outcome.message.empty();
        if (m_output == Output::kPlain) {
            m_out << AnswerText(outcome.answer);
            if (!outcome.message.empty()) {
                m_out << '\t' << outcome.message;
            }
            m_out << '\n';
            return outcome.solved;
        }

        const CEquation& eq = m_ok.Equation();
        const UsualResult usual =
            EvaluateUsual(text, m_angleMode, {eq.m_varX, eq.m_varY, eq.m_varZ, eq.m_varT});
        if (m_output == Output::kJson) {
            PrintJson(text, outcome, usual);
            return outcome.solved;
        }
        m_out << AnswerText(outcome.answer);
        if (!outcome.message.empty()) {
            m_out << '\t' << outcome.message;
        }
        m_out << '\n';
        if (outcome.solved) {
            m_out << FormatWorking(m_recorder.Stages(), m_recorder.PassCount());
        } else {
            m_out << "  not evaluated\n";
        }
        m_out << "  " << UsualLine(usual) << '\n';
        return outcome.solved;
    }

    // One object per line, written directly: its shape is fixed, and a general JSON library
    // spends three times the whole command on serialising it.
    void PrintJson(const std::string& text, const OkOutcome& outcome, const UsualResult& usual) {
        using namespace std::string_view_literals;
        std::string& j = m_line;
        j = "{\"expression\":"sv;
        AppendJsonString(j, text);
        j += m_angleMode == kRadians ? ",\"angleUnit\":\"radians\",\"answer\":\""sv
                                     : ",\"angleUnit\":\"degrees\",\"answer\":\""sv;
        FormatNumber(outcome.answer);
        j += m_answer;
        // The 17 digits serve as the JSON number too, where JSON can write the value at all.
        j += "\",\"value\":"sv;
        j += std::isfinite(outcome.answer) ? std::string_view(m_exact) : "null"sv;
        j += ",\"valueExact\":\""sv;
        j += m_exact;
        j += "\",\"message\":"sv;
        AppendJsonString(j, outcome.message);
        j += outcome.solved ? ",\"evaluated\":true,\"flags\":["sv
                            : ",\"evaluated\":false,\"flags\":["sv;
        std::string_view comma;
        for (std::size_t i = 0; i < std::size(kReportedFlags); ++i) {
            if ((outcome.raised & (1u << i)) != 0) {
                j += comma;
                j += '"';
                j += kReportedFlags[i].name;
                j += '"';
                comma = ","sv;
            }
        }
        j += "],\"usualReading\":{"sv;
        if (usual.ok) {
            // Mostly both readings agree, and the texts are already made.
            if (std::bit_cast<std::uint64_t>(usual.value) !=
                std::bit_cast<std::uint64_t>(outcome.answer)) {
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
        m_out.write(j.data(), static_cast<std::streamsize>(j.size()));
    }

    // The answer's text (15 digits) into m_answer and its exact text (17) into m_exact.
    void FormatNumber(double value) {
        m_answer.clear();
        AppendNumberText(m_answer, value, 15);
        m_exact.clear();
        AppendNumberText(m_exact, value, 17);
    }

    std::ostream& m_out;
    int m_angleMode;
    Output m_output;
    OkCommand m_ok;
    WorkingRecorder m_recorder;
    std::string m_line;
    std::string m_answer;
    std::string m_exact;
    bool m_anyMessage = false;
};

// "X=2.5" (also Y, Z, T, in either case) into the slot and its value; false if it is not that.
bool ParseSetting(const std::string& setting, char* slot, double* value) {
    const std::size_t eq = setting.find('=');
    if (eq != 1) {
        return false;
    }
    const char name = static_cast<char>(std::toupper(static_cast<unsigned char>(setting[0])));
    if (name != 'X' && name != 'Y' && name != 'Z' && name != 'T') {
        return false;
    }
    const std::string number = setting.substr(2);
    if (number.empty() || number.find_first_of(" \t") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    const double v = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size() || !std::isfinite(v)) {
        return false;
    }
    *slot = name;
    *value = v;
    return true;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, const CliTerminal& terminal) {
    const CommandLine command = ParseCommandLine(argc, argv);
    switch (command.action) {
        case CommandLine::Action::kHelp:
        case CommandLine::Action::kVersion:
            out << command.text;
            return 0;
        case CommandLine::Action::kUsageError:
            err << command.text;
            return 2;
        case CommandLine::Action::kRun:
            break;
    }
    const CliOptions& options = command.options;
    const std::vector<std::string>& expressions = options.expressions;

    Session session(out, options.radians ? kRadians : kDegrees,
                    options.json    ? Output::kJson
                    : options.trace ? Output::kTrace
                                    : Output::kPlain);
    for (const std::string& setting : options.settings) {
        char slot = 0;
        double value = 0.0;
        if (!ParseSetting(setting, &slot, &value)) {
            err << "quorbit1-cli: --set takes X, Y, Z or T, '=' and a number, as in --set X=2.5; "
                   "not '"
                << setting << "'\n"
                << UsageLine();
            return 2;
        }
        CEquation& eq = session.Equation();
        (slot == 'X'   ? eq.m_varX
         : slot == 'Y' ? eq.m_varY
         : slot == 'Z' ? eq.m_varZ
                       : eq.m_varT) = value;
    }
    if (!expressions.empty()) {
        for (const std::string& e : expressions) {
            session.Run(e);
        }
        return session.AnyMessage() ? 1 : 0;
    }

    if (terminal.makeReader) {
        const std::unique_ptr<LineReader> reader = terminal.makeReader(
            options.noHistory ? std::string() : HistoryStore::DefaultPath(), err);
        for (std::string line; reader->ReadLine(line);) {
            if (session.Run(line)) {
                reader->Remember(line);
            }
            out.flush();
        }
        out << '\n';  // the shell's prompt starts on a line of its own after Ctrl-D
        return session.AnyMessage() ? 1 : 0;
    }
    // A batch: the output is written in large blocks, unless each answer is awaited.
    const bool flushEachLine = options.lineBuffered || terminal.outputIsTerminal;
    if (!flushEachLine) {
        in.tie(nullptr);  // else every read would write out the answers so far
    }
    std::string line;
    while (true) {
        if (!std::getline(in, line)) {
            // The library's getline reports a line it could not hold by the bad bit, as it
            // reports a failing read; either way the rest of that line is skipped, if it can
            // be, and the next line read.
            if (!in.bad()) {
                break;
            }
            line = std::string();
            in.clear();
            session.RunUnheld();
            if (!in.ignore(std::numeric_limits<std::streamsize>::max(), '\n')) {
                break;
            }
            continue;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        session.Run(line);
        if (flushEachLine) {
            out.flush();
        }
    }
    return session.AnyMessage() ? 1 : 0;
}

}  // namespace quorbit1
