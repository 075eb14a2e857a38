// Export SAMI and Import SAMI.

#include "app/main_window.h"
#include "app/modal_ui.h"
#include "captions/ansi_code_page.h"
#include "captions/timing_commands.h"
#include "formats/sami_reader.h"
#include "formats/sami_writer.h"

#include <cstring>

namespace zav {
namespace {

constexpr DWORD kFileNameUnits = 300;

// The file dialogs of both commands: no owner, one filter entry, an empty name buffer
// and the flags OFN_OVERWRITEPROMPT | OFN_SHOWHELP. False when the user cancels.
bool chooseSamiFile(bool save, const wchar_t* filter, const wchar_t* title, std::wstring& path) {
    wchar_t name[kFileNameUnits] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = kFileNameUnits;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    const BOOL chosen = save ? modalUi().getSaveFileName(&ofn) : modalUi().getOpenFileName(&ofn);
    if (!chosen) return false;
    name[kFileNameUnits - 1] = L'\0';
    path = name;
    return true;
}

// The path in the ANSI code page, as the files are opened. False when the code page
// cannot spell it: the nearest spelling would name some other file.
bool ansiPathOf(const std::wstring& path, std::string& ansiPath) {
    const CodePageConverter& codePage = ansiCodePage();
    ansiPath = codePage.toAnsi(fromWide(path));
    return !ansiPath.empty() && codePage.fromAnsi(ansiPath) == fromWide(path);
}

}  // namespace

LRESULT MainWindow::onExportSami(WPARAM, LPARAM) {
    std::wstring path;
    if (!chooseSamiFile(true, L"SAMI file\0*.smi\0", L"Save As", path)) return 0;
    sortByTime(captionPanel_);
    std::string ansiPath;
    if (!ansiPathOf(path, ansiPath)) {
        modalUi().messageBox(hwnd(), L"Error, can't Save SAMI file.", L"", MB_OK);
        return 0;
    }
    SamiWriter(captionPanel_.document, hwnd()).writeSamiFile(ansiPath);
    return 0;
}

LRESULT MainWindow::onImportSami(WPARAM, LPARAM) {
    std::wstring path;
    if (!chooseSamiFile(false, L"SAMI Script\0*.smi\0", L"Open Caption SAMI File", path)) return 0;
    std::string ansiPath;
    // A path the code page cannot spell reads as a file that does not exist. The
    // reader empties the document only once the file has been read.
    if (!ansiPathOf(path, ansiPath)) ansiPath.clear();
    SamiReader(captionPanel_, languageCombo(), hwnd()).readSamiFile(ansiPath);
    return 0;
}

}  // namespace zav
