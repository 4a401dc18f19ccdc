#include "CliApp.h"

#include <istream>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "History.h"
#include "Session.h"

namespace quorbit1 {

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

    Session session(out, options.radians ? AngleUnit::kRadians : AngleUnit::kDegrees,
                    options.json    ? Output::kJson
                    : options.trace ? Output::kTrace
                                    : Output::kPlain,
                    options.slots);
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
