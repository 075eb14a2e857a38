// Transcript files: New Transcript File, Open Transcript and Save Transcript As.

#include "app/main_window.h"
#include "win/modal_ui.h"
#include "win/ansi_code_page.h"
#include "captions/language_commands.h"
#include "formats/file_dialogs.h"
#include "core/transcript_text.h"
#include "resources/resource_ids.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace zav {
namespace {

// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL
constexpr DWORD kTranscriptStyle = 0x50A10044;

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Asks for a transcript file; its path in the ANSI code page (empty when the code
// page cannot spell it, which then fails as a file that cannot be opened).
bool chooseTranscriptFile(bool save, const wchar_t* filter, const wchar_t* title, std::string& ansiPath) {
    const auto path = askForFile({filter, title, OFN_OVERWRITEPROMPT | OFN_SHOWHELP, save});
    if (!path) return false;
    ansiPath = ansiPathOf(*path);
    return true;
}

// The window's whole text. Its text limit (EM_GETLIMITTEXT) only stops typing: a
// longer text opened from a file is kept whole, so that saving never cuts it.
std::wstring transcriptText(HWND transcript) {
    const int length = GetWindowTextLengthW(transcript);
    std::vector<wchar_t> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int read = GetWindowTextW(transcript, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<std::size_t>(read > 0 ? read : 0));
}

}  // namespace

LRESULT MainWindow::onNewTranscriptFile(WPARAM, LPARAM) {
    captionPanel_.deleteAllRows();
    for (int language = captionPanel_.document.languageCount() - 1; language >= 0; --language)
        deleteLanguage(captionPanel_, languageCombo(), language, hwnd());

    // A transcript window that exists already keeps its text.
    if (!transcriptWindow_) {
        RECT outer{};
        GetWindowRect(hwnd(), &outer);
        const int width = std::max<int>(outer.right - outer.left - 310, 0);
        const int height = std::max<int>(outer.bottom - outer.top - 50, 0);
        transcriptWindow_ = CreateWindowExW(WS_EX_WINDOWEDGE, L"EDIT", L"", kTranscriptStyle, 310, 0, width, height,
                                            hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TRANSCRIPT_WINDOW)),
                                            instance_, nullptr);
    }
    for (HWND window : {commandPanel_, captionPanel_.hwnd(), captionHeader_, startTimeHeader_}) {
        if (window) ShowWindow(window, SW_HIDE);
    }
    for (UINT id : {IDM_EXPORT_SAMI, IDM_IMPORT_TEXT_SCRIPT, IDM_IMPORT_SAMI, IDM_OPEN_PRODUCER_MOVIE,
                    IDM_EXPORT_TO_PRODUCER}) {
        EnableMenuItem(menu_, id, MF_BYCOMMAND | MF_GRAYED);
    }
    EnableMenuItem(menu_, IDM_SAVE_TRANSCRIPT_AS, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(menu_, IDM_OPEN_TRANSCRIPT, MF_BYCOMMAND | MF_ENABLED);
    return 0;
}

LRESULT MainWindow::onSaveTranscriptAs(WPARAM, LPARAM) {
    // The menu offers the command only while a transcript is open.
    if (!transcriptWindow_) return 0;
    std::string ansiPath;
    if (!chooseTranscriptFile(true, L"TEXT file\0*.txt\0", L"Save As", ansiPath)) return 0;
    // A name the code page cannot spell converts to nothing, and the extension rule
    // must not turn that into ".txt" in the current folder.
    UniqueFile file(ansiPath.empty() ? nullptr : std::fopen(withTxtExtension(std::move(ansiPath)).c_str(), "wb"));
    if (!file) {
        modalUi().messageBox(hwnd(), L"Could not save the transcript file", L"", MB_OK);
        return 0;
    }
    const std::string bytes = transcriptFileBytes(fromWide(transcriptText(transcriptWindow_)), ansiCodePage());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    // A file that could not be written whole (a full disk) is reported, not passed off
    // as saved.
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) modalUi().messageBox(hwnd(), L"Could not save the transcript file", L"", MB_OK);
    return 0;
}

LRESULT MainWindow::onOpenTranscript(WPARAM, LPARAM) {
    // The menu offers the command only while a transcript is open.
    if (!transcriptWindow_) return 0;
    std::string ansiPath;
    if (!chooseTranscriptFile(false, L"Transcript\0*.txt\0", L"Open Transcript", ansiPath)) return 0;

    UniqueFile file(std::fopen(ansiPath.c_str(), "rb"));
    if (!file) {
        modalUi().messageBox(hwnd(), L"Could not open the transcript file", L"", MB_OK);
        return 0;
    }
    std::string bytes;
    char chunk[16384];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, read);
    file.reset();
    const std::u16string text = transcriptWindowText(bytes, ansiCodePage());
    SetDlgItemTextW(hwnd(), IDC_TRANSCRIPT_WINDOW, toWide(text).c_str());
    return 0;
}

}  // namespace zav
