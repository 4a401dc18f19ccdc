// The working of the last expression, in a window of its own beside the calculator: the
// calculator's plain-text working (core's WorkingPlainText) in the user's language.
#pragma once

#include <windows.h>

#include "Working.h"

namespace quorbit1::windows {

class CWorkingWindow {
public:
    CWorkingWindow(HINSTANCE instance, HWND owner);
    ~CWorkingWindow();
    CWorkingWindow(const CWorkingWindow&) = delete;
    CWorkingWindow& operator=(const CWorkingWindow&) = delete;

    HWND Window() const { return m_hWnd; }
    bool IsVisible() const { return m_hWnd != nullptr && IsWindowVisible(m_hWnd) != FALSE; }
    void Show(const WorkingView& view);

    // Its preferred and least sizes, in pixels at this DPI.
    static SIZE PreferredSize(UINT dpi);
    static SIZE SmallestSize(UINT dpi);

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SetFixedFont();

    HWND m_hWnd = nullptr;
    HFONT m_font = nullptr;
};

}  // namespace quorbit1::windows
