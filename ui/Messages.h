// The OK command's messages in the user's language: the core keeps them in English, as the
// command line prints them (core/OkMessages.h, which lupdate reads for the translations), and
// the dialog and the working window show them translated.
#pragma once

#include <QString>
#include <string>

namespace quorbit1 {

QString TranslatedMessage(const std::string& message);

}  // namespace quorbit1
