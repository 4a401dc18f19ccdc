#include "CliApp.h"

#include <CLI/CLI.hpp>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "OkCommand.h"

namespace quorbit1 {

namespace {

constexpr const char* kVersion = "quorbit1-cli 1.0";
constexpr const char* kUsage = "Usage: quorbit1-cli [--radians|--degrees] [EXPR...]";

// Expressions often start with a minus ('-5', '-(cos(45))'), which an option parser would take
// for an option. Whatever it does not know is therefore kept, in order, as an expression,
// except a word that looks like a long option: that is a mistyped option, not arithmetic.
bool LooksLikeLongOption(const std::string& arg) {
    return arg.size() > 2 && arg[0] == '-' && arg[1] == '-' &&
           ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'));
}

class Session {
public:
    Session(std::ostream& out, int angleMode) : m_out(out), m_angleMode(angleMode) {}

    void Run(const std::string& text) {
        const OkOutcome outcome = m_ok.Run(text, m_angleMode);
        m_out << AnswerText(outcome.answer);
        if (!outcome.message.empty()) {
            m_out << '\t' << outcome.message;
            m_anyMessage = true;
        }
        m_out << '\n';
    }

    bool AnyMessage() const { return m_anyMessage; }

private:
    std::ostream& m_out;
    int m_angleMode;
    OkCommand m_ok;
    bool m_anyMessage = false;
};

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

    Session session(out, radians ? kRadians : kDegrees);
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
