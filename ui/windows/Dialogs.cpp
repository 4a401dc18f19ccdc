#include "Dialogs.h"

#include <string>

#include "InputRules.h"
#include "NumberText.h"
#include "TextTemplate.h"
#include "Translations.h"
#include "Version.h"
#include "WideText.h"
#include "WindowText.h"
#include "resource.h"

namespace quorbit1::windows {

namespace {

// About and the help: texts and an OK button, in the user's language; the dialog's context in
// the translations comes as the parameter. The About box's version line names this version.
INT_PTR CALLBACK TextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            TranslateWindow(dialog, reinterpret_cast<const char*>(lParam));
            if (GetDlgItem(dialog, IDC_VERSION) != nullptr) {
                const std::string version =
                    FillTemplate(Tr("quorbit1::CAboutDlg", "Quorbit1 Version %1"), {kVersion});
                SetDlgItemTextW(dialog, IDC_VERSION, Wide(version).c_str());
            }
            FitTexts(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK VariablesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* values = reinterpret_cast<SlotValues*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            values = reinterpret_cast<SlotValues*>(lParam);
            TranslateWindow(dialog, "quorbit1::CVariablesDlg");
            for (std::size_t i = 0; i < kSlotCount; ++i) {
                SetDlgItemTextW(dialog, IDC_VAR_FIRST + static_cast<int>(i),
                                Wide(AnswerText((*values)[i])).c_str());
            }
            FitTexts(dialog);
            // X is selected, so what is typed replaces it.
            SendMessageW(dialog, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_VAR_FIRST)), TRUE);
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                SlotValues parsed{};
                const std::string separator = DecimalSeparator();
                for (std::size_t i = 0; i < kSlotCount; ++i) {
                    HWND field = GetDlgItem(dialog, IDC_VAR_FIRST + static_cast<int>(i));
                    const std::optional<double> v = ReadSlotValue(WindowTextUtf8(field), separator);
                    if (!v) {
                        const std::string letter(1, kSlotLetters[i]);
                        SetDlgItemTextW(
                            dialog, IDC_VAR_MESSAGE,
                            Wide(FillTemplate(Tr("quorbit1::CVariablesDlg", kMsgNotANumber),
                                              {letter}))
                                .c_str());
                        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
                        return TRUE;  // nothing changes
                    }
                    parsed[i] = *v;
                }
                *values = parsed;
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::string DecimalSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) {
        return ".";
    }
    return Narrow(separator);
}

void ShowAboutBox(HINSTANCE instance, HWND owner) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, TextDialogProc,
                    reinterpret_cast<LPARAM>("CAboutDlg"));
}

void ShowLittleHelp(HINSTANCE instance, HWND owner) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_DIALOG2), owner, TextDialogProc,
                    reinterpret_cast<LPARAM>("CDialog2"));
}

bool EditVariables(HINSTANCE instance, HWND owner, SlotValues& values) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_VARIABLES), owner, VariablesProc,
                           reinterpret_cast<LPARAM>(&values)) == IDOK;
}

}  // namespace quorbit1::windows
