#include <unistd.h>

#include <iostream>

#include "CliApp.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return quorbit1::RunCli(argc, argv, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0);
}
