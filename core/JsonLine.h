// The command line's JSON: one object per OK command, as docs/quorbit1-cli.schema.json
// describes it. Kept with the OK command, so any front end that speaks JSON writes the same.
#pragma once

#include <string>
#include <string_view>

#include "OkCommand.h"
#include "Reading.h"
#include "UsualReading.h"

namespace quorbit1 {

// A JSON string: quotes, backslashes and control characters escaped, and each byte that is not
// part of a UTF-8 sequence shown as U+FFFD, so any input gives valid output.
void AppendJsonString(std::string& out, std::string_view s);

// Writes the objects; one writer serves a whole run and reuses its storage.
class OkJsonWriter {
public:
    // The object for one command and its newline, followed by a NUL that the view leaves out;
    // valid until the next call.
    // reading: the command's, for an evaluated text; readAs and readAsNotes are left out
    // without one.
    std::string_view Line(std::string_view text, int angleMode, const OkOutcome& outcome,
                          const UsualResult& usual, const Reading* reading = nullptr);

private:
    void FormatNumber(double value);

    std::string m_line;    // room for the longest line yet; the line is its start
    std::string m_answer;  // 15 significant digits
    std::string m_exact;   // 17
    std::string m_usualAnswer;
    std::string m_usualExact;
};

}  // namespace quorbit1
