#pragma once
#include <windows.h>

namespace zav {

// The command panel, modeless child dialog 232: its buttons and the language combo
// box send their commands on to the main window.
HWND createCommandPanel(HINSTANCE instance, HWND mainWindow);
INT_PTR CALLBACK CommandPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zav
