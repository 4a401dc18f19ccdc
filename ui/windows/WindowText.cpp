#include "WindowText.h"

#include <algorithm>
#include <vector>

#include "Translations.h"
#include "WideText.h"

namespace quorbit1::windows {

namespace {

constexpr const char* kCalculatorContext = "quorbit1::CQuorbit1Dlg";

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT RectIn(HWND window, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveTo(HWND child, const RECT& r) {
    SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

LONG Style(HWND window) {
    return GetWindowLongW(window, GWL_STYLE);
}

bool IsTextLabel(HWND child) {
    const LONG type = Style(child) & SS_TYPEMASK;
    return ClassOf(child) == L"Static" &&
           (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP);
}

bool IsRadio(HWND child) {
    const LONG type = Style(child) & BS_TYPEMASK;
    return ClassOf(child) == L"Button" && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON ||
                                           type == BS_AUTOCHECKBOX || type == BS_CHECKBOX);
}

bool IsGroupBox(HWND child) {
    return ClassOf(child) == L"Button" && (Style(child) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The room a radio button's circle and the gap after it take, in the control's DPI.
int CheckRoom(HWND child) {
    const UINT dpi = GetDpiForWindow(child);
    return GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + MulDiv(6, static_cast<int>(dpi), 96);
}

void GrowWindow(HWND window, int extraHeight) {
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + extraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring WindowTextW(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string WindowTextUtf8(HWND window) {
    return Narrow(WindowTextW(window));
}

void TranslateWindow(HWND window, const char* context) {
    const auto translate = [context](HWND w) {
        const std::string english = WindowTextUtf8(w);
        if (english.empty()) {
            return;
        }
        std::string text = Tr(context, english.c_str());
        if (text == english) {
            text = Tr(kCalculatorContext, english.c_str());
        }
        if (text != english) {
            SetWindowTextW(w, Wide(text).c_str());
        }
    };
    translate(window);
    for (HWND child : Children(window)) {
        if (ClassOf(child) != L"Edit") {
            translate(child);
        }
    }
}

SIZE TextExtent(HWND control, const std::wstring& text, int width, bool noPrefix) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width > 0 ? width : 0, 0};
    UINT format = DT_CALCRECT | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    if (noPrefix) {
        format |= DT_NOPREFIX;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
}

void FitTexts(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int margin = MulDiv(7, static_cast<int>(GetDpiForWindow(window)), 96);
    for (HWND child : Children(window)) {
        const std::wstring text = WindowTextW(child);
        if (text.empty()) {
            continue;
        }
        RECT r = RectIn(window, child);
        const int width = r.right - r.left;
        if (IsRadio(child)) {
            const int wanted = TextExtent(child, text, 0, false).cx + CheckRoom(child);
            if (wanted <= width) {
                continue;
            }
            r.right = r.left + wanted;
            MoveTo(child, r);
            // Its group box widens with it.
            for (HWND other : Children(window)) {
                RECT g = RectIn(window, other);
                if (IsGroupBox(other) && g.left <= r.left && g.top <= r.top &&
                    g.bottom >= r.bottom && g.right < r.right + margin / 2) {
                    g.right = r.right + margin / 2;
                    MoveTo(other, g);
                }
            }
            continue;
        }
        if (!IsTextLabel(child)) {
            continue;
        }
        const bool noPrefix = (Style(child) & SS_NOPREFIX) != 0;
        const SIZE line = TextExtent(child, text, 0, noPrefix);
        if (line.cx <= width && line.cy <= r.bottom - r.top) {
            continue;
        }
        // On one line, wider to the right, where nothing else is and the window has room.
        RECT wider = r;
        wider.right = r.left + line.cx;
        bool free = wider.right <= client.right - margin / 2 && line.cy <= r.bottom - r.top;
        for (HWND other : Children(window)) {
            if (other != child && free && Overlaps(wider, RectIn(window, other)) &&
                !IsGroupBox(other)) {
                free = false;
            }
        }
        if (free) {
            MoveTo(child, wider);
            continue;
        }
        // Else on more lines: what is below it moves down, and the window grows.
        const int extra = TextExtent(child, text, width, noPrefix).cy - (r.bottom - r.top);
        if (extra <= 0) {
            continue;
        }
        for (HWND other : Children(window)) {
            RECT o = RectIn(window, other);
            if (other != child && o.top >= r.bottom) {
                OffsetRect(&o, 0, extra);
                MoveTo(other, o);
            }
        }
        r.bottom += extra;
        MoveTo(child, r);
        GrowWindow(window, extra);
    }
}

}  // namespace quorbit1::windows
