#include "formats/sami_reader.h"

#include "captions/language_commands.h"
#include "core/sami_import.h"
#include "core/sami_parser.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

#include <new>
#include <string>

namespace zav {
namespace {

// The import's languages and rows go through the panel and the combo box, so that
// the controls stay in step with the document.
class PanelTarget final : public SamiImportTarget {
public:
    explicit PanelTarget(CaptionEditor& editor) : editor_(editor), panel_(editor.panel()) {}
    void addLanguage(LanguageClass language) override { appendLanguage(editor_, std::move(language)); }
    bool addRow() override { return panel_.addRow(); }
    int rowCount() const override { return panel_.rowCount(); }
    void setStartTime(int row, double ms) override { panel_.setStartTime(row, ms); }
    void setText(int language, int row, std::u16string_view text) override {
        panel_.document.setText(language, row, text);
    }
    void endBody() override {
        panel_.refreshRows();
        SendMessageW(editor_.combo(), CB_SETCURSEL, 0, 0);
    }

private:
    CaptionEditor& editor_;
    CaptionPanel& panel_;
};

}  // namespace

void SamiReader::readSamiFile(const std::string& ansiPath) {
    const std::optional<std::string> bytes = readFileBytes(ansiPath);
    if (!bytes) {
        showMessage(editor_.owner(), L"Error, can't open SAMI file.");
        return;
    }
    SamiImportReport report;
    try {
        if (isOwnSamiLayout(*bytes)) {
            report = readOwnLayout(*bytes);
        } else {
            // A file from elsewhere is read aside first: one that yields no caption
            // leaves the document as it was.
            CaptionDocument read;
            SamiDocumentTarget target(read, editor_.codePage());
            report = importSamiFile(*bytes, editor_.codePage(), target);
            if (report.captions == 0) {
                showMessage(editor_.owner(), L"The file holds no caption that could be read; the captions were left as they were.");
                return;
            }
            editor_.change(L"Import SAMI", [&] { editor_.replaceDocument(std::move(read)); });
        }
    } catch (const std::bad_alloc&) {
        // Too large to hold twice: what was read so far stays.
        editor_.panel().refreshRows();
        showMessage(editor_.owner(), L"Error, can't open SAMI file.");
        return;
    }
    if (report.cutCaptions > 0) {
        const std::wstring text = std::to_wstring(report.cutCaptions) +
                                  (report.cutCaptions == 1 ? L" caption was" : L" captions were") +
                                  L" longer than 199 characters and cut to that length.";
        showMessage(editor_.owner(), text.c_str());
    }
}

// The program's own files replace the document the way they always have: every row
// and language goes, then the file's come through the panel one by one.
SamiImportReport SamiReader::readOwnLayout(const std::string& bytes) {
    CaptionPanel& panel = editor_.panel();
    return editor_.change(L"Import SAMI", [&] {
        removeAllLanguages(editor_);
        panel.document.languages.clear();
        PanelTarget target(editor_);
        const SamiImportReport report = importSamiFile(bytes, editor_.codePage(), target);
        // A file with classes but no body still leaves the combo box naming the
        // current language.
        if (panel.document.languageCount() > 0 && SendMessageW(editor_.combo(), CB_GETCURSEL, 0, 0) == CB_ERR)
            SendMessageW(editor_.combo(), CB_SETCURSEL, 0, 0);
        return report;
    });
}

}  // namespace zav
