#pragma once
// The modeless panels (the transport and command panels) are dialogs that place
// themselves in the main window's client area when they are made, keeping the size
// their template gives them.

#include "win/dpi.h"

#include <windows.h>

namespace zav {

// x and y are 96-DPI units, scaled by the main window's DPI as the panel's own size
// is scaled through its dialog units.
inline void placePanelAt(HWND panel, int x, int y) {
    RECT r{};
    GetWindowRect(panel, &r);
    const UINT dpi = dpiOf(GetParent(panel));
    MoveWindow(panel, scaled(x, dpi), scaled(y, dpi), r.right - r.left, r.bottom - r.top, TRUE);
}

}  // namespace zav
