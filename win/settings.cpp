#include "win/settings.h"

#include <cwchar>
#include <utility>

namespace zav::settings {
namespace {

std::wstring& root() {
    static std::wstring key = L"Software\\ZAV Caption";
    return key;
}

bool query(const wchar_t* name, DWORD type, void* data, DWORD& size) {
    DWORD actual = 0;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, root().c_str(), name,
                                        type == REG_SZ ? RRF_RT_REG_SZ : RRF_RT_REG_DWORD, &actual, data, &size);
    return status == ERROR_SUCCESS && actual == type;
}

bool write(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, root().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

}  // namespace

const std::wstring& rootKey() { return root(); }
void setRootKey(std::wstring key) { root() = std::move(key); }

std::wstring readString(const wchar_t* name, const std::wstring& fallback) {
    DWORD size = 0;
    if (!query(name, REG_SZ, nullptr, size) || size < sizeof(wchar_t)) return fallback;
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (!query(name, REG_SZ, value.data(), size)) return fallback;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

DWORD readNumber(const wchar_t* name, DWORD fallback) {
    DWORD value = 0;
    DWORD size = sizeof value;
    return query(name, REG_DWORD, &value, size) ? value : fallback;
}

bool writeString(const wchar_t* name, const std::wstring& value) {
    return write(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool writeNumber(const wchar_t* name, DWORD value) { return write(name, REG_DWORD, &value, sizeof value); }

std::optional<RECT> readPlacement(const wchar_t* name) {
    const std::wstring text = readString(name, L"");
    RECT rect{};
    if (std::swscanf(text.c_str(), L"%ld %ld %ld %ld", &rect.left, &rect.top, &rect.right, &rect.bottom) != 4)
        return std::nullopt;
    if (rect.right <= rect.left || rect.bottom <= rect.top) return std::nullopt;
    // A monitor that was there when the place was kept may be gone.
    if (!MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return std::nullopt;
    return rect;
}

bool writePlacement(const wchar_t* name, const RECT& rect) {
    wchar_t text[64];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    return writeString(name, text);
}

}  // namespace zav::settings
