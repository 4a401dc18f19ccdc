// The calculator's small dialogs: About (resource 100), the help (134) and the variables (135),
// each modal, in the user's language.
#pragma once

#include <windows.h>

#include <string>

#include "Inputs.h"

namespace quorbit1::windows {

void ShowAboutBox(HINSTANCE instance, HWND owner);
void ShowLittleHelp(HINSTANCE instance, HWND owner);
// The values of X, Y, Z and T as the user leaves them: true, and values changed, on OK.
bool EditVariables(HINSTANCE instance, HWND owner, SlotValues& values);

// The user's decimal separator, for numbers typed in the user's own way.
std::string DecimalSeparator();

}  // namespace quorbit1::windows
