// The Create ASX wizard: a movie, its SAMI file and the playlist that binds them.

#include "win/dialog_procedure.h"
#include "app/main_window.h"
#include "win/modal_ui.h"
#include "win/module.h"
#include "win/ansi_code_page.h"
#include "core/asx_playlist.h"
#include "formats/file_dialogs.h"
#include "formats/playlist_file.h"
#include "resources/resource_ids.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

namespace zav {
namespace {

// One page of the wizard, modal over the main window: its forward button (OK) ends
// it with 1; "Exit Wizard" (Cancel), Escape and the close box end it with 0.
class AsxWizardPage {
public:
    explicit AsxWizardPage(int templateId) : templateId_(templateId) {}

    // True when the forward button was pressed; a page that cannot be shown
    // counts as left.
    bool run(HWND owner) {
        return modalUi().dialogBox(Module::instance(), templateId_, owner, &dialogProcedure<AsxWizardPage>,
                                   reinterpret_cast<LPARAM>(this)) == 1;
    }

    INT_PTR onInit(HWND) { return TRUE; }
    INT_PTR onCommand(HWND dialog, WORD id) {
        if (id == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }

private:
    int templateId_;
};

// The wizard's three file dialogs.
const FileQuestion kMovieQuestion{L"WMV File\0*.wmv\0", L"SELECT THE WMV FILE", OFN_SHOWHELP, false};
const FileQuestion kSamiQuestion{L"SAMI File\0*.smi\0", L"SELECT THE SAMI FILE", OFN_SHOWHELP, false};
const FileQuestion kSaveQuestion{L"ASX File\0*.asx\0", L"Save ASX File As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true};

// Shows a page, then its file dialog; a cancelled file dialog brings the page back.
// Empty when the user leaves the wizard.
std::wstring askUntilChosen(HWND owner, int templateId, const FileQuestion& question) {
    AsxWizardPage page(templateId);
    for (;;) {
        if (!page.run(owner)) return std::wstring();
        // A cancelled file dialog (or an empty name) brings the page back.
        if (auto path = askForFile(question); path && !path->empty()) return *path;
    }
}

// The bare file name of a chosen path, as the playlist names it.
std::string playlistName(const std::wstring& path) {
    return ansiCodePage().toAnsi(fileNameOf(fromWide(path)));
}

}  // namespace

LRESULT MainWindow::onCreateAsx(WPARAM, LPARAM) {
    const std::wstring moviePath = askUntilChosen(hwnd(), IDD_ASX_SELECT_MOVIE, kMovieQuestion);
    if (moviePath.empty()) return 0;
    const std::string movieName = playlistName(moviePath);

    const std::wstring samiPath = askUntilChosen(hwnd(), IDD_ASX_SELECT_SAMI, kSamiQuestion);
    if (samiPath.empty()) return 0;
    const std::string playlist = asxPlaylist(movieName, playlistName(samiPath));

    // A playlist that cannot be written is reported and step 3 comes back, so that
    // the wizard does not end with its completion page over a missing file.
    for (;;) {
        const std::wstring chosen = askUntilChosen(hwnd(), IDD_ASX_SAVE, kSaveQuestion);
        if (chosen.empty()) return 0;
        const std::wstring asxPath = toWide(withAsxExtension(fromWide(chosen)));
        if (writePlaylistFile(asxPath, playlist)) break;
        const std::wstring text = L"Could not open " + toWide(fileNameOf(fromWide(asxPath))) + L" for writing.";
        modalUi().messageBox(hwnd(), text.c_str(), L"", MB_OK);
    }

    AsxWizardPage(IDD_ASX_COMPLETE).run(hwnd());
    return 0;
}

}  // namespace zav
