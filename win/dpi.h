#pragma once
// Sizes at a window's DPI. Sizes are written in 96-DPI units and scaled by the
// window's own DPI (the monitor's, for a per-monitor aware program; the system's
// otherwise), so that at 96 DPI every rectangle is the size written.

#include <windows.h>

namespace zav {

// The window's DPI: GetDpiForWindow where the system has it (Windows 10 on),
// otherwise the screen's LOGPIXELSX. 96 when neither answers.
inline UINT dpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    UINT dpi = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
    return dpi ? dpi : 96;
}

// A 96-DPI size at dpi, rounded as MulDiv rounds.
inline int scaled(int size96, UINT dpi) { return MulDiv(size96, static_cast<int>(dpi), 96); }

}  // namespace zav
