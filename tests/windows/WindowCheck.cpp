// Opens the calculator's window and each of its dialogs as the program does, in the user's
// language and at the display's DPI, and checks what a person would see: the form at its size
// in dialog units, where it was left (or centred on the screen), and every control's text
// whole within the control. Writes one line per finding to the file named by its argument, and
// "window x y width height" for the screenshots; exits 1 when any text is cut or the form is
// off.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "MainDialog.h"
#include "Translations.h"
#include "WideText.h"
#include "WindowState.h"
#include "WindowText.h"

namespace {

using quorbit1::Narrow;
using namespace quorbit1::windows;

FILE* g_out = nullptr;
int g_failures = 0;
HWND g_main = nullptr;
std::string g_checking;

void Fail(const std::string& what) {
    std::fprintf(g_out, "FAIL %s\n", what.c_str());
    ++g_failures;
}

// Each static text, button and radio button shows its whole text within its rectangle.
void CheckTexts(HWND dialog, const std::string& name) {
    const UINT dpi = GetDpiForWindow(dialog);
    int checked = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = WindowTextW(child);
        const std::wstring kind = ClassOf(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (text.empty() || (kind != L"Static" && kind != L"Button") ||
            (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON)) {
            continue;
        }
        RECT r;
        GetClientRect(child, &r);
        const bool button = kind == L"Button";
        const LONG type = style & BS_TYPEMASK;
        const bool radio = button && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
        const bool group = button && type == BS_GROUPBOX;
        const bool noPrefix = !button && (style & SS_NOPREFIX) != 0;
        const bool wraps = !button && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
        // Room the control's own drawing takes: a radio button's circle, a push button's edges.
        const int chrome = radio ? GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) +
                                       MulDiv(3, static_cast<int>(dpi), 96)
                           : button ? MulDiv(6, static_cast<int>(dpi), 96)
                                    : 0;
        const int width = r.right - chrome;
        SIZE need = TextExtent(child, text, 0, noPrefix);
        bool fits = need.cx <= width && need.cy <= r.bottom;
        if (!fits && wraps) {
            need = TextExtent(child, text, width, noPrefix);
            fits = need.cy <= r.bottom;
        }
        if (group) {
            fits = true;
        }
        ++checked;
        const std::string line = name + " \"" + Narrow(text) + "\" needs " +
                                 std::to_string(need.cx) + "x" + std::to_string(need.cy) + " in " +
                                 std::to_string(width) + "x" + std::to_string(r.bottom);
        if (fits) {
            std::fprintf(g_out, "ok %s\n", line.c_str());
        } else {
            Fail("cut " + line);
        }
    }
    if (checked == 0) {
        Fail(name + ": no texts found");
    }
}

BOOL CALLBACK FindDialog(HWND w, LPARAM result) {
    if (w != g_main && IsWindowVisible(w) != FALSE && ClassOf(w) == L"#32770" &&
        IsWindowEnabled(w) != FALSE) {
        *reinterpret_cast<HWND*>(result) = w;
        return FALSE;
    }
    return TRUE;
}

// The dialog a modal call shows is checked, then closed, from a timer in its own loop.
void CALLBACK CheckModal(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    CheckTexts(found, g_checking);
    EndDialog(found, IDCANCEL);
}

void CheckDialog(const std::string& name, void (*show)(HINSTANCE, HWND)) {
    g_checking = name;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CheckModal);
    show(GetModuleHandleW(nullptr), g_main);
    KillTimer(nullptr, timer);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || (g_out = _wfopen(argv[1], L"w")) == nullptr) {
        return 2;
    }
    ChooseLanguage();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CQuorbit1Dlg dialog(GetModuleHandleW(nullptr));
    g_main = dialog.Create();
    if (g_main == nullptr) {
        Fail("the window could not be made");
        std::fclose(g_out);
        return 1;
    }
    ShowWindow(g_main, SW_SHOW);
    const UINT dpi = GetDpiForWindow(g_main);
    std::fprintf(g_out, "language %s dpi %u\n", LanguageCode(), dpi);

    // The form at its size in dialog units, centred on the work area.
    RECT form{0, 0, 252, 127};
    MapDialogRect(g_main, &form);
    RECT client;
    GetClientRect(g_main, &client);
    RECT frame;
    GetWindowRect(g_main, &frame);
    std::fprintf(g_out, "window %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top);
    std::fprintf(g_out, "form %ldx%ld client %ldx%ld\n", form.right, form.bottom, client.right,
                 client.bottom);
    // As wide as the form, or wider where it was left so; never taller.
    const bool widened = LoadWindowPlace().has_value() && client.right > form.right;
    if (std::string(LanguageCode()) == "en" &&
        ((client.right != form.right && !widened) || client.bottom != form.bottom)) {
        Fail("the form is not 252 x 127 dialog units");
    }
    // Where it was left, as wide, when that is on the screen; else centred on the work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(g_main, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const std::optional<WindowPlace> place = LoadWindowPlace();
    if (place && place->x >= work.left && place->y >= work.top && place->x < work.right - 80 &&
        place->y < work.bottom - 40) {
        const long width =
            std::max<long>(place->width, form.right + (frame.right - frame.left) - client.right);
        if (frame.left != place->x || frame.top != place->y || frame.right - frame.left != width) {
            Fail("the window is not where it was left");
        }
    } else {
        const long dx = (frame.left + frame.right) - (work.left + work.right);
        const long dy = (frame.top + frame.bottom) - (work.top + work.bottom);
        if (dx < -2 || dx > 2 || dy < -2 || dy > 2) {
            Fail("the window is not centred: off by " + std::to_string(dx / 2) + ", " +
                 std::to_string(dy / 2));
        }
    }
    CheckTexts(g_main, "form");
    CheckDialog("about", ShowAboutBox);
    CheckDialog("help", ShowLittleHelp);
    CheckDialog("variables", [](HINSTANCE instance, HWND owner) {
        quorbit1::SlotValues values{};
        EditVariables(instance, owner, values);
    });
    std::fprintf(g_out, "%s\n", g_failures == 0 ? "all texts whole" : "some texts cut");
    std::fclose(g_out);
    return g_failures == 0 ? 0 : 1;
}
