// The command-line front end: runs the OK command on each expression given as an argument, or on
// each line of the input, and prints what the dialog would show after the same OK presses.
#pragma once

#include <iosfwd>

namespace quorbit1 {

// Exit status: 0 when no command produced a message, 1 when any did, 2 on a usage error.
// interactive: the input is a terminal, so a short prompt is shown before each line.
int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive);

}  // namespace quorbit1
