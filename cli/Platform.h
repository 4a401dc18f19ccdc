// What the command line needs of the platform as it starts: its arguments in UTF-8, standard
// input and output as plain bytes, and whether they are terminals. One implementation per
// platform sits in a file of its own beside this one.
#pragma once

#include <string>
#include <vector>

namespace quorbit1 {

struct ProcessStart {
    std::vector<std::string> args;  // the program's name first
    bool inIsTerminal = false;
    bool outIsTerminal = false;
};

ProcessStart StartProcess(int argc, char** argv);

}  // namespace quorbit1
