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

bool CaptionEditor::hasUnstoredTyping(int row) const {
    const CaptionDocument& document = panel_.document;
    if (!document.hasCurrentLanguage() || row < 0 || row >= document.rowCount()) return false;
    return captionTextOf(panel_.shownText(row)) != document.text(document.currentLanguage, row);
}

std::shared_ptr<const DocumentState> CaptionEditor::capture() const {
    const CaptionDocument& document = panel_.document;
    std::vector<std::u16string> shown;
    if (document.hasCurrentLanguage()) {
        shown.reserve(static_cast<std::size_t>(document.rowCount()));
        for (int row = 0; row < document.rowCount(); ++row) shown.push_back(panel_.shownText(row));
    }
    DocumentState state = captureState(document, document.hasCurrentLanguage() ? &shown : nullptr, recorded_.get());
    state.selectedRow = panel_.selectedRow;
    state.topRow = panel_.topRow;
    return std::make_shared<const DocumentState>(std::move(state));
}

void CaptionEditor::historyChanged() {
    if (onHistoryChanged) onHistoryChanged();
}

void CaptionEditor::recordTyping() {
    if (restoring_) return;
    std::shared_ptr<const DocumentState> now = capture();
    if (recorded_ && !now->sameDocument(*recorded_)) {
        // The typing is a step of the history now: an edit box's own undo reaching
        // back over it would take it away behind the history's back.
        const CaptionDocument& document = panel_.document;
        if (document.hasCurrentLanguage() && recorded_->rowCount() == now->rowCount() &&
            static_cast<std::size_t>(document.currentLanguage) < recorded_->languages.size()) {
            for (int row = 0; row < now->rowCount(); ++row) {
                if (now->text(document.currentLanguage, row) != recorded_->text(document.currentLanguage, row))
                    panel_.forgetTypingUndo(row);
            }
        }
        history_.record(u"Typing", recorded_, now);
        recorded_ = std::move(now);
        historyChanged();
    } else {
        recorded_ = std::move(now);
    }
}

void CaptionEditor::clearHistory() {
    history_.clear();
    recorded_ = capture();
    historyChanged();
}

void CaptionEditor::beginChange(const wchar_t* name) {
    if (depth_++ > 0) return;
    changeName_ = name;
    if (restoring_) return;
    recordTyping();
    before_ = recorded_;
}

void CaptionEditor::endChange() {
    if (--depth_ > 0) return;
    const wchar_t* name = changeName_;
    changeName_ = nullptr;
    if (restoring_ || !before_) return;
    std::shared_ptr<const DocumentState> after = capture();
    if (!after->sameDocument(*before_)) {
        history_.record(std::u16string(fromWide(name)), before_, after);
        historyChanged();
    }
    recorded_ = std::move(after);
    before_.reset();
}

void CaptionEditor::undo() {
    recordTyping();
    if (!history_.canUndo()) return;
    recorded_ = history_.undo();
    restore(*recorded_);
    historyChanged();
}

void CaptionEditor::redo() {
    recordTyping();
    if (!history_.canRedo()) return;
    recorded_ = history_.redo();
    restore(*recorded_);
    historyChanged();
}

// A state of the same rows and languages is written into the document as it stands,
// which leaves the panel's controls where they are; any other is put in place whole.
void CaptionEditor::restore(const DocumentState& state) {
    restoring_ = true;
    CaptionDocument& document = panel_.document;
    bool sameShape = document.rowCount() == state.rowCount() &&
                     document.languageCount() == static_cast<int>(state.languages.size());
    for (int l = 0; sameShape && l < document.languageCount(); ++l) {
        const LanguageClass& language = document.languages[l];
        const DocumentState::Language& kept = state.languages[l];
        sameShape = language.className() == kept.className && language.displayName() == kept.displayName &&
                    language.langCode() == kept.langCode;
    }
    if (sameShape) {
        for (int row = 0; row < document.rowCount(); ++row) {
            const double ms = (*state.times)[row];
            if (document.times[row].startMs == ms) continue;
            if (ms == kNoTime) {
                document.times[row].startMs = kNoTime;
                document.times[row].timeText.clear();
            } else {
                document.setStartTime(row, ms, codePage());
            }
        }
        for (int l = 0; l < document.languageCount(); ++l) {
            for (int row = 0; row < document.rowCount(); ++row)
                document.languages[l].texts[row] = state.text(l, row);
        }
        document.currentLanguage = document.languageCount() > 0 ? state.currentLanguage : 0;
        if (document.languageCount() > 0)
            SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(document.currentLanguage), 0);
        panel_.refreshRows();
    } else {
        replaceDocument(documentOf(state, codePage()));
    }
    panel_.selectedRow = state.selectedRow < panel_.rowCount() ? state.selectedRow : -1;
    panel_.showRowsFrom(state.topRow);
    InvalidateRect(panel_.hwnd(), nullptr, TRUE);
    restoring_ = false;
}

}  // namespace zav
