// The interactive session's line reader: libedit's line editing (arrows, Home and End, Ctrl-R
// search, Ctrl-D to end) over the history that the dialog shares.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CliApp.h"

namespace quorbit1 {

// Over the session's history, oldest first, which grows as the session adds to it.
std::unique_ptr<LineReader> MakeLineEditor(const std::vector<std::string>& history);

}  // namespace quorbit1
