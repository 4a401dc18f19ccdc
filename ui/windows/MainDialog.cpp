#include "MainDialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Dialogs.h"
#include "InputRules.h"
#include "NumberText.h"
#include "Placement.h"
#include "TextTemplate.h"
#include "Translations.h"
#include "Version.h"
#include "WideText.h"
#include "WindowState.h"
#include "WindowText.h"
#include "WorkingWindow.h"
#include "resource.h"

namespace quorbit1::windows {

namespace {

constexpr const char* kContext = "quorbit1::CQuorbit1Dlg";
constexpr UINT kRelayout = WM_APP + 1;

// A problem with the history goes where a program without a console can put it.
void Complain(const std::string& problem) {
    if (!problem.empty()) {
        OutputDebugStringW(Wide("quorbit1: " + problem + "\n").c_str());
    }
}

RECT ScaledRect(const RECT& r, UINT to, UINT from) {
    const auto s = [&](LONG v) { return MulDiv(v, static_cast<int>(to), static_cast<int>(from)); };
    return {s(r.left), s(r.top), s(r.right), s(r.bottom)};
}

// The number in the user's way of writing numbers ("100,000", "100.000").
std::string UserNumber(std::size_t n) {
    const std::wstring digits = std::to_wstring(n);
    wchar_t decimal[8] = L".";
    wchar_t thousand[8] = L",";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    NUMBERFMTW format{};
    format.NumDigits = 0;
    format.LeadingZero = 1;
    format.Grouping = 3;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousand;
    format.NegativeOrder = 1;
    wchar_t out[64] = {};
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, out, 64) == 0) {
        return Narrow(digits);
    }
    return Narrow(out);
}

}  // namespace

CQuorbit1Dlg::CQuorbit1Dlg(HINSTANCE instance)
    : m_calculator(HistoryStore(HistoryStore::DefaultPath())), m_instance(instance) {
    m_accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    Complain(m_calculator.LoadHistory());
}

CQuorbit1Dlg::~CQuorbit1Dlg() {
    m_working.reset();
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    for (HICON icon : {m_hIcon, m_hIconSmall}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

HWND CQuorbit1Dlg::Create() {
    return CreateDialogParamW(m_instance, MAKEINTRESOURCEW(IDD_QUORBIT1_DIALOG), nullptr, Proc,
                              reinterpret_cast<LPARAM>(this));
}

int CQuorbit1Dlg::Run(int show) {
    if (m_hWnd == nullptr && Create() == nullptr) {
        return 1;
    }
    ShowWindow(m_hWnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (m_hWnd != nullptr && TranslateAcceleratorW(m_hWnd, m_accelerators, &msg) != 0) {
            continue;
        }
        if (m_working != nullptr && IsDialogMessageW(m_working->Window(), &msg) != FALSE) {
            continue;
        }
        if (m_hWnd != nullptr && IsDialogMessageW(m_hWnd, &msg) != FALSE) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

INT_PTR CALLBACK CQuorbit1Dlg::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CQuorbit1Dlg*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self = reinterpret_cast<CQuorbit1Dlg*>(lParam);
        self->m_hWnd = window;
    }
    return self != nullptr ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR CQuorbit1Dlg::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_EDIT1 && HIWORD(wParam) == EN_CHANGE) {
                OnInputChanged();
                return TRUE;
            }
            return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
                OnSysAbout();
                return TRUE;
            }
            if ((wParam & 0xFFF0) == IDM_CLEARHISTORY) {
                OnClearHistory();
                return TRUE;
            }
            return FALSE;
        case WM_CONTEXTMENU: {
            // The form's own menu; the fields have theirs.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (at.x == -1 && at.y == -1) {  // from the keyboard: Shift+F10 or the menu key
                RECT r;
                GetWindowRect(GetFocus() != nullptr ? GetFocus() : m_hWnd, &r);
                at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            }
            ShowFormMenu(at);
            return TRUE;
        }
        case WM_SIZE:
            Layout();
            PlaceWorkingWindow(false);
            return TRUE;
        case WM_MOVE:
            PlaceWorkingWindow(false);
            return TRUE;
        case WM_GETMINMAXINFO: {
            if (m_baseDpi == 0) {
                return FALSE;
            }
            const SIZE form = FormSize();
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {form.cx, form.cy};
            info->ptMaxTrackSize.y = form.cy;
            return TRUE;
        }
        case WM_DPICHANGED:
            // Windows scales the dialog, its controls and fonts to the new monitor itself; the
            // fields' widths follow once it has.
            PostMessageW(m_hWnd, kRelayout, 0, 0);
            return FALSE;
        case kRelayout:
            Layout();
            return TRUE;
        case WM_PAINT:
            if (IsIconic(m_hWnd) != FALSE) {
                PaintIcon();
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(m_hIcon));
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

