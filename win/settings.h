#pragma once
// The program's remembered choices, one value each under
// HKEY_CURRENT_USER\Software\ZAV Caption: window placements, open windows and the
// options of its tools. Values are read when a window or tool starts and written when
// they change; a value that is missing or of the wrong type reads as the default
// given, so a first start and a damaged key behave alike.

#include <windows.h>

#include <optional>
#include <string>

namespace zav::settings {

// The key below HKEY_CURRENT_USER that holds the values; tests point it elsewhere.
const std::wstring& rootKey();
void setRootKey(std::wstring key);

std::wstring readString(const wchar_t* name, const std::wstring& fallback);
DWORD readNumber(const wchar_t* name, DWORD fallback);
// False when the value could not be written (the choice then lasts for this run).
bool writeString(const wchar_t* name, const std::wstring& value);
bool writeNumber(const wchar_t* name, DWORD value);

// A window's place and size on the screen, kept as "left top right bottom". Nothing
// when none is kept or it would show the window nowhere on a monitor.
std::optional<RECT> readPlacement(const wchar_t* name);
bool writePlacement(const wchar_t* name, const RECT& rect);

// A tool window's memory: its place under name, and under name + "Open" whether it
// was open when the program last ended. A close by the user clears that; the
// program's own end, which destroys the window without closing it, keeps it.
class ToolWindowMemory {
public:
    explicit ToolWindowMemory(std::wstring name) : place_(std::move(name)), open_(place_ + L"Open") {}
    bool wasOpen() const { return readNumber(open_.c_str(), 0) != 0; }
    void setOpen(bool open) const { writeNumber(open_.c_str(), open ? 1 : 0); }
    std::optional<RECT> place() const { return readPlacement(place_.c_str()); }
    // Keeps where the window is, unless it is minimised.
    void keepPlace(HWND window) const {
        RECT rect{};
        if (GetWindowRect(window, &rect) && !IsIconic(window)) writePlacement(place_.c_str(), rect);
    }

private:
    std::wstring place_;
    std::wstring open_;
};

}  // namespace zav::settings
