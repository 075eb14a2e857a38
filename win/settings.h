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

}  // namespace zav::settings
