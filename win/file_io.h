#pragma once
// Reading and writing a file's bytes whole, the one way the program does it.
// Paths come as UTF-16, or as 8-bit text in the ANSI code page (as the caption file
// commands hold them); an empty path never names a file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

// The whole file; nothing when it cannot be opened or read (or is too large to hold).
std::optional<std::string> readFileBytes(const std::wstring& path);
std::optional<std::string> readFileBytes(const std::string& ansiPath);

// Makes the bytes the file's whole content, creating the file or replacing it, and
// never leaves it half-written: the bytes go to a temporary file in the same folder,
// are flushed to the disk, and only then take the target's place in one step. An
// existing target that could not be opened for writing (read-only, locked by another
// program for longer than a second) is left alone. False, with the target as it was and no temporary file
// left, when anything fails.
bool writeFileBytes(const std::wstring& path, std::string_view bytes);
bool writeFileBytes(const std::string& ansiPath, std::string_view bytes);

// The name of the first entry a wildcard pattern (as "folder\\*_files") matches, a
// file or a folder; nothing when none does.
std::optional<std::wstring> firstMatchingEntry(const std::wstring& pattern);

// For tests: while one exists, every write of writeFileBytes fails once the given
// number of bytes of its file have been written, as a full disk would fail it.
class WriteFailureForTesting {
public:
    explicit WriteFailureForTesting(std::size_t failAfterBytes);
    ~WriteFailureForTesting();
    WriteFailureForTesting(const WriteFailureForTesting&) = delete;
    WriteFailureForTesting& operator=(const WriteFailureForTesting&) = delete;
};

// An 8-bit path in the ANSI code page as UTF-16, as the A functions would read it.
std::wstring widePathOf(const std::string& ansiPath);

}  // namespace zav
