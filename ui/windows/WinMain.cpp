// quorbit1.exe: the calculator's window. It opens centred, answers until Exit, and ends.
#include <windows.h>

#include <commctrl.h>

#include "MainDialog.h"
#include "Translations.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    quorbit1::windows::ChooseLanguage();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    quorbit1::windows::CQuorbit1Dlg dialog(instance);
    return dialog.Run(show);
}
