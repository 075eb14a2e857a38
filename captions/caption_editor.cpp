#include "captions/caption_editor.h"

#include "captions/language_commands.h"
#include "win/ansi_code_page.h"

namespace zav {

void CaptionEditor::replaceDocument(CaptionDocument document) {
    change(L"Replace Document", [&] {
        const int selected = panel_.selectedRow;
        removeAllLanguages(*this);
        CaptionDocument& shown = panel_.document;
        shown.languages.clear();
        for (const LanguageClass& language : document.languages)
            appendLanguage(*this, LanguageClass(language.className(), language.displayName(), language.langCode()));
        // The panel's rows come one by one, as any command adds them; then the times
        // and texts are taken over whole.
        for (int row = 0; row < document.rowCount(); ++row) panel_.addRow();
        if (shown.rowCount() == document.rowCount()) {
            shown.times = std::move(document.times);
            for (int language = 0; language < shown.languageCount(); ++language)
                shown.languages[language].texts = std::move(document.languages[language].texts);
        }
        shown.currentLanguage = document.hasCurrentLanguage() ? document.currentLanguage : 0;
        if (shown.languageCount() > 0)
            SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(shown.currentLanguage), 0);
        panel_.refreshRows();
        panel_.selectedRow = selected < panel_.rowCount() ? selected : (panel_.rowCount() > 0 ? 0 : -1);
    });
}

void CaptionEditor::beginChange(const wchar_t* name) noexcept {
    if (depth_++ == 0) changeName_ = name;
}

void CaptionEditor::endChange() noexcept {
    if (--depth_ == 0) changeName_ = nullptr;
}

}  // namespace zav
