#include "formats/transcript_commands.h"

#include "core/transcript_text.h"
#include "formats/file_dialogs.h"
#include "win/ansi_code_page.h"
#include "win/file_io.h"
#include "win/modal_ui.h"
#include "win/window_text.h"

#include <commdlg.h>

#include <string>

namespace zav {
namespace {

// Asks for a transcript file; its path in the ANSI code page, empty when the code
// page cannot spell it (which then fails as a file that cannot be opened).
std::optional<std::string> chooseTranscriptFile(bool save, const wchar_t* filter, const wchar_t* title) {
    const auto path = askForFile({filter, title, OFN_OVERWRITEPROMPT | OFN_SHOWHELP, save});
    if (!path) return std::nullopt;
    return ansiPathOf(*path);
}

}  // namespace

std::wstring saveTranscriptAs(HWND transcript, HWND owner) {
    if (!transcript) return std::wstring();
    const std::optional<std::string> ansiPath = chooseTranscriptFile(true, L"TEXT file\0*.txt\0", L"Save As");
    if (!ansiPath) return std::wstring();
    // The window's whole text: its text limit only stops typing, and a longer text
    // opened from a file is saved whole.
    const std::string bytes = transcriptFileBytes(fromWide(windowText(transcript)), ansiCodePage());
    // A name the code page cannot spell converts to nothing, and the extension rule
    // must not turn that into ".txt" in the current folder. A file that could not be
    // written whole (a full disk) is reported, not passed off as saved.
    const std::string target = ansiPath->empty() ? std::string() : withTxtExtension(*ansiPath);
    if (target.empty() || !writeFileBytes(target, bytes)) {
        showMessage(owner, L"Could not save the transcript file");
        return std::wstring();
    }
    return widePathOf(target);
}

std::wstring openTranscript(HWND transcript, HWND owner) {
    if (!transcript) return std::wstring();
    const std::optional<std::string> ansiPath =
        chooseTranscriptFile(false, L"Transcript\0*.txt\0", L"Open Transcript");
    if (!ansiPath) return std::wstring();
    const std::optional<std::string> bytes = readFileBytes(*ansiPath);
    if (!bytes) {
        showMessage(owner, L"Could not open the transcript file");
        return std::wstring();
    }
    SetWindowTextW(transcript, toWide(transcriptWindowText(*bytes, ansiCodePage())).c_str());
    return widePathOf(*ansiPath);
}

}  // namespace zav
