#include "CliOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <optional>

#include "Calculator.h"
#include "InputRules.h"
#include "TextTemplate.h"
#include "Version.h"

namespace quorbit1 {

namespace {

constexpr const char* kProgram = "quorbit1-cli";

// The help: the usage line first, listing every option, then what the program does, then the
// options with their descriptions in one column (CLI11 would put "Excludes:" notes in front
// of them, which pushes the descriptions apart).
class Formatter final : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* app, std::string name) const override {
        std::string usage = "Usage: " + name;
        for (const CLI::Option* opt : app->get_options()) {
            if (opt->get_positional()) {
                continue;
            }
            usage += " [" + NameList(opt);
            if (!opt->get_type_name().empty()) {
                usage += ' ' + opt->get_type_name();
            }
            usage += opt->get_expected_max() > 1 || opt->get_items_expected_max() > 1 ||
                             opt->get_multi_option_policy() == CLI::MultiOptionPolicy::TakeAll
                         ? "]..."
                         : "]";
        }
        for (const CLI::Option* opt : app->get_options()) {
            if (opt->get_positional()) {
                usage += " [" + opt->get_name() + "...]";
            }
        }
        return usage + '\n';
    }

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        return make_usage(app, name) + '\n' + make_description(app) + make_positionals(app) +
               make_groups(app, mode) + '\n' + make_footer(app);
    }

    std::string make_option_opts(const CLI::Option* opt) const override {
        return opt->get_type_name().empty() ? std::string() : ' ' + opt->get_type_name();
    }

private:
    static std::string NameList(const CLI::Option* opt) {
        std::string names;
        for (const std::string& s : opt->get_snames()) {
            names += (names.empty() ? "-" : "|-") + s;
        }
        for (const std::string& l : opt->get_lnames()) {
            names += (names.empty() ? "--" : "|--") + l;
        }
        return names;
    }
};

struct App {
    CLI::App app{
        "Quorbit1 calculator on the command line. Evaluates each EXPR, or each line of "
        "the input when none is given, with the calculator's own rules: no operator "
        "precedence, right-to-left reduction inside each bracket level.",
        kProgram};
    CliOptions options;
    std::vector<std::string> settings;
    bool degrees = false;
    std::vector<std::string> positionals;
    std::shared_ptr<Formatter> formatter = std::make_shared<Formatter>();

    App() {
        formatter->column_width(24);
        app.formatter(formatter);
        auto* radOpt = app.add_flag("-r,--radians", options.radians, "Angles are in radians");
        auto* degOpt = app.add_flag("-d,--degrees", degrees, "Angles are in degrees (the default)");
        radOpt->excludes(degOpt);
        auto* traceOpt =
            app.add_flag("--trace", options.trace,
                         "Show the working: what was computed, the terms after the scan and after "
                         "each pass, and what the usual reading with precedence gives");
        auto* jsonOpt =
            app.add_flag("--json", options.json, "One JSON object per command, for scripts");
        auto* explainOpt =
            app.add_flag("--explain", options.explain,
                         "Print each answer, a tab, and what was computed, bracketed as the usual "
                         "precedence reads it");
        traceOpt->excludes(jsonOpt);
        explainOpt->excludes(traceOpt)->excludes(jsonOpt);
        app.add_option("--set", settings,
                       "Set a variable for the run, e.g. --set X=2 (X, Y, Z or T; repeatable)")
            ->type_name("NAME=VALUE")
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        app.add_flag("--line-buffered", options.lineBuffered,
                     "Write each answer out before reading the next line, for a program that "
                     "talks to this one through pipes");
        app.add_flag("--no-history", options.noHistory,
                     "Neither read nor write the history file in an interactive session");
        app.set_version_flag("--version", std::string(kProgram) + " " + kVersion,
                             "Show the version");
        app.set_help_flag("-h,--help", "Show this help");
        // Only listed: the words that are expressions are sorted out before CLI11 sees any.
        app.add_option("EXPR", positionals,
                       "An expression; '--' ends the options, so every word after it is one")
            ->type_name("");
        app.footer(
            "Each command prints the answer, then a tab and the message when there is one.\n"
            "Exit status: 0 no messages, 1 some command gave a message, 2 usage error.\n");
    }
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "X=2.5" (also Y, Z, T, in either case) into its slot: an empty string, or what is wrong.
std::string ParseSetting(const std::string& setting, SlotValues& slots) {
    const int slot = setting.size() > 1 && setting[1] == '=' ? SlotOf(setting[0]) : -1;
    if (slot < 0) {
        return "--set takes X, Y, Z or T, '=' and a number, as in --set X=2.5; not '" + setting +
               "'";
    }
    const std::optional<double> value = ReadSlotValue(std::string_view(setting).substr(2));
    if (!value) {
        return "--set " + setting + ": " + FillTemplate(kMsgNotANumber, {setting.substr(0, 1)});
    }
    slots[static_cast<std::size_t>(slot)] = *value;
    return {};
}

// The usage line, as the help shows it.
std::string UsageLine() {
    App a;
    return a.formatter->make_usage(&a.app, kProgram);
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    App a;
    std::vector<std::string> words;  // for CLI11, in reverse order as it takes them
    std::vector<std::string> expressions;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--") {
            ++i;
            break;
        }
        const bool longOption =
            word.size() > 2 && word[0] == '-' && word[1] == '-' && IsLetter(word[2]);
        const bool dashLetter = word.size() > 1 && word[0] == '-' && IsLetter(word[1]);
        const bool shortOption =
            dashLetter && word.size() == 2 && a.app.get_option_no_throw(word) != nullptr;
        // A minus and a letter start an expression when the calculator knows its letters
        // ('-x', '-sin(30)'), and otherwise an option: '-h2' or '-rd' are not arithmetic.
        if (dashLetter && !longOption && !shortOption && !KnowsEveryName(word)) {
            result.action = CommandLine::Action::kUsageError;
            result.text = std::string(kProgram) + ": unknown option " + word + '\n' + UsageLine();
            return result;
        }
        if (longOption || shortOption) {
            words.push_back(word);
            // The one option with a value takes the next word, whatever it looks like.
            if (word == "--set" && i + 1 < argc) {
                words.emplace_back(argv[++i]);
            }
        } else {
            expressions.push_back(word);
        }
    }
    for (; i < argc; ++i) {
        expressions.emplace_back(argv[i]);
    }
    std::reverse(words.begin(), words.end());
    try {
        a.app.parse(words);
    } catch (const CLI::CallForHelp&) {
        result.action = CommandLine::Action::kHelp;
        result.text = a.app.help();
        return result;
    } catch (const CLI::CallForVersion&) {
        result.action = CommandLine::Action::kVersion;
        result.text = std::string(kProgram) + " " + kVersion + "\n";
        return result;
    } catch (const CLI::ParseError& e) {
        result.action = CommandLine::Action::kUsageError;
        result.text = std::string(kProgram) + ": " + e.what() + '\n' + UsageLine();
        return result;
    }
    for (const std::string& setting : a.settings) {
        const std::string problem = ParseSetting(setting, a.options.slots);
        if (!problem.empty()) {
            result.action = CommandLine::Action::kUsageError;
            result.text = std::string(kProgram) + ": " + problem + '\n' + UsageLine();
            return result;
        }
    }
    result.options = std::move(a.options);
    result.options.expressions = std::move(expressions);
    return result;
}

}  // namespace quorbit1
