// One line being edited key by key, apart from any console: the text, where the cursor stands
// (always between two characters of UTF-8), and Up and Down through the history as a shell has
// them. The Windows console reader is built on it; the tests drive it on every platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "HistoryCursor.h"

namespace quorbit1 {

class LineEdit {
public:
    enum class Key { kLeft, kRight, kHome, kEnd, kBackspace, kDelete, kUp, kDown, kEscape };

    // history: the expressions Up and Down walk through, oldest first; kept by the caller.
    explicit LineEdit(const std::vector<std::string>& history) : m_history(history) {
        m_recall.Reset(history.size());
    }

    // Types text (whole UTF-8 characters) at the cursor.
    void Insert(std::string_view text);
    void Press(Key key);

    const std::string& Text() const { return m_text; }
    // The cursor as a count of bytes before it.
    std::size_t Cursor() const { return m_pos; }

private:
    std::size_t Next(std::size_t pos) const;
    std::size_t Previous(std::size_t pos) const;

    const std::vector<std::string>& m_history;
    HistoryCursor m_recall;
    std::string m_text;
    std::size_t m_pos = 0;
};

}  // namespace quorbit1
