// The interactive session's line reader on the Windows console: keys read one by one (Left,
// Right, Home, End, Backspace, Delete, Escape to clear, Up and Down through the history that
// earlier runs and the dialog share, Enter; Ctrl-Z or Ctrl-D on an empty line to end), the
// line shown again after each key. Ctrl-C stays the console's.
#include <windows.h>

#include <string>
#include <vector>

#include "LineEdit.h"
#include "LineEditor.h"
#include "WideText.h"

namespace quorbit1 {

namespace {

// The console's keys that edit the line, and what they do.
constexpr struct {
    WORD virtualKey;
    LineEdit::Key key;
} kKeys[] = {
    {VK_LEFT, LineEdit::Key::kLeft},      {VK_RIGHT, LineEdit::Key::kRight},
    {VK_HOME, LineEdit::Key::kHome},      {VK_END, LineEdit::Key::kEnd},
    {VK_BACK, LineEdit::Key::kBackspace}, {VK_DELETE, LineEdit::Key::kDelete},
    {VK_UP, LineEdit::Key::kUp},          {VK_DOWN, LineEdit::Key::kDown},
    {VK_ESCAPE, LineEdit::Key::kEscape},
};

bool KeyOf(WORD virtualKey, LineEdit::Key& key) {
    for (const auto& k : kKeys) {
        if (k.virtualKey == virtualKey) {
            key = k.key;
            return true;
        }
    }
    return false;
}

class ConsoleLineEditor final : public LineReader {
public:
    explicit ConsoleLineEditor(const std::vector<std::string>& history) : m_session(history) {}

    bool ReadLine(std::string& line) override {
        const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
        DWORD mode = 0;
        GetConsoleMode(in, &mode);
        SetConsoleMode(in, ENABLE_PROCESSED_INPUT);
        const bool read = Edit(in, line);
        SetConsoleMode(in, mode);
        // What was typed can be recalled in this session even when it was refused, to mend it.
        if (read && !line.empty() && (m_session.empty() || m_session.back() != line)) {
            m_session.push_back(line);
        }
        return read;
    }

private:
    bool Edit(HANDLE in, std::string& line) {
        LineEdit edit(m_session);
        m_shownWidth = 0;
        Show(edit);
        wchar_t pendingHigh = 0;  // the first half of a character outside the BMP
        for (;;) {
            INPUT_RECORD record{};
            DWORD n = 0;
            if (ReadConsoleInputW(in, &record, 1, &n) == 0 || n == 0) {
                return false;
            }
            if (record.EventType != KEY_EVENT || record.Event.KeyEvent.bKeyDown == 0) {
                continue;
            }
            const KEY_EVENT_RECORD& k = record.Event.KeyEvent;
            const wchar_t ch = k.uChar.UnicodeChar;
            LineEdit::Key key{};
            if (k.wVirtualKeyCode == VK_RETURN) {
                Write(L"\r\n");
                line = edit.Text();
                return true;
            }
            if ((ch == 4 || ch == 26) && edit.Text().empty()) {  // Ctrl-D, Ctrl-Z
                Write(L"\r\n");
                return false;
            }
            for (WORD r = 0; r < (k.wRepeatCount == 0 ? 1 : k.wRepeatCount); ++r) {
                if (KeyOf(k.wVirtualKeyCode, key)) {
                    edit.Press(key);
                } else if (ch >= 0xD800 && ch < 0xDC00) {
                    pendingHigh = ch;
                } else if (ch >= 0xDC00 && ch < 0xE000) {
                    if (pendingHigh != 0) {
                        edit.Insert(Narrow(std::wstring{pendingHigh, ch}));
                    }
                    pendingHigh = 0;
                } else if (ch >= 0x20 && ch != 0x7F) {
                    edit.Insert(Narrow(std::wstring(1, ch)));
                }
            }
            Show(edit);
        }
    }

    // The prompt and the line from the start of the console's line, blanks over what a longer
    // line left, and the cursor put back where it stands.
    void Show(const LineEdit& edit) {
        const std::wstring text = Wide(edit.Text());
        const std::wstring before = Wide(edit.Text().substr(0, edit.Cursor()));
        std::wstring s = L"\r" + std::wstring(kPrompt) + text;
        if (m_shownWidth > text.size()) {
            s += std::wstring(m_shownWidth - text.size(), L' ');
        }
        s += L"\r" + std::wstring(kPrompt) + before;
        m_shownWidth = text.size();
        Write(s);
    }

    static void Write(const std::wstring& s) {
        DWORD written = 0;
        WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()),
                      &written, nullptr);
    }

    static constexpr const wchar_t* kPrompt = L"quorbit1> ";
    // The session's history when the editor was made, and every line typed since, so that a
    // refused one can be recalled and mended.
    std::vector<std::string> m_session;
    std::size_t m_shownWidth = 0;
};

}  // namespace

std::unique_ptr<LineReader> MakeLineEditor(const std::vector<std::string>& history) {
    return std::make_unique<ConsoleLineEditor>(history);
}

}  // namespace quorbit1
