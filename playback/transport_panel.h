#pragma once
// The transport panel, modeless child dialog 230 under the player. It only
// translates: its buttons and sliders become command and horizontal-scroll requests
// to the main window, whose handlers drive the player (transport_commands.cpp).

#include <windows.h>

namespace zav {

HWND createTransportPanel(HINSTANCE instance, HWND mainWindow);

// The dialog procedure: TRUE for the messages it handles, FALSE otherwise.
INT_PTR CALLBACK TransportPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// True while the user drags the seek slider's thumb; the position refresh then leaves
// the slider alone. One flag for the process, false at start.
bool isSeekDragActive() noexcept;
void setSeekDragActive(bool active) noexcept;

}  // namespace zav
