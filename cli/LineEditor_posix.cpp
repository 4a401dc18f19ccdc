#include "LineEditor.h"

#include <editline/readline.h>

#include <clocale>
#include <cstdlib>
#include <string_view>

namespace quorbit1 {

namespace {

class LineEditor final : public LineReader {
public:
    explicit LineEditor(const std::vector<std::string>& history) {
        // libedit reads and shows characters by the locale's encoding; without it, in the
        // "C" locale, every byte outside ASCII is dropped as it is typed. Only the character
        // type is taken from the environment: numbers are read and written as always.
        // Texts are UTF-8 whatever the environment says, so a "C" locale becomes C.UTF-8.
        const char* ctype = std::setlocale(LC_CTYPE, "");
        if (ctype == nullptr || std::string_view(ctype) == "C" ||
            std::string_view(ctype) == "POSIX") {
            std::setlocale(LC_CTYPE, "C.UTF-8");
        }
        // The name under which ~/.editrc settings apply to this program.
        rl_readline_name = "quorbit1-cli";
        using_history();
        for (const std::string& e : history) {
            add_history(e.c_str());
        }
    }
    ~LineEditor() override { clear_history(); }

    bool ReadLine(std::string& line) override {
        char* raw = readline("quorbit1> ");
        if (raw == nullptr) {
            return false;
        }
        line = raw;
        std::free(raw);
        // What was typed can be recalled in this session even when it was refused, to mend it.
        const HIST_ENTRY* last =
            history_length > 0 ? history_get(history_base + history_length - 1) : nullptr;
        if (!line.empty() && (last == nullptr || line != last->line)) {
            add_history(line.c_str());
        }
        return true;
    }
};

}  // namespace

std::unique_ptr<LineReader> MakeLineEditor(const std::vector<std::string>& history) {
    return std::make_unique<LineEditor>(history);
}

}  // namespace quorbit1
