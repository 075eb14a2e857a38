#pragma once
// The pixels of a window as it is drawn on the screen now (32-bit, row by row from
// the top), read through a DIB section: its client area, or with whole set the
// window with its frame and scroll bars.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace zav::test {

struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
};

inline WindowPixels windowPixels(HWND window, bool whole) {
    WindowPixels shot;
    RECT rect{};
    if (whole) {
        GetWindowRect(window, &rect);
    } else {
        GetClientRect(window, &rect);
    }
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    if (shot.width <= 0 || shot.height <= 0) return shot;
    HDC source = whole ? GetWindowDC(window) : GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(first, first + static_cast<std::size_t>(shot.width) * shot.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return shot;
}

}  // namespace zav::test
