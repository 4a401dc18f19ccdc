// What every window of the calculator does with its texts as it opens: puts them in the user's
// language, and makes room where a translation needs more than the English did.
#pragma once

#include <windows.h>

#include <string>

namespace quorbit1::windows {

// The window's caption and every child's text in the user's language, each looked up in
// context (the dialog's own in the translations), else in the calculator's.
void TranslateWindow(HWND window, const char* context);

// A translated text may be wider than its control: a label grows to the right where nothing
// is beside it, else wraps onto more lines and pushes what is below it down (and the window
// with it); a radio button widens, and its group box with it. Each control's text then fits.
void FitTexts(HWND window);

// The text a control shows, as it is measured: its size in pixels, in its own font, on one
// line or wrapped at width (0: one line).
SIZE TextExtent(HWND control, const std::wstring& text, int width, bool noPrefix);

// A window's class name ("Static", "Button", "Edit", "#32770" for a dialog).
std::wstring ClassOf(HWND window);

// A window's text, UTF-16 and as UTF-8.
std::wstring WindowTextW(HWND window);
std::string WindowTextUtf8(HWND window);

}  // namespace quorbit1::windows
