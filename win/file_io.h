#pragma once
// Reading and writing a file's bytes whole, the one way the program does it.
// Paths come as UTF-16, or as 8-bit text in the ANSI code page (as the caption file
// commands hold them); an empty path never names a file.

#include <optional>
#include <string>
#include <string_view>

namespace zav {

// The whole file; nothing when it cannot be opened or read (or is too large to hold).
std::optional<std::string> readFileBytes(const std::wstring& path);
std::optional<std::string> readFileBytes(const std::string& ansiPath);

// Makes the bytes the file's whole content, creating the file or replacing it.
// False when the file could not be written whole.
bool writeFileBytes(const std::wstring& path, std::string_view bytes);
bool writeFileBytes(const std::string& ansiPath, std::string_view bytes);

// The name of the first entry a wildcard pattern (as "folder\\*_files") matches, a
// file or a folder; nothing when none does.
std::optional<std::wstring> firstMatchingEntry(const std::wstring& pattern);

// An 8-bit path in the ANSI code page as UTF-16, as the A functions would read it.
std::wstring widePathOf(const std::string& ansiPath);

}  // namespace zav
