// The page's own texts, which only the page shows: written here, where lupdate finds them, so
// that the translations keep them with the dialog's. The page looks them up by context and
// source, "quorbit1::Page|...".
#pragma once

#include "TranslatableText.h"

namespace quorbit1 {

// Below the help's last line, whose pointer to "the zip file" leads nowhere on the page.
inline constexpr const char* kPageDocumentation = QT_TRANSLATE_NOOP(
    "quorbit1::Page",
    "This page comes without a zip file: the documentation is the README of the Quorbit1 "
    "project, where the page came from.");

}  // namespace quorbit1
