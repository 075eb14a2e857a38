#pragma once
#include <windows.h>

namespace zav {

// The transport panel, modeless child dialog 230 under the player.
HWND createTransportPanel(HINSTANCE instance, HWND mainWindow);
INT_PTR CALLBACK TransportPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zav
