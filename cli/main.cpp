#include <unistd.h>
#include <ext/stdio_filebuf.h>

#include <iostream>

#include "CliApp.h"
#include "LineEditor.h"

int main(int argc, char** argv) {
    // A batch reads and writes in blocks of a megabyte: a million lines cost a few hundred
    // system calls, not tens of thousands. An interactive session and --line-buffered flush
    // after every answer all the same.
    constexpr std::size_t kBlock = 1 << 20;
    __gnu_cxx::stdio_filebuf<char> inBuffer(STDIN_FILENO, std::ios::in, kBlock);
    __gnu_cxx::stdio_filebuf<char> outBuffer(STDOUT_FILENO, std::ios::out, kBlock);
    std::istream in(&inBuffer);
    std::ostream out(&outBuffer);

    quorbit1::CliTerminal terminal;
    terminal.outputIsTerminal = isatty(STDOUT_FILENO) != 0;
    if (terminal.outputIsTerminal && isatty(STDIN_FILENO) != 0) {
        terminal.makeReader = quorbit1::MakeLineEditor;
    }
    const int status = quorbit1::RunCli(argc, argv, in, out, std::cerr, terminal);
    out.flush();
    return status;
}
