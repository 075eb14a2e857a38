#include "win/window_text.h"

namespace zav {

std::wstring windowText(HWND window) {
    const int length = window ? GetWindowTextLengthW(window) : 0;
    return length > 0 ? windowText(window, length) : std::wstring();
}

std::wstring windowText(HWND window, int limit) {
    if (!window || limit <= 0) return std::wstring();
    std::wstring text(static_cast<std::size_t>(limit) + 1, L'\0');
    const int read = GetWindowTextW(window, &text[0], limit + 1);
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return text;
}

std::wstring dialogItemText(HWND dialog, int id, int limit) { return windowText(GetDlgItem(dialog, id), limit); }

}  // namespace zav