bool CQuorbit1Dlg::OnCommand(int id) {
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        case ID_ABOUT:
            OnAboutBox();
            return true;
        case ID_LITTLE_HELP:
            OnLittleHelp();
            return true;
        case ID_SHOW_WORKING:
            OnShowWorking();
            return true;
        case ID_VARIABLES:
            OnVariables();
            return true;
        case ID_CLEAR_HISTORY:
            OnClearHistory();
            return true;
        case ID_SYS_ABOUT:
            OnSysAbout();
            return true;
        default:
            return false;  // the fields' and radio buttons' notifications do nothing
    }
}

// The system menu's About entry and the icons, in the sizes of this monitor.
void CQuorbit1Dlg::InitCommon() {
    wchar_t about[128] = {};
    LoadStringW(m_instance, IDS_ABOUTBOX, about, 128);
    if (HMENU sysMenu = GetSystemMenu(m_hWnd, FALSE); sysMenu != nullptr && about[0] != L'\0') {
        AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(sysMenu, MF_STRING, IDM_ABOUTBOX, TrW(kContext, Narrow(about).c_str()).c_str());
        // Without an access key: the system menu's Close has C.
        AppendMenuW(sysMenu, MF_STRING, IDM_CLEARHISTORY, TrW(kContext, "Clear History").c_str());
    }
    const UINT dpi = GetDpiForWindow(m_hWnd);
    const auto load = [&](int metric) {
        const int size = GetSystemMetricsForDpi(metric, dpi);
        return static_cast<HICON>(LoadImageW(m_instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                             IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    m_hIcon = load(SM_CXICON);
    m_hIconSmall = load(SM_CXSMICON);
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
}

BOOL CQuorbit1Dlg::OnInitDialog() {
    InitCommon();
    TranslateWindow(m_hWnd, "CQuorbit1Dlg");
    HMENU menu = GetMenu(m_hWnd);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        ModifyMenuW(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, id,
                    TrW(kContext, Narrow(text).c_str()).c_str());
    }
    DrawMenuBar(m_hWnd);
    FitTexts(m_hWnd);
    CaptureLayout();

    // No text is ever cut without a word: the field holds more than the longest expression it
    // takes (counted in UTF-16, where a character may be two), so a longer paste or text is
    // seen, refused and taken back.
    SendMessageW(Item(IDC_EDIT1), EM_SETLIMITTEXT, 2 * kFieldLimit + 2, 0);
    SetWindowSubclass(Item(IDC_EDIT1), FieldProc, 0, reinterpret_cast<DWORD_PTR>(this));
    for (int id : {IDOK, IDCANCEL}) {
        SetWindowSubclass(Item(id), ButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }

    m_defaultAngle = 0;
    m_inputError = 0;
    m_angle = m_defaultAngle;
    m_errorText.clear();
    UpdateData(false);
    RestorePlace();
    // Nobody sets the focus here, so it starts on the first control in tab order.
    return TRUE;
}

bool CQuorbit1Dlg::UpdateData(bool save) {
    bool answerIsNumber = true;
    if (save) {
        m_input = WindowTextW(Item(IDC_EDIT1));
        m_errors = WindowTextW(Item(IDC_EDIT2));
        const std::string answer = WindowTextUtf8(Item(IDC_EDIT3));
        char* end = nullptr;
        const double value = std::strtod(answer.c_str(), &end);
        answerIsNumber = !answer.empty() && end != answer.c_str();
        if (answerIsNumber) {
            m_answer = value;
        }
        m_angle =
            IsDlgButtonChecked(m_hWnd, IDC_RADIO1) == BST_CHECKED   ? AngleMode(AngleUnit::kDegrees)
            : IsDlgButtonChecked(m_hWnd, IDC_RADIO2) == BST_CHECKED ? AngleMode(AngleUnit::kRadians)
                                                                    : -1;
    } else {
        if (WindowTextW(Item(IDC_EDIT1)) != m_input) {
            SetWindowTextW(Item(IDC_EDIT1), m_input.c_str());
        }
        SetWindowTextW(Item(IDC_EDIT2), m_errors.c_str());
        SetWindowTextW(Item(IDC_EDIT3), Wide(AnswerText(m_answer)).c_str());
        CheckDlgButton(m_hWnd, IDC_RADIO1,
                       m_angle == AngleMode(AngleUnit::kDegrees) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(m_hWnd, IDC_RADIO2,
                       m_angle == AngleMode(AngleUnit::kRadians) ? BST_CHECKED : BST_UNCHECKED);
    }
    return answerIsNumber;
}

std::wstring CQuorbit1Dlg::TooLongMessage() const {
    return Wide(FillTemplate(Tr("quorbit1::Message", kMsgTooLong), {UserNumber(kFieldLimit)}));
}

// A text longer than the field takes is refused whole, and the edit that made it so taken
// back; the answer, the history and the working stay as they were.
void CQuorbit1Dlg::OnInputChanged() {
    if (m_takingBack) {
        return;
    }
    HWND field = Item(IDC_EDIT1);
    std::wstring text = WindowTextW(field);
    if (text.size() <= kFieldLimit || FieldTakes(Narrow(text))) {
        m_inputBefore = std::move(text);
        return;
    }
    SetWindowTextW(Item(IDC_EDIT2), TooLongMessage().c_str());
    m_takingBack = true;
    SetWindowTextW(field, m_inputBefore.c_str());
    m_takingBack = false;
    const auto end = static_cast<WPARAM>(m_inputBefore.size());
    SendMessageW(field, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void CQuorbit1Dlg::OnOK() {
    UpdateData(true);
    const std::string text = Narrow(m_input);
    if (!FieldTakes(text)) {
        m_errors = TooLongMessage();
        UpdateData(false);
        return;
    }
    // While the working window is open it shows the working of this very solve.
    const bool working = m_working != nullptr && m_working->IsVisible();
    m_calculator.RecordWorking(working, kShownStages, kShownTerms);
    m_inputError = 0;
    m_calculator.SetUnit(UnitOfMode(m_angle));
    const Command& command = m_calculator.Ok(text);
    m_errorText = command.outcome.message;
    m_answer = command.outcome.answer;
    m_errors = m_errorText.empty() ? std::wstring() : TrW("quorbit1::Message", m_errorText.c_str());
    UpdateData(false);
    m_errorText.clear();
    Complain(m_calculator.TakeHistoryProblem());
    MarkCharacter(command.outcome.markPos);
    if (working) {
        UpdateWorking();
    }
}

void CQuorbit1Dlg::OnCancel() {
    SavePlace();
    m_working.reset();
    DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

// Selects the character the message is about, so the user sees where to look.
void CQuorbit1Dlg::MarkCharacter(int bytePos) {
    const std::string text = Narrow(m_input);
    if (bytePos < 0 || static_cast<std::size_t>(bytePos) >= text.size()) {
        return;
    }
    const std::size_t index = Utf16Offset(text, static_cast<std::size_t>(bytePos));
    const std::size_t length = index < m_input.size() && IS_HIGH_SURROGATE(m_input[index]) ? 2 : 1;
    SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_EDIT1)), TRUE);
    SendMessageW(Item(IDC_EDIT1), EM_SETSEL, index, static_cast<LPARAM>(index + length));
}

void CQuorbit1Dlg::OnAboutBox() {
    const std::string text = FillTemplate(Tr(kContext, "Quorbit1 Version %1"), {kVersion});
    MessageBoxW(m_hWnd, Wide(text).c_str(), TrW(kContext, "About Quorbit").c_str(), MB_OK);
}

void CQuorbit1Dlg::OnLittleHelp() {
    ShowLittleHelp(m_instance, m_hWnd);
}

void CQuorbit1Dlg::OnSysAbout() {
    ShowAboutBox(m_instance, m_hWnd);
}

void CQuorbit1Dlg::OnVariables() {
    SlotValues values = m_calculator.Slots();
    if (EditVariables(m_instance, m_hWnd, values)) {
        m_calculator.SetSlots(values);
    }
}

void CQuorbit1Dlg::OnClearHistory() {
    const std::string question =
        FillTemplate(Tr(kContext,
                        "Expressions in the history: %1. Remove them all? The command "
                        "line, quorbit1-cli, keeps the same history, so they are gone "
                        "there too."),
                     {std::to_string(m_calculator.History().size())});
    if (MessageBoxW(m_hWnd, Wide(question).c_str(), TrW(kContext, "Clear History").c_str(),
                    MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDOK) {
        return;
    }
    const std::string problem = m_calculator.ClearHistory();
    Complain(problem);
    SetWindowTextW(Item(IDC_EDIT2),
                   TrW(kContext, problem.empty() ? "History cleared."
                                                 : "The history file could not be emptied.")
                       .c_str());
}

void CQuorbit1Dlg::ShowFormMenu(POINT at) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, ID_SYS_ABOUT, TrW(kContext, "&About Quorbit1...").c_str());
    AppendMenuW(menu, MF_STRING | (m_calculator.History().empty() ? MF_GRAYED : 0u),
                ID_CLEAR_HISTORY, TrW(kContext, "&Clear History").c_str());
    const int id =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    if (id != 0) {
        OnCommand(id);
    }
}

// Up (step -1) and Down (step +1) through the history, as a shell does.
void CQuorbit1Dlg::Recall(int step) {
    HWND field = Item(IDC_EDIT1);
    if (const std::optional<std::string> text = m_calculator.Recall(step, WindowTextUtf8(field))) {
        const std::wstring wide = Wide(*text);
        SetWindowTextW(field, wide.c_str());
        SendMessageW(field, EM_SETSEL, wide.size(), static_cast<LPARAM>(wide.size()));
    }
}

void CQuorbit1Dlg::OnShowWorking() {
    if (m_working == nullptr) {
        m_working = std::make_unique<CWorkingWindow>(m_instance, m_hWnd);
        SendMessageW(m_working->Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        SendMessageW(m_working->Window(), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(m_hIconSmall));
    }
    const bool opening = !m_working->IsVisible();
    if (opening) {
        PlaceWorkingWindow(true);
    }
    UpdateWorking();
}

// The working of the last OK command, recorded while the window was open, or made again now.
void CQuorbit1Dlg::UpdateWorking() {
    WorkingView view = m_calculator.Working(kShownStages, kShownTerms);
    if (!m_calculator.Last().any) {
        view.message = Tr(kContext, "No expression yet.");
    }
    m_working->Show(view);
}

// The working window goes beside the calculator, where it does not hide the fields it
// explains, and follows it when the calculator is moved or made wider.
void CQuorbit1Dlg::PlaceWorkingWindow(bool opening) {
    if (m_working == nullptr || (!opening && !m_working->IsVisible())) {
        return;
    }
    RECT frame;
    GetWindowRect(m_hWnd, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const UINT dpi = GetDpiForWindow(m_hWnd);
    const SIZE wanted = CWorkingWindow::PreferredSize(dpi);
    const SIZE least = CWorkingWindow::SmallestSize(dpi);
    const ScreenBox place = quorbit1::PlaceBeside(
        {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
        {wanted.cx, wanted.cy},
        {work.left, work.top, work.right - work.left, work.bottom - work.top},
        {least.cx, least.cy});
    SetWindowPos(m_working->Window(), nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQuorbit1Dlg::PaintIcon() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

void CQuorbit1Dlg::CaptureLayout() {
    m_baseDpi = GetDpiForWindow(m_hWnd);
    RECT window;
    GetWindowRect(m_hWnd, &window);
    m_baseWindow = {window.right - window.left, window.bottom - window.top};
    RECT client;
    GetClientRect(m_hWnd, &client);
    m_baseClientWidth = client.right;
    m_laid.clear();
    for (int id : {IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_RADIO1, IDC_RADIO2, IDC_ANGLE_GROUP, IDOK,
                   IDCANCEL}) {
        RECT r;
        GetWindowRect(Item(id), &r);
        MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        m_laid.push_back({id, r, id == IDC_EDIT1 || id == IDC_EDIT2 || id == IDC_EDIT3});
    }
}

SIZE CQuorbit1Dlg::FormSize() const {
    const UINT dpi = GetDpiForWindow(m_hWnd);
    return {MulDiv(m_baseWindow.cx, static_cast<int>(dpi), static_cast<int>(m_baseDpi)),
            MulDiv(m_baseWindow.cy, static_cast<int>(dpi), static_cast<int>(m_baseDpi))};
}

// The fields grow with the window's width; the angle unit and the buttons keep to its right.
void CQuorbit1Dlg::Layout() {
    if (m_baseDpi == 0) {
        return;
    }
    const UINT dpi = GetDpiForWindow(m_hWnd);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int extra =
        std::max<int>(0, client.right - MulDiv(m_baseClientWidth, static_cast<int>(dpi),
                                               static_cast<int>(m_baseDpi)));
    for (const Laid& laid : m_laid) {
        RECT r = ScaledRect(laid.base, dpi, m_baseDpi);
        if (laid.grows) {
            r.right += extra;
        } else {
            OffsetRect(&r, extra, 0);
        }
        SetWindowPos(Item(laid.id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

// Where the window was when it last closed, and as wide, if enough of it to grab by its title
// bar is still on a screen; else centred, as the form says.
void CQuorbit1Dlg::RestorePlace() {
    const std::optional<WindowPlace> place = LoadWindowPlace();
    if (!place) {
        return;
    }
    const SIZE form = FormSize();
    const int width = std::max<int>(place->width, form.cx);
    const RECT titleBar{place->x, place->y, place->x + width, place->y + 40};
    HMONITOR monitor = MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL);
    if (monitor == nullptr) {
        return;
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    RECT visible;
    IntersectRect(&visible, &titleBar, &info.rcWork);
    if (visible.right - visible.left >= 80 && visible.bottom - visible.top >= 20) {
        SetWindowPos(m_hWnd, nullptr, place->x, place->y, width, form.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CQuorbit1Dlg::SavePlace() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(m_hWnd, &placement);  // where it would be were it not minimised
    const RECT& r = placement.rcNormalPosition;
    SaveWindowPlace(
        {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left)});
}

// Up and Down in the expression field recall earlier expressions.
LRESULT CALLBACK CQuorbit1Dlg::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        reinterpret_cast<CQuorbit1Dlg*>(self)->Recall(wParam == VK_UP ? -1 : 1);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(field, FieldProc, 0);
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

// The focus starts on OK, the first control in tab order. Someone who starts typing or pasting
// there means the expression, so a character, Backspace and the edit keys (paste, cut, select
// all, undo) typed on either button go to the expression field, and the focus with them. Enter,
// Space, Tab, the arrows, Escape and the access keys keep their usual meaning.
LRESULT CALLBACK CQuorbit1Dlg::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
    const auto forwarded = [](WPARAM c) {
        return c == 0x08 || c == 0x01 || c == 0x03 || c == 0x16 || c == 0x18 || c == 0x1A ||
               (c > 0x20 && c != 0x7F);
    };
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (message == WM_GETDLGCODE && lParam != 0) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_CHAR && forwarded(msg->wParam) && !alt) {
            return DefSubclassProc(button, message, wParam, lParam) | DLGC_WANTCHARS;
        }
    }
    if (message == WM_CHAR && forwarded(wParam) && !alt) {
        auto* dialog = reinterpret_cast<CQuorbit1Dlg*>(self);
        HWND field = dialog->Item(IDC_EDIT1);
        SendMessageW(dialog->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        if (wParam > 0x20) {
            const int end = GetWindowTextLengthW(field);
            SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(end), end);
        }
        SendMessageW(field, WM_CHAR, wParam, lParam);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, ButtonProc, 0);
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace quorbit1::windows
