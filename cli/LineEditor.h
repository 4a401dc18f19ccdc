// The interactive session's line reader: libedit's line editing (arrows, Home and End, Ctrl-R
// search, Ctrl-D to end) over the history that the dialog shares.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CliApp.h"

namespace quorbit1 {

// historyPath empty keeps the session's lines in memory only.
std::unique_ptr<LineReader> MakeLineEditor(const std::string& historyPath, std::ostream& err);

}  // namespace quorbit1
