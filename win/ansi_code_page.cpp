#include "win/ansi_code_page.h"

#include <windows.h>

#include <climits>

namespace zav {

std::string AnsiCodePage::toAnsi(std::u16string_view text) const {
    if (text.empty() || text.size() > INT_MAX / 4) return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, &result[0], size, nullptr, nullptr);
    return result;
}

std::u16string AnsiCodePage::fromAnsi(std::string_view text) const {
    if (text.empty() || text.size() > INT_MAX) return std::u16string();
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return std::u16string();
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(&result[0]), size);
    return result;
}

const CodePageConverter& ansiCodePage() {
    static const AnsiCodePage instance;
    return instance;
}

std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::u16string fromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace zav
