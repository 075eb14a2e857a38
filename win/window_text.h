#pragma once
// A window's text, read whole or up to a limit, as one call.

#include <windows.h>

#include <string>

namespace zav {

// The whole text of the window; empty for a null window.
std::wstring windowText(HWND window);
// At most `limit` characters of the window's text, as GetWindowTextW reads them
// into a buffer of limit + 1 units.
std::wstring windowText(HWND window, int limit);
// The text of a dialog's control, at most `limit` characters.
std::wstring dialogItemText(HWND dialog, int id, int limit);

}  // namespace zav
