#include "LineEditor.h"

#include <editline/readline.h>

#include <cstdlib>
#include <ostream>

#include "History.h"

namespace quorbit1 {

namespace {

class LineEditor final : public LineReader {
public:
    LineEditor(const std::string& historyPath, std::ostream& err)
        : m_store(historyPath), m_err(err) {
        // The name under which ~/.editrc settings apply to this program.
        rl_readline_name = "quorbit1-cli";
        using_history();
        Report(m_store.Load());
        for (const std::string& e : m_store.Entries()) {
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

    void Remember(const std::string& text) override { Report(m_store.Add(text)); }

private:
    void Report(const std::string& problem) {
        if (!problem.empty()) {
            m_err << "quorbit1-cli: " << problem << '\n';
        }
    }

    HistoryStore m_store;
    std::ostream& m_err;
};

}  // namespace

std::unique_ptr<LineReader> MakeLineEditor(const std::string& historyPath, std::ostream& err) {
    return std::make_unique<LineEditor>(historyPath, err);
}

}  // namespace quorbit1
