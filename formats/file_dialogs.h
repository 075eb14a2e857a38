#pragma once
// The file dialogs of the caption files, and the ANSI form of the paths they give.

#include <windows.h>

#include <optional>
#include <string>

namespace zav {

// What a file dialog asks: its one filter entry (a double-zero-terminated pair),
// its title and flags, and whether it is a Save dialog.
struct FileQuestion {
    const wchar_t* filter;
    const wchar_t* title;
    DWORD flags;
    bool save;
};

// Shows the dialog through modalUi() with no owner window, the filter at index 1,
// a name buffer of 300 UTF-16 units starting empty, no default extension and no
// initial folder. The chosen path, or nothing when the user cancels.
std::optional<std::wstring> askForFile(const FileQuestion& question);

// The path in the ANSI code page, as the files are opened; empty when the code page
// cannot spell it, because the nearest spelling would name some other file.
std::string ansiPathOf(const std::wstring& path);

}  // namespace zav
