// Export SAMI and Import SAMI.

#include "app/main_window.h"
#include "win/modal_ui.h"
#include "win/ansi_code_page.h"
#include "captions/timing_commands.h"
#include "formats/file_dialogs.h"
#include "formats/sami_reader.h"
#include "formats/sami_writer.h"

#include <commdlg.h>

namespace zav {

LRESULT MainWindow::onExportSami(WPARAM, LPARAM) {
    const auto path = askForFile({L"SAMI file\0*.smi\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true});
    if (!path) return 0;
    sortByTime(captionPanel_);
    std::string ansiPath = ansiPathOf(*path);
    if (ansiPath.empty()) {
        modalUi().messageBox(hwnd(), L"Error, can't Save SAMI file.", L"", MB_OK);
        return 0;
    }
    SamiWriter(captionPanel_.document, hwnd()).writeSamiFile(ansiPath);
    return 0;
}

LRESULT MainWindow::onImportSami(WPARAM, LPARAM) {
    const auto path =
        askForFile({L"SAMI Script\0*.smi\0", L"Open Caption SAMI File", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, false});
    if (!path) return 0;
    // A path the code page cannot spell reads as a file that does not exist. The
    // reader empties the document only once the file has been read.
    const std::string ansiPath = ansiPathOf(*path);
    SamiReader(captionPanel_, languageCombo(), hwnd()).readSamiFile(ansiPath);
    return 0;
}

}  // namespace zav
