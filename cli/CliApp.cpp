#include "CliApp.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "OkCommand.h"
#include "UsualReading.h"
#include "Working.h"

namespace quorbit1 {

namespace {

constexpr const char* kVersion = "quorbit1-cli 1.0";
constexpr const char* kUsage =
    "Usage: quorbit1-cli [--radians|--degrees] [--set X=VALUE]... [--trace|--json] [EXPR...]";

// Expressions often start with a minus ('-5', '-(cos(45))'), which an option parser would take
// for an option. Whatever it does not know is therefore kept, in order, as an expression,
// except a word that looks like a long option: that is a mistyped option, not arithmetic.
bool LooksLikeLongOption(const std::string& arg) {
    return arg.size() > 2 && arg[0] == '-' && arg[1] == '-' &&
           ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'));
}

enum class Output { kPlain, kTrace, kJson };

std::string ExactText(double v) {
    if (std::isnan(v) || std::isinf(v)) {
        return AnswerText(v);
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
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

    void Run(const std::string& text) {
        WorkingRecorder recorder;
        if (m_output == Output::kTrace) {
            m_ok.Equation().SetObserver(&recorder);
        }
        const OkOutcome outcome = m_ok.Run(text, m_angleMode);
        m_ok.Equation().SetObserver(nullptr);
        m_anyMessage = m_anyMessage || !outcome.message.empty();

        const CEquation& eq = m_ok.Equation();
        const UsualResult usual =
            EvaluateUsual(text, m_angleMode, {eq.m_varX, eq.m_varY, eq.m_varZ, eq.m_varT});
        if (m_output == Output::kJson) {
            PrintJson(text, outcome, usual);
            return;
        }
        m_out << AnswerText(outcome.answer);
        if (!outcome.message.empty()) {
            m_out << '\t' << outcome.message;
        }
        m_out << '\n';
        if (m_output == Output::kTrace) {
            if (outcome.solved) {
                m_out << FormatWorking(recorder.Stages(), recorder.PassCount());
            } else {
                m_out << "  not evaluated\n";
            }
            m_out << "  " << UsualLine(usual) << '\n';
        }
    }

    bool AnyMessage() const { return m_anyMessage; }

private:
    void PrintJson(const std::string& text, const OkOutcome& outcome, const UsualResult& usual) {
        using json = nlohmann::ordered_json;
        json flags = json::array();
        for (std::size_t i = 0; i < std::size(kReportedFlags); ++i) {
            if ((outcome.raised & (1u << i)) != 0) {
                flags.push_back(kReportedFlags[i].name);
            }
        }
        const auto number = [](double v) { return std::isfinite(v) ? json(v) : json(nullptr); };
        json usualJson =
            usual.ok ? json{{"value", number(usual.value)}, {"answer", AnswerText(usual.value)}}
                     : json{{"error", usual.error}};
        const json line = {
            {"expression", text},
            {"angleUnit", m_angleMode == kRadians ? "radians" : "degrees"},
            {"answer", AnswerText(outcome.answer)},
            {"value", number(outcome.answer)},
            {"valueExact", ExactText(outcome.answer)},
            {"message", outcome.message},
            {"evaluated", outcome.solved},
            {"flags", flags},
            {"usualReading", usualJson},
        };
        // Bytes that are not UTF-8 are shown as replacement characters rather than refused.
        m_out << line.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
    }

    std::ostream& m_out;
    int m_angleMode;
    Output m_output;
    OkCommand m_ok;
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
           std::ostream& err, bool interactive) {
    CLI::App app{
        "Quorbit1 calculator on the command line. Evaluates each EXPR, or each line of the "
        "input when none is given, with the calculator's own rules: no operator precedence, "
        "right-to-left reduction inside each bracket level.",
        "quorbit1-cli"};
    app.allow_extras();
    bool radians = false;
    bool degrees = false;
    auto* radOpt = app.add_flag("-r,--radians", radians, "Angles are in radians");
    auto* degOpt = app.add_flag("-d,--degrees", degrees, "Angles are in degrees (the default)");
    radOpt->excludes(degOpt);
    bool trace = false;
    bool json = false;
    std::vector<std::string> settings;
    auto* traceOpt = app.add_flag("--trace", trace,
                                  "Show the working: the terms after the scan and after each pass, "
                                  "and what the usual reading with precedence gives");
    auto* jsonOpt = app.add_flag("--json", json, "One JSON object per command, for scripts");
    traceOpt->excludes(jsonOpt);
    app.add_option("--set", settings,
                   "Set a variable for the run, e.g. --set X=2 (X, Y, Z or T; "
                   "repeatable)")
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.set_version_flag("--version", kVersion);
    app.footer(
        "Each command prints the answer, then a tab and the message when there is one.\n"
        "Exit status: 0 no messages, 1 some command gave a message, 2 usage error.\n");

    // Everything after a lone "--" is an expression, whatever it looks like.
    int optionEnd = argc;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            optionEnd = i;
            break;
        }
    }
    std::vector<std::string> args;
    for (int i = optionEnd - 1; i > 0; --i) {
        args.emplace_back(argv[i]);
    }
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        out << kUsage << "\n\n" << app.help();
        return 0;
    } catch (const CLI::CallForVersion&) {
        out << kVersion << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "quorbit1-cli: " << e.what() << '\n' << kUsage << '\n';
        return 2;
    }

    std::vector<std::string> expressions = app.remaining();
    for (const std::string& e : expressions) {
        if (LooksLikeLongOption(e)) {
            err << "quorbit1-cli: unknown option " << e << '\n' << kUsage << '\n';
            return 2;
        }
    }
    for (int i = optionEnd + 1; i < argc; ++i) {
        expressions.emplace_back(argv[i]);
    }

    Session session(out, radians ? kRadians : kDegrees,
                    json ? Output::kJson : (trace ? Output::kTrace : Output::kPlain));
    for (const std::string& setting : settings) {
        char slot = 0;
        double value = 0.0;
        if (!ParseSetting(setting, &slot, &value)) {
            err << "quorbit1-cli: --set takes X, Y, Z or T, '=' and a number, as in --set X=2.5; "
                   "not '"
                << setting << "'\n"
                << kUsage << '\n';
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
    } else {
        std::string line;
        while (true) {
            if (interactive) {
                err << "quorbit1> " << std::flush;
            }
            if (!std::getline(in, line)) {
                break;
            }
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            session.Run(line);
            out.flush();
        }
        if (interactive) {
            err << '\n';
        }
    }
    return session.AnyMessage() ? 1 : 0;
}

}  // namespace quorbit1
