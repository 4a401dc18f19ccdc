#include "CliApp.h"

#include <istream>
#include <iterator>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "History.h"
#include "InputRules.h"
#include "Session.h"

namespace quorbit1 {

namespace {

void Report(std::ostream& err, const std::string& problem) {
    if (!problem.empty()) {
        err << "quorbit1-cli: " << problem << '\n';
    }
}

// A line of a batch, without the carriage return of a Windows line end.
void RunLine(std::string& line, Session& session, std::ostream& out, bool flushEachLine) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    session.Run(line);
    if (flushEachLine) {
        out.flush();
    }
}

void RunLines(std::istream& in, Session& session, std::ostream& out, bool flushEachLine) {
    for (std::string line; std::getline(in, line);) {
        RunLine(line, session, out, flushEachLine);
    }
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

    Session session(out, options.radians ? AngleUnit::kRadians : AngleUnit::kDegrees,
                    options.json      ? Output::kJson
                    : options.trace   ? Output::kTrace
                    : options.explain ? Output::kExplain
                                      : Output::kPlain,
                    options.slots);
    if (!expressions.empty()) {
        for (const std::string& e : expressions) {
            session.Run(e);
        }
        return session.AnyMessage() ? 1 : 0;
    }

    if (terminal.makeReader) {
        // The session keeps the history the dialog shares; the line editor walks it.
        std::string historyPath = options.noHistory ? std::string() : HistoryStore::DefaultPath();
        Calculator& calc = session.Calc();
        Report(err, calc.UseHistory(HistoryStore(std::move(historyPath))));
        const std::unique_ptr<LineReader> reader = terminal.makeReader(calc.History());
        for (std::string line; reader->ReadLine(line);) {
            session.Run(line);
            Report(err, calc.TakeHistoryProblem());
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
    for (bool first = true;; first = false) {
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
        if (first) {
            const BatchEncoding encoding = DetectBatchEncoding(line);
            if (encoding != BatchEncoding::kUtf8) {
                // UTF-16 (what Windows calls Unicode): its line ends are two bytes, so the
                // whole input is read and converted, then run line by line.
                std::string bytes = line.substr(2);
                if (!in.eof()) {
                    bytes += '\n';
                    bytes.append(std::istreambuf_iterator<char>(in), {});
                }
                std::istringstream converted(
                    Utf16ToUtf8(bytes, encoding == BatchEncoding::kUtf16BigEndian));
                RunLines(converted, session, out, flushEachLine);
                return session.AnyMessage() ? 1 : 0;
            }
            if (line.starts_with(kUtf8Mark)) {
                line.erase(0, kUtf8Mark.size());
            }
        }
        RunLine(line, session, out, flushEachLine);
    }
    return session.AnyMessage() ? 1 : 0;
}

}  // namespace quorbit1
