#pragma once
// The caption editor: the caption panel with its document, and the window that owns
// the editor's message boxes, travelling together as the context of every caption
// command. It is the one place where the document changes, and the one that tells
// the views:
//
//   command -> change() -> document -> history -> views
//
// A command runs its change of rows, times, texts or languages through change().
// On entry the typing of the edit boxes is stored into the shown language (and
// recorded as a step "Typing" of its own when the history has not seen it); when
// the outermost change ends, the editor works out what it touched, tells every view
// once (the panel's rows, the language box, the Edit menu, any later window), and
// records the change as one step of the undo history. A change that throws is
// taken back whole and records nothing.

#include "captions/caption_panel.h"
#include "captions/document_view.h"
#include "captions/language_combo.h"
#include "core/caption_document.h"
#include "core/document_change.h"
#include "core/document_history.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace zav {

class CaptionEditor {
public:
    // The panel and the language box are the editor's own views, told first.
    explicit CaptionEditor(CaptionPanel& panel) noexcept;
    CaptionEditor(const CaptionEditor&) = delete;
    CaptionEditor& operator=(const CaptionEditor&) = delete;

    // The windows the editor works with, once they exist: the owner of its message
    // boxes and the language combo box (either may be null).
    void attach(HWND owner, HWND combo) noexcept {
        owner_ = owner;
        languageCombo_.attach(combo);
    }

    CaptionPanel& panel() const noexcept { return panel_; }
    const CaptionDocument& document() const noexcept { return panel_.document(); }
    HWND owner() const noexcept { return owner_; }
    const LanguageCombo& languageCombo() const noexcept { return languageCombo_; }
    const CodePageConverter& codePage() const noexcept { return panel_.codePage(); }

    // The views told after each change, in the order they were added. A view
    // removes itself before it goes.
    void addView(DocumentView& view);
    void removeView(DocumentView& view) noexcept;

    // Puts the document in place of the present one, with its rows in the panel and
    // its current language shown; the selection is kept where it still names a row.
    // The document must be consistent. Runs as a change of its own when called
    // outside one.
    void replaceDocument(CaptionDocument document);

    // Shows another language: the typing of the edit boxes goes into the language
    // shown so far, then the views show the language index. No step of the history
    // (undo puts the shown language back with the step it undoes); an index that
    // names no language changes nothing.
    void showLanguage(int index);

    // Undo and redo of the document's steps. Each brings back the rows, times, texts
    // and languages exactly, with the selection, the shown language and the view
    // as they were on that side of the step. Typing not yet in the history is
    // recorded first, so undo then takes that typing back. Without a step to take
    // they change nothing and return false.
    bool canUndo() const noexcept { return history_.canUndo(); }
    bool canRedo() const noexcept { return history_.canRedo(); }
    const std::u16string& undoName() const noexcept { return history_.undoName(); }
    const std::u16string& redoName() const noexcept { return history_.redoName(); }
    bool undo();
    bool redo();
    // Records typing that the history has not seen yet as a step "Typing".
    void recordTyping();
    void clearHistory();
    const DocumentHistory& history() const noexcept { return history_; }
    // The document as it stands, typing not yet stored included, with the shown
    // language, the selected row and the first row in view. Shares with the state
    // the history last saw whatever equals it.
    std::shared_ptr<const DocumentState> currentState() const { return capture(true); }
    // Counts the changes, undos, redos, recorded typing and switches of the shown
    // language: while it stays, the document is as it was (typing still in the edit
    // boxes aside). Cheap to ask on every tick.
    std::uint64_t revision() const noexcept { return revision_; }
    // True while the edit box of the row shows text that differs from the row's text
    // in the document: typing that no command has stored yet.
    bool hasUnstoredTyping(int row) const;
    // Called whenever the history gains, loses or moves over a step.
    std::function<void()> onHistoryChanged;

    // Runs one command's change of the document and returns what the change returns:
    // run() or, where it takes one, run(document), the only mutable reference to the
    // document handed out. Changes made inside another change belong to the outer one.
    template <class Change>
    decltype(auto) change(const wchar_t* name, Change&& run) {
        Scope scope(*this, name);
        if constexpr (std::is_invocable_v<Change&, CaptionDocument&>) {
            return run(panel_.document_);
        } else {
            return run();
        }
    }

private:
    class Scope {
    public:
        Scope(CaptionEditor& editor, const wchar_t* name)
            : editor_(editor), exceptions_(std::uncaught_exceptions()) {
            editor_.beginChange(name);
        }
        ~Scope() { editor_.endChange(std::uncaught_exceptions() > exceptions_); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CaptionEditor& editor_;
        int exceptions_;
    };

    void beginChange(const wchar_t* name);
    void endChange(bool failed) noexcept;
    // The document with where the user is; with the edit boxes' texts standing for
    // the shown language's when shown is true (typing included).
    std::shared_ptr<const DocumentState> capture(bool shown) const;
    // Puts the state in place of the document, which was from (null: unknown).
    void restore(const DocumentState& state, const std::shared_ptr<const DocumentState>& from);
    void tellViews(const DocumentChange& change);
    void historyChanged();

    CaptionPanel& panel_;
    HWND owner_ = nullptr;
    LanguageCombo languageCombo_;
    std::vector<DocumentView*> views_;
    int depth_ = 0;
    std::uint64_t revision_ = 0;
    const wchar_t* changeName_ = nullptr;
    bool restoring_ = false;
    DocumentHistory history_;
    // The document as the history last saw it, and as the running change found it.
    std::shared_ptr<const DocumentState> recorded_;
    std::shared_ptr<const DocumentState> before_;
    // What the running change did that a comparison of states cannot tell.
    DocumentChange pending_;
};

}  // namespace zav
