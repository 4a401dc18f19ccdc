// Where the calculator's window was and how wide, kept per user as Windows programs keep such
// things: under HKEY_CURRENT_USER\Software\Quorbit1.
#pragma once

#include <windows.h>

#include <optional>

namespace quorbit1::windows {

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
};

std::optional<WindowPlace> LoadWindowPlace();
void SaveWindowPlace(const WindowPlace& place);

}  // namespace quorbit1::windows
