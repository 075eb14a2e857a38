#include "formats/text_script_commands.h"

#include "core/text_script.h"
#include "core/transcript_text.h"
#include "formats/caption_length_dialog.h"
#include "formats/file_dialogs.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

#include <commdlg.h>

#include <string>
#include <vector>

namespace zav {
namespace {

// Rows past the document's end are added as the pieces need them; a row that cannot
// be added (the panel reports why) ends the storing.
void store(CaptionPanel& panel, CaptionDocument& document, const std::vector<std::u16string>& captions) {
    const int language = document.currentLanguage();
    int row = 0;
    for (const std::u16string& caption : captions) {
        if (row >= panel.rowCount() && (!panel.addRow() || row >= panel.rowCount())) break;
        document.setText(language, row, caption);
        ++row;
    }
}

}  // namespace

void importTextScript(CaptionEditor& editor) {
    if (!editor.document().hasCurrentLanguage()) {
        showMessage(editor.owner(), L"You must create a language class before you import a transcript.");
        return;
    }
    const auto path = askForFile(
        {L"Text Script\0*.txt\0", L"Open Caption Text Script", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, false});
    if (!path) return;
    // A path the code page cannot spell fails as a file that cannot be opened.
    const std::optional<std::string> bytes = readFileBytes(ansiPathOf(*path));
    if (!bytes) {
        showMessage(editor.owner(), L"Could not open the transcprit file.", L"ERROR!");
        return;
    }
    const std::optional<int> length = CaptionLengthDialog(editor.codePage()).run(editor.owner());
    if (!length) return;

    // Read as a text-mode stream delivers the file.
    const std::vector<std::u16string> captions = scriptCaptions(textModeRead(*bytes), *length, editor.codePage());
    // The current language's texts give way to the script only now: a cancelled
    // dialog or a file that cannot be read leaves the captions as they were.
    CaptionPanel& panel = editor.panel();
    editor.change(L"Import Text Script", [&](CaptionDocument& document) {
        panel.clearCurrentTexts();
        store(panel, document, captions);
        panel.ensureRowVisible(0);
        panel.setSelectedRow(0);
    });
}

}  // namespace zav
