// One run of the command line: the calculator that serves every command of it, as the dialog's
// does, and the ways of printing a command's outcome (plain, the working as tables, JSON, the
// answer with its reading).
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "Calculator.h"

namespace quorbit1 {

enum class Output { kPlain, kTrace, kJson, kExplain };

class Session {
public:
    Session(std::ostream& out, AngleUnit unit, Output output, const SlotValues& slots);

    // Runs one command and prints its outcome; returns whether the text was evaluated.
    bool Run(std::string_view text);

    // A line of input too long to be held in memory: refused, as a text whose terms do not
    // fit, and the lines after it are run as usual.
    void RunUnheld();

    bool AnyMessage() const { return m_anyMessage; }

    Calculator& Calc() { return m_calc; }

private:
    bool Print(const Command& command);

    std::ostream& m_out;
    Output m_output;
    Calculator m_calc;
    bool m_anyMessage = false;
};

}  // namespace quorbit1
