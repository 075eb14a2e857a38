// The Create ASX wizard: a movie, its SAMI file and the playlist that binds them.

#include "formats/asx_commands.h"

#include "core/asx_playlist.h"
#include "formats/file_dialogs.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/error_report.h"
#include "win/file_io.h"
#include "win/modal_ui.h"
#include "win/module.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

namespace zav {
namespace {

// One page of the wizard, modal over the main window: its forward button (OK) ends
// it with 1; "Exit Wizard" (Cancel), Escape and the close box end it with 0. True
// when the forward button was pressed; a page that cannot be shown counts as left.
bool runWizardPage(HWND owner, int templateId) {
    return modalUi().dialogBox(Module::instance(), templateId, owner, OkCancelDialogProc, 0) == 1;
}

// The wizard's three file dialogs.
const FileQuestion kMovieQuestion{L"WMV File\0*.wmv\0", L"SELECT THE WMV FILE", OFN_SHOWHELP, false};
const FileQuestion kSamiQuestion{L"SAMI File\0*.smi\0", L"SELECT THE SAMI FILE", OFN_SHOWHELP, false};
const FileQuestion kSaveQuestion{L"ASX File\0*.asx\0", L"Save ASX File As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true};

// Shows a page, then its file dialog; a cancelled file dialog brings the page back.
// Empty when the user leaves the wizard.
std::wstring askUntilChosen(HWND owner, int templateId, const FileQuestion& question) {
    for (;;) {
        if (!runWizardPage(owner, templateId)) return std::wstring();
        // A cancelled file dialog (or an empty name) brings the page back.
        if (auto path = askForFile(question); path && !path->empty()) return *path;
    }
}

// The bare file name of a chosen path, as the playlist names it.
std::string playlistName(const std::wstring& path) {
    return ansiCodePage().toAnsi(fileNameOf(fromWide(path)));
}

}  // namespace

void createAsx(HWND owner) {
    const std::wstring moviePath = askUntilChosen(owner, IDD_ASX_SELECT_MOVIE, kMovieQuestion);
    if (moviePath.empty()) return;
    const std::string movieName = playlistName(moviePath);

    const std::wstring samiPath = askUntilChosen(owner, IDD_ASX_SELECT_SAMI, kSamiQuestion);
    if (samiPath.empty()) return;
    const std::string playlist = asxPlaylist(movieName, playlistName(samiPath));

    // A playlist that cannot be written is reported and step 3 comes back, so that
    // the wizard does not end with its completion page over a missing file.
    for (;;) {
        const std::wstring chosen = askUntilChosen(owner, IDD_ASX_SAVE, kSaveQuestion);
        if (chosen.empty()) return;
        const std::wstring asxPath = toWide(withAsxExtension(fromWide(chosen)));
        if (writeFileBytes(asxPath, playlist)) break;
        const std::wstring text = L"Could not open " + toWide(fileNameOf(fromWide(asxPath))) + L" for writing.";
        showMessage(owner, text.c_str());
    }

    runWizardPage(owner, IDD_ASX_COMPLETE);
}

}  // namespace zav
