#include "formats/sami_reader.h"

#include "win/modal_ui.h"
#include "captions/language_commands.h"
#include "core/sami_parser.h"

#include <new>

namespace zav {
namespace {

// The import's languages and rows go through the panel and the combo box, so that
// the controls stay in step with the document.
class PanelTarget final : public SamiImportTarget {
public:
    PanelTarget(CaptionPanel& panel, HWND combo) : panel_(panel), combo_(combo) {}
    void addLanguage(LanguageClass language) override { appendLanguage(panel_, combo_, std::move(language)); }
    bool addRow() override { return panel_.addRow(); }
    int rowCount() const override { return panel_.rowCount(); }
    void setStartTime(int row, double ms) override { panel_.setStartTime(row, ms); }
    void setText(int language, int row, std::u16string_view text) override {
        panel_.document.setText(language, row, text);
    }
    void endBody() override {
        panel_.refreshRows();
        SendMessageW(combo_, CB_SETCURSEL, 0, 0);
    }

private:
    CaptionPanel& panel_;
    HWND combo_;
};

// The whole file, or false when it cannot be opened or read.
bool readWholeFile(const std::string& ansiPath, std::string& bytes) {
    HANDLE file = CreateFileA(ansiPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    LARGE_INTEGER size{};
    try {
        ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
             static_cast<unsigned long long>(size.QuadPart) < bytes.max_size();
        if (ok) bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD count = 0;
        ok = ReadFile(file, &bytes[done], chunk, &count, nullptr) != FALSE;
        if (count == 0) break;  // the file became shorter: the data ends here
        done += count;
    }
    bytes.resize(done);
    CloseHandle(file);
    return ok;
}

}  // namespace

void SamiReader::readSamiFile(const std::string& ansiPath) {
    std::string bytes;
    if (!readWholeFile(ansiPath, bytes)) {
        modalUi().messageBox(owner_, L"Error, can't open SAMI file.", L"", MB_OK);
        return;
    }
    panel_.deleteAllRows();
    for (int index = panel_.document.languageCount() - 1; index >= 0; --index)
        deleteLanguage(panel_, combo_, index, owner_);
    panel_.document.languages.clear();
    PanelTarget target(panel_, combo_);
    try {
        readSami(textModeInput(bytes), *panel_.codePage, target);
    } catch (const std::bad_alloc&) {
        // Too large to hold twice: what was read so far stays.
        panel_.refreshRows();
        modalUi().messageBox(owner_, L"Error, can't open SAMI file.", L"", MB_OK);
    }
    // A file with classes but no body still leaves the combo box naming the current
    // language.
    if (panel_.document.languageCount() > 0 && SendMessageW(combo_, CB_GETCURSEL, 0, 0) == CB_ERR)
        SendMessageW(combo_, CB_SETCURSEL, 0, 0);
}

}  // namespace zav
