// The command line's words: which are options (parsed by CLI11, which also writes the help
// and the usage line from the options themselves) and which are expressions. Expressions often
// start with a minus ('-5', '-x', '-(cos(45))'), so a word is an option only when it is one
// the program knows or looks like a mistyped one.
#pragma once

#include <string>
#include <vector>

#include "Calculator.h"

namespace quorbit1 {

struct CliOptions {
    bool radians = false;
    bool trace = false;
    bool json = false;
    bool explain = false;
    bool lineBuffered = false;
    bool noHistory = false;
    SlotValues slots{};                    // X, Y, Z and T as --set gave them, else 0
    std::vector<std::string> expressions;  // in the order given
};

struct CommandLine {
    enum class Action { kRun, kHelp, kVersion, kUsageError };
    Action action = Action::kRun;
    CliOptions options;
    // The help or the version for standard output; for a usage error, what was wrong and the
    // usage line, for standard error.
    std::string text;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace quorbit1
