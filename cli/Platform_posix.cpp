// The start on POSIX systems: the arguments are bytes already, and isatty says what is a
// terminal.
#include <unistd.h>

#include "Platform.h"

namespace quorbit1 {

ProcessStart StartProcess(int argc, char** argv) {
    ProcessStart start;
    start.args.assign(argv, argv + argc);
    start.inIsTerminal = isatty(STDIN_FILENO) != 0;
    start.outIsTerminal = isatty(STDOUT_FILENO) != 0;
    return start;
}

}  // namespace quorbit1
