// The start on Windows: the arguments from the wide command line, turned into UTF-8; standard
// input and output in binary mode, so that answers are the same bytes as on Linux (no "\r\n");
// and a console shown UTF-8 (its code page set back at exit), so that characters come out
// right.
#include <windows.h>
// After windows.h, which they build on.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdlib>

#include "Platform.h"
#include "WideText.h"

namespace quorbit1 {

namespace {

bool IsConsole(DWORD which) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

UINT g_outputCodePage = 0;

void RestoreCodePage() {
    SetConsoleOutputCP(g_outputCodePage);
}

}  // namespace

ProcessStart StartProcess(int argc, char** argv) {
    ProcessStart start;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 0; i < count; ++i) {
            start.args.push_back(Narrow(wide[i]));
        }
        LocalFree(wide);
    } else {
        start.args.assign(argv, argv + argc);
    }
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    start.inIsTerminal = IsConsole(STD_INPUT_HANDLE);
    start.outIsTerminal = IsConsole(STD_OUTPUT_HANDLE);
    if (start.outIsTerminal || IsConsole(STD_ERROR_HANDLE)) {
        g_outputCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
        std::atexit(RestoreCodePage);
    }
    return start;
}

}  // namespace quorbit1
