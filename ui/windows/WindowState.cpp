#include "WindowState.h"

namespace quorbit1::windows {

namespace {
constexpr const wchar_t* kKey = L"Software\\Quorbit1";
constexpr const wchar_t* kNames[] = {L"WindowX", L"WindowY", L"WindowWidth"};
}  // namespace

std::optional<WindowPlace> LoadWindowPlace() {
    DWORD values[3] = {};
    for (int i = 0; i < 3; ++i) {
        DWORD size = sizeof values[i];
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, kNames[i], RRF_RT_REG_DWORD, nullptr, &values[i],
                         &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
    }
    // Stored as DWORDs; a window left of or above the primary screen has negative places.
    return WindowPlace{static_cast<int>(values[0]), static_cast<int>(values[1]),
                       static_cast<int>(values[2])};
}

void SaveWindowPlace(const WindowPlace& place) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    const int values[3] = {place.x, place.y, place.width};
    for (int i = 0; i < 3; ++i) {
        const auto value = static_cast<DWORD>(values[i]);
        RegSetValueExW(key, kNames[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    }
    RegCloseKey(key);
}

}  // namespace quorbit1::windows
