#pragma once
// The modeless panels (the transport and command panels) are dialogs that place
// themselves in the main window's client area when they are made, keeping the size
// their template gives them.

#include <windows.h>

namespace zav {

inline void placePanelAt(HWND panel, int x, int y) {
    RECT r{};
    GetWindowRect(panel, &r);
    MoveWindow(panel, x, y, r.right - r.left, r.bottom - r.top, TRUE);
}

}  // namespace zav
