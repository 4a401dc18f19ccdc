#include "WorkingWindow.h"

#include "Translations.h"
#include "WideText.h"
#include "WindowText.h"
#include "resource.h"

namespace quorbit1::windows {

namespace {
// A stage's lines are about 60 characters wide; the window shows them whole at 9 points.
constexpr SIZE kPreferred{560, 480};
constexpr SIZE kSmallest{320, 240};

SIZE Scaled(SIZE size, UINT dpi) {
    return {MulDiv(size.cx, static_cast<int>(dpi), 96), MulDiv(size.cy, static_cast<int>(dpi), 96)};
}

// The edit control wants Windows' line ends.
std::wstring WindowsLines(const std::string& text) {
    std::wstring wide = Wide(text);
    std::wstring out;
    out.reserve(wide.size() + wide.size() / 16);
    for (const wchar_t c : wide) {
        if (c == L'\n') {
            out += L'\r';
        }
        out += c;
    }
    return out;
}
}  // namespace

CWorkingWindow::CWorkingWindow(HINSTANCE instance, HWND owner) {
    m_hWnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_WORKING), owner, Proc,
                                reinterpret_cast<LPARAM>(this));
}

CWorkingWindow::~CWorkingWindow() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    if (m_font != nullptr) {
        DeleteObject(m_font);
    }
}

SIZE CWorkingWindow::PreferredSize(UINT dpi) {
    return Scaled(kPreferred, dpi);
}

SIZE CWorkingWindow::SmallestSize(UINT dpi) {
    return Scaled(kSmallest, dpi);
}

void CWorkingWindow::SetFixedFont() {
    HFONT old = m_font;
    const int height = -MulDiv(9, static_cast<int>(GetDpiForWindow(m_hWnd)), 72);
    m_font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                         FIXED_PITCH | FF_MODERN, L"Consolas");
    SendDlgItemMessageW(m_hWnd, IDC_WORKING_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(m_font),
                        TRUE);
    if (old != nullptr) {
        DeleteObject(old);
    }
}

void CWorkingWindow::Show(const WorkingView& view) {
    SetDlgItemTextW(m_hWnd, IDC_WORKING_TEXT, WindowsLines(WorkingPlainText(view, &Tr)).c_str());
    ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

INT_PTR CALLBACK CWorkingWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWorkingWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            self = reinterpret_cast<CWorkingWindow*>(lParam);
            self->m_hWnd = window;
            TranslateWindow(window, "quorbit1::CWorkingWindow");
            self->SetFixedFont();
            SendDlgItemMessageW(window, IDC_WORKING_TEXT, EM_SETLIMITTEXT, 0, 0);  // no limit
            return FALSE;
        case WM_SIZE:
            MoveWindow(GetDlgItem(window, IDC_WORKING_TEXT), 0, 0, LOWORD(lParam), HIWORD(lParam),
                       TRUE);
            return TRUE;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (self != nullptr) {
                self->SetFixedFont();
            }
            return TRUE;
        }
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE least = SmallestSize(GetDpiForWindow(window));
            info->ptMinTrackSize = {least.cx / 2, least.cy / 2};
            return TRUE;
        }
        case WM_COMMAND:
            // Escape and the close box hide it; the calculator shows it again on request.
            if (LOWORD(wParam) == IDCANCEL) {
                ShowWindow(window, SW_HIDE);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace quorbit1::windows
