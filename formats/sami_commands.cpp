#include "formats/sami_commands.h"

#include "captions/timing_commands.h"
#include "core/sami_writer.h"
#include "core/sami_import.h"
#include "core/sami_own_reader.h"
#include "formats/file_dialogs.h"
#include "win/ansi_code_page.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

#include <commdlg.h>

#include <new>
#include <string>

namespace zav {

bool saveSamiFile(const CaptionDocument& document, const std::wstring& path, HWND owner) {
    // The extension rule compares bytes: it works on the name as the code page
    // spells it. A name the code page cannot spell is not written under some other.
    std::string ansiPath = ansiPathOf(path);
    bool written = false;
    if (!ansiPath.empty()) {
        addSamiExtension(ansiPath);
        // The bytes already carry the CR LF line ends of text mode.
        written = writeFileBytes(toWide(ansiCodePage().fromAnsi(ansiPath)), samiFileBytes(document, ansiCodePage()));
    }
    // A file that could not be written whole is reported like one that could not be
    // opened: the user must not take a cut-off file for the saved captions.
    if (!written) showMessage(owner, L"Error, can't Save SAMI file.");
    return written;
}

void exportSami(CaptionEditor& editor) {
    const auto path = askForFile({L"SAMI file\0*.smi\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true});
    if (!path) return;
    sortByTime(editor);
    saveSamiFile(editor.document(), *path, editor.owner());
}

void readSamiFile(CaptionEditor& editor, const std::wstring& path) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        showMessage(editor.owner(), L"Error, can't open SAMI file.");
        return;
    }
    CaptionDocument read;
    SamiDocumentTarget target(read, editor.codePage());
    SamiImportReport report;
    try {
        report = importSamiFile(*bytes, editor.codePage(), target);
    } catch (const std::bad_alloc&) {
        // Too large to hold: the document stays as it was.
        showMessage(editor.owner(), L"Error, can't open SAMI file.");
        return;
    }
    // The program's own files replace the document whatever they hold, as they
    // always have; a file from elsewhere only when it yields a caption.
    if (!report.ownLayout && report.captions == 0) {
        showMessage(editor.owner(), L"The file holds no caption that could be read; the captions were left as they were.");
        return;
    }
    editor.change(L"Import SAMI", [&] { editor.replaceDocument(std::move(read)); });
    for (int refused = 0; refused < target.refusedRows; ++refused)
        showMessage(editor.owner(), L"You must create a language class to add an edit box.");
    if (report.cutCaptions > 0) {
        const std::wstring text = std::to_wstring(report.cutCaptions) +
                                  (report.cutCaptions == 1 ? L" caption was" : L" captions were") +
                                  L" longer than 199 characters and cut to that length.";
        showMessage(editor.owner(), text.c_str());
    }
}

void importSami(CaptionEditor& editor) {
    const auto path =
        askForFile({L"SAMI Script\0*.smi\0", L"Open Caption SAMI File", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, false});
    if (!path) return;
    readSamiFile(editor, *path);
}

}  // namespace zav
