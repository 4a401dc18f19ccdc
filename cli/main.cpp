#include <ext/stdio_filebuf.h>

#include <iostream>
#include <vector>

#include "CliApp.h"
#include "LineEditor.h"
#include "Platform.h"

int main(int argc, char** argv) {
    quorbit1::ProcessStart start = quorbit1::StartProcess(argc, argv);
    // A batch reads and writes in blocks of a megabyte: a million lines cost a few hundred
    // system calls, not tens of thousands. An interactive session and --line-buffered flush
    // after every answer all the same.
    constexpr std::size_t kBlock = 1 << 20;
    __gnu_cxx::stdio_filebuf<char> inBuffer(0, std::ios::in, kBlock);
    __gnu_cxx::stdio_filebuf<char> outBuffer(1, std::ios::out, kBlock);
    std::istream in(&inBuffer);
    std::ostream out(&outBuffer);

    quorbit1::CliTerminal terminal;
    terminal.outputIsTerminal = start.outIsTerminal;
    if (start.outIsTerminal && start.inIsTerminal) {
        terminal.makeReader = quorbit1::MakeLineEditor;
    }
    std::vector<const char*> args;
    for (const std::string& a : start.args) {
        args.push_back(a.c_str());
    }
    args.push_back(nullptr);
    const int status = quorbit1::RunCli(static_cast<int>(start.args.size()), args.data(), in, out,
                                        std::cerr, terminal);
    out.flush();
    return status;
}
