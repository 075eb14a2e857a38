#include "captions/caption_editor.h"

#include "win/ansi_code_page.h"
#include "win/error_report.h"

#include <algorithm>
#include <cstdlib>

namespace zav {

CaptionEditor::CaptionEditor(CaptionPanel& panel) noexcept
    : panel_(panel), languageCombo_(panel.document_, panel.codePage()) {
    views_.push_back(&panel_);
    views_.push_back(&languageCombo_);
}

void CaptionEditor::addView(DocumentView& view) {
    if (std::find(views_.begin(), views_.end(), &view) == views_.end()) views_.push_back(&view);
}

void CaptionEditor::removeView(DocumentView& view) noexcept {
    views_.erase(std::remove(views_.begin(), views_.end(), &view), views_.end());
}

void CaptionEditor::tellViews(const DocumentChange& change) {
    if (!change.any()) return;
    // A view may add or remove views while it is told (a window closing itself).
    const std::vector<DocumentView*> views = views_;
    for (DocumentView* view : views) {
        if (std::find(views_.begin(), views_.end(), view) != views_.end()) view->documentChanged(change);
    }
}

void CaptionEditor::replaceDocument(CaptionDocument document) {
    change(L"Replace Document", [&] {
        const int selected = panel_.selectedRow();
        panel_.takeDocument(std::move(document));
        panel_.selectedRow_ = selected < panel_.rowCount() ? selected : (panel_.rowCount() > 0 ? 0 : -1);
        pending_.replaced = true;
    });
}

void CaptionEditor::showLanguage(int index) {
    CaptionDocument& document = panel_.document_;
    if (index < 0 || index >= document.languageCount()) return;
    panel_.storeEditTexts();
    document.setCurrentLanguage(index);
    ++revision_;
    DocumentChange shown;
    shown.shownLanguage = true;
    tellViews(shown);
}

bool CaptionEditor::hasUnstoredTyping(int row) const {
    const CaptionDocument& document = panel_.document_;
    if (!document.hasCurrentLanguage() || row < 0 || row >= document.rowCount()) return false;
    return captionTextOf(panel_.shownText(row)) != document.text(document.currentLanguage(), row);
}

std::shared_ptr<const DocumentState> CaptionEditor::capture(bool shown) const {
    const CaptionDocument& document = panel_.document_;
    std::vector<std::u16string> texts;
    if (shown && document.hasCurrentLanguage()) {
        texts.reserve(static_cast<std::size_t>(document.rowCount()));
        for (int row = 0; row < document.rowCount(); ++row) texts.push_back(panel_.shownText(row));
    }
    DocumentState state =
        captureState(document, shown && document.hasCurrentLanguage() ? &texts : nullptr, recorded_.get());
    state.selectedRow = panel_.selectedRow();
    state.topRow = panel_.topRow();
    return std::make_shared<const DocumentState>(std::move(state));
}

void CaptionEditor::historyChanged() {
    if (onHistoryChanged) onHistoryChanged();
}

void CaptionEditor::recordTyping() {
    if (restoring_) return;
    ++revision_;
    std::shared_ptr<const DocumentState> now = capture(true);
    if (recorded_ && !now->sameDocument(*recorded_)) {
        // The typing is a step of the history now: an edit box's own undo reaching
        // back over it would take it away behind the history's back.
        const int language = panel_.document_.currentLanguage();
        if (panel_.document_.hasCurrentLanguage() && recorded_->rowCount() == now->rowCount() &&
            static_cast<std::size_t>(language) < recorded_->languages.size()) {
            for (int row = 0; row < now->rowCount(); ++row) {
                if (now->text(language, row) != recorded_->text(language, row)) panel_.forgetTypingUndo(row);
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
    recorded_ = capture(true);
    historyChanged();
}

void CaptionEditor::beginChange(const wchar_t* name) {
    if (depth_++ > 0) return;
    changeName_ = name;
    pending_ = DocumentChange();
    if (restoring_) return;
    recordTyping();
    // Every command works on the document with the typing in it.
    panel_.storeEditTexts();
    before_ = recorded_;
}

void CaptionEditor::endChange(bool failed) noexcept {
    if (--depth_ > 0) return;
    ++revision_;
    const wchar_t* name = changeName_;
    changeName_ = nullptr;
    if (restoring_ || !before_) return;
    std::shared_ptr<const DocumentState> before = std::move(before_);
    try {
        if (failed) {
            // A change that threw is taken back whole: the document is as it was,
            // and the history has no step for it.
            restore(*before, capture(false));
            recorded_ = std::move(before);
            return;
        }
        std::shared_ptr<const DocumentState> after = capture(false);
        DocumentChange what = changeBetween(*before, *after);
        what |= pending_;
        pending_ = DocumentChange();
        tellViews(what);
        if (!after->sameDocument(*before)) {
            history_.record(std::u16string(fromWide(name)), before, after);
            historyChanged();
        }
        recorded_ = std::move(after);
    } catch (...) {
        // The end of a change runs while a command returns or unwinds: nothing may
        // leave it. What the history holds stays as it was.
        reportException(L"The end of a change to the captions", std::current_exception());
        recorded_.reset();
    }
}

bool CaptionEditor::undo() {
    recordTyping();
    if (!history_.canUndo()) return false;
    std::shared_ptr<const DocumentState> from = recorded_;
    recorded_ = history_.undo();
    restore(*recorded_, from);
    historyChanged();
    return true;
}

bool CaptionEditor::redo() {
    recordTyping();
    if (!history_.canRedo()) return false;
    std::shared_ptr<const DocumentState> from = recorded_;
    recorded_ = history_.redo();
    restore(*recorded_, from);
    historyChanged();
    return true;
}

// A state of the same languages is written into the document as it stands, after
// adding or removing a few rows at the end as the panel adds and removes them: the
// panel's controls stay where they are. Any other state is put in place whole.
void CaptionEditor::restore(const DocumentState& state, const std::shared_ptr<const DocumentState>& from) {
    struct Restoring {
        bool& flag;
        explicit Restoring(bool& f) : flag(f) { flag = true; }
        ~Restoring() { flag = false; }
    } restoring(restoring_);
    ++revision_;
    // Beyond this many rows to add or remove, building the panel afresh is cheaper.
    constexpr int kRowsToFollow = 32;
    pending_ = DocumentChange();
    CaptionDocument& document = panel_.document_;
    bool sameLanguages = document.languageCount() > 0 &&
                         document.languageCount() == static_cast<int>(state.languages.size()) &&
                         std::abs(document.rowCount() - state.rowCount()) <= kRowsToFollow;
    for (int l = 0; sameLanguages && l < document.languageCount(); ++l) {
        const LanguageClass& language = document.languages()[l];
        const DocumentState::Language& kept = state.languages[l];
        sameLanguages = language.className() == kept.className && language.displayName() == kept.displayName &&
                        language.langCode() == kept.langCode;
    }
    while (sameLanguages && panel_.rowCount() > state.rowCount()) panel_.deleteRow(panel_.rowCount() - 1);
    while (sameLanguages && panel_.rowCount() < state.rowCount()) sameLanguages = panel_.addRow();
    if (sameLanguages) {
        for (int row = 0; row < document.rowCount(); ++row) {
            const double ms = (*state.times)[row];
            if (document.times()[row].startMs == ms) continue;
            if (ms == kNoTime) {
                document.clearStartTime(row);
            } else {
                document.setStartTime(row, ms, codePage());
            }
        }
        for (int l = 0; l < document.languageCount(); ++l) {
            for (int row = 0; row < document.rowCount(); ++row)
                document.setText(l, row, state.text(l, row));
        }
        document.setCurrentLanguage(state.currentLanguage);
    } else {
        replaceDocument(documentOf(state, codePage()));
    }
    panel_.selectedRow_ = state.selectedRow < panel_.rowCount() ? state.selectedRow : -1;
    panel_.showRowsFrom(state.topRow);
    InvalidateRect(panel_.hwnd(), nullptr, TRUE);
    DocumentChange what = from ? changeBetween(*from, state) : DocumentChange();
    what |= pending_;
    if (!from) what.replaced = true;
    pending_ = DocumentChange();
    tellViews(what);
}

}  // namespace zav
