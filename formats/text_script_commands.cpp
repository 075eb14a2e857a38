// Import Text script: a plain text split into captions of the current language.

#include "app/main_window.h"
#include "win/modal_ui.h"
#include "win/ansi_code_page.h"
#include "formats/caption_length_dialog.h"
#include "formats/file_dialogs.h"
#include "core/text_script.h"
#include "core/transcript_text.h"

#include <commdlg.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace zav {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The rest of the file, as a text-mode stream would deliver it.
std::string readText(std::FILE* file) {
    std::string bytes;
    char chunk[16384];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, read);
    return textModeRead(bytes);
}

// The handler's second half: the file, the caption length, then the split into the
// rows of the current language from row 0 on.
class TextScriptImporter {
public:
    TextScriptImporter(CaptionPanel& panel, HWND owner) : panel_(panel), owner_(owner) {}

    // True when the text was split into the rows, false when the import stopped early.
    bool importTextScript(const std::string& ansiPath) {
        UniqueFile file(std::fopen(ansiPath.c_str(), "rb"));
        if (!file) {
            modalUi().messageBox(owner_, L"Could not open the transcprit file.", L"ERROR!", MB_OK);
            return false;
        }
        CaptionLengthDialog dialog(ansiCodePage());
        const INT_PTR length = dialog.run(owner_);
        if (length < kMinCaptionLength) return false;

        const std::vector<std::u16string> captions =
            scriptCaptions(readText(file.get()), static_cast<int>(length), ansiCodePage());
        file.reset();
        // The current language's texts give way to the script only now: a cancelled
        // dialog or a file that cannot be read leaves the captions as they were.
        panel_.clearCurrentTexts();
        store(captions);
        panel_.refreshRows();
        panel_.ensureRowVisible(0);
        panel_.selectedRow = 0;
        return true;
    }

private:
    // Rows past the document's end are added as the pieces need them; a row that
    // cannot be added (the panel reports why) ends the storing.
    void store(const std::vector<std::u16string>& captions) {
        CaptionDocument& document = panel_.document;
        const int language = document.currentLanguage;
        int row = 0;
        for (const std::u16string& caption : captions) {
            if (row >= panel_.rowCount() && (!panel_.addRow() || row >= panel_.rowCount())) break;
            document.setText(language, row, caption);
            ++row;
        }
    }

    CaptionPanel& panel_;
    HWND owner_;
};

}  // namespace

LRESULT MainWindow::onImportTextScript(WPARAM, LPARAM) {
    if (!captionPanel_.document.hasCurrentLanguage()) {
        modalUi().messageBox(hwnd(), L"You must create a language class before you import a transcript.", L"", MB_OK);
        return 0;
    }
    const auto path = askForFile(
        {L"Text Script\0*.txt\0", L"Open Caption Text Script", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, false});
    if (!path) return 0;
    // A path the code page cannot spell fails as a file that cannot be opened.
    const std::string ansiPath = ansiPathOf(*path);
    TextScriptImporter(captionPanel_, hwnd()).importTextScript(ansiPath);
    return 0;
}

}  // namespace zav
