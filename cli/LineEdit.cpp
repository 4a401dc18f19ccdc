#include "LineEdit.h"

#include "Utf8.h"

namespace quorbit1 {

std::size_t LineEdit::Next(std::size_t pos) const {
    if (pos >= m_text.size()) {
        return m_text.size();
    }
    const std::size_t n = Utf8SequenceLength(m_text, pos);
    return pos + (n == 0 ? 1 : n);
}

std::size_t LineEdit::Previous(std::size_t pos) const {
    if (pos == 0) {
        return 0;
    }
    // Back over continuation bytes (10xxxxxx) to the start of the character.
    std::size_t p = pos - 1;
    while (p > 0 && pos - p < 4 && (static_cast<unsigned char>(m_text[p]) & 0xC0) == 0x80) {
        --p;
    }
    return Next(p) == pos ? p : pos - 1;
}

void LineEdit::Insert(std::string_view text) {
    m_text.insert(m_pos, text);
    m_pos += text.size();
}

void LineEdit::Press(Key key) {
    switch (key) {
        case Key::kLeft:
            m_pos = Previous(m_pos);
            break;
        case Key::kRight:
            m_pos = Next(m_pos);
            break;
        case Key::kHome:
            m_pos = 0;
            break;
        case Key::kEnd:
            m_pos = m_text.size();
            break;
        case Key::kBackspace: {
            const std::size_t from = Previous(m_pos);
            m_text.erase(from, m_pos - from);
            m_pos = from;
            break;
        }
        case Key::kDelete:
            m_text.erase(m_pos, Next(m_pos) - m_pos);
            break;
        case Key::kUp:
        case Key::kDown:
            if (auto shown = m_recall.Step(key == Key::kUp ? -1 : +1, m_history, m_text)) {
                m_text = *shown;
                m_pos = m_text.size();
            }
            break;
        case Key::kEscape:
            m_text.clear();
            m_pos = 0;
            m_recall.Reset(m_history.size());
            break;
    }
}

}  // namespace quorbit1
