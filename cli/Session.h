// One run of the command line: the evaluator that serves every command of it, as the dialog's
// does, and the three ways of printing a command's outcome (plain, the working as tables, JSON).
#pragma once

#include <iosfwd>
#include <string>

#include "Equation.h"
#include "JsonLine.h"
#include "Working.h"

namespace quorbit1 {

enum class Output { kPlain, kTrace, kJson };

class Session {
public:
    Session(std::ostream& out, AngleUnit unit, Output output, const SlotValues& slots);

    // Runs one command and prints its outcome; returns whether the text was evaluated.
    bool Run(const std::string& text);

    // A line of input too long to be held in memory: refused, as a text whose terms do not
    // fit, and the lines after it are run as usual.
    void RunUnheld();

    bool AnyMessage() const { return m_anyMessage; }

private:
    bool Print(const std::string& text, const OkOutcome& outcome);

    std::ostream& m_out;
    int m_angleMode;
    Output m_output;
    CEquation m_equation;
    WorkingRecorder m_recorder;
    OkJsonWriter m_json;
    bool m_anyMessage = false;
};

}  // namespace quorbit1
