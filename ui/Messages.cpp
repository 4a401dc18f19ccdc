#include "Messages.h"

#include <QCoreApplication>

namespace quorbit1 {

QString TranslatedMessage(const std::string& message) {
    return message.empty() ? QString()
                           : QCoreApplication::translate("quorbit1::Message", message.c_str());
}

}  // namespace quorbit1
