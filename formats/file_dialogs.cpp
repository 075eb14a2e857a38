#include "formats/file_dialogs.h"

#include "win/modal_ui.h"
#include "win/ansi_code_page.h"

#include <commdlg.h>

#include <cwchar>

namespace zav {
namespace {

constexpr DWORD kFileNameUnits = 300;

}  // namespace

std::optional<std::wstring> askForFile(const FileQuestion& question) {
    wchar_t path[kFileNameUnits] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = question.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kFileNameUnits;
    ofn.lpstrTitle = question.title;
    ofn.Flags = question.flags;
    const BOOL chosen = question.save ? modalUi().getSaveFileName(&ofn) : modalUi().getOpenFileName(&ofn);
    if (!chosen) return std::nullopt;
    return std::wstring(path, wcsnlen(path, kFileNameUnits));
}

std::string ansiPathOf(const std::wstring& path) {
    const CodePageConverter& codePage = ansiCodePage();
    const std::u16string wide = fromWide(path);
    std::string ansiPath = codePage.toAnsi(wide);
    if (ansiPath.empty() || codePage.fromAnsi(ansiPath) != wide) return std::string();
    return ansiPath;
}

}  // namespace zav
