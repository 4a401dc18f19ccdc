// What the C interface's handle holds: the calculator and the texts it has handed out, which
// stay valid until the next call on it. For the C interface and the modules that add to it.
#pragma once

#include <string>

#include "Calculator.h"
#include "quorbit1/quorbit1.h"

struct quorbit1_calculator {
    quorbit1::Calculator calc;
    std::string answer;
    std::string historyProblem;
    std::string recalled;
};
