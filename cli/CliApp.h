// The command-line front end: runs the OK command on each expression given as an argument, or on
// each line of the input, and prints what the dialog would show after the same OK presses.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

namespace quorbit1 {

// The lines of an interactive session: a line editor with the shared history in the program, a
// scripted fake in the tests.
class LineReader {
public:
    virtual ~LineReader() = default;
    // Shows the prompt and reads one line; false at the end of the input (Ctrl-D).
    virtual bool ReadLine(std::string& line) = 0;
    // The OK command accepted the text for evaluation, so the history keeps it.
    virtual void Remember(const std::string& text) = 0;
};

// What the program knows of where its input and output go.
struct CliTerminal {
    // Standard output is a terminal: every answer is shown at once. Otherwise the output is
    // block-buffered and written at the end, unless --line-buffered asks otherwise.
    bool outputIsTerminal = false;
    // Set when standard input and output are both terminals and no expression is given as an
    // argument: makes the line reader of the session from the history file's path (empty when
    // the user asked for no history) and the stream for its complaints.
    std::function<std::unique_ptr<LineReader>(const std::string& historyPath, std::ostream& err)>
        makeReader;
};

// Exit status: 0 when no command produced a message, 1 when any did, 2 on a usage error.
int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, const CliTerminal& terminal = {});

}  // namespace quorbit1
