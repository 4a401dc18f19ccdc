// The command-line front end: runs the OK command on each expression given as an argument, or on
// each line of the input, and prints what the dialog would show after the same OK presses.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace quorbit1 {

// The lines of an interactive session: a line editor with the shared history in the program, a
// scripted fake in the tests.
class LineReader {
public:
    virtual ~LineReader() = default;
    // Shows the prompt and reads one line; false at the end of the input (Ctrl-D).
    virtual bool ReadLine(std::string& line) = 0;
};

// What the program knows of where its input and output go.
struct CliTerminal {
    // Standard output is a terminal: every answer is shown at once. Otherwise the output is
    // block-buffered and written at the end, unless --line-buffered asks otherwise.
    bool outputIsTerminal = false;
    // Set when standard input and output are both terminals and no expression is given as an
    // argument: makes the line reader of the session over its history (oldest first), which
    // the session keeps and adds to.
    std::function<std::unique_ptr<LineReader>(const std::vector<std::string>& history)> makeReader;
};

// Exit status: 0 when no command produced a message, 1 when any did, 2 on a usage error.
int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, const CliTerminal& terminal = {});

}  // namespace quorbit1
