#pragma once
// The caption editor: the caption panel with its document, the language combo box
// (control 247) and the window that owns the editor's message boxes, travelling
// together as the context of every caption command. It is also the one place where
// the document changes: each command that changes rows, times, texts or languages
// runs that change through change(), which records it as a step of the undo history.
// Typing becomes a step of its own the next time the history looks at the document
// (the next change, undo or redo), so that it can be undone apart from the command
// that followed it.

#include "captions/caption_panel.h"
#include "core/caption_document.h"
#include "core/document_history.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace zav {

class CaptionEditor {
public:
    explicit CaptionEditor(CaptionPanel& panel) noexcept : panel_(panel) {}
    CaptionEditor(const CaptionEditor&) = delete;
    CaptionEditor& operator=(const CaptionEditor&) = delete;

    // The windows the editor works with, once they exist: the owner of its message
    // boxes and the language combo box (either may be null).
    void attach(HWND owner, HWND combo) noexcept {
        owner_ = owner;
        combo_ = combo;
    }

    CaptionPanel& panel() const noexcept { return panel_; }
    CaptionDocument& document() const noexcept { return panel_.document; }
    HWND owner() const noexcept { return owner_; }
    HWND combo() const noexcept { return combo_; }
    const CodePageConverter& codePage() const noexcept { return *panel_.codePage; }

    // Puts the document in place of the present one, with its languages in the combo
    // box, its rows in the panel and its current language shown; the selection is
    // kept where it still names a row. The document must be consistent.
    void replaceDocument(CaptionDocument document);

    // Undo and redo of the document's steps. Each brings back the rows, times, texts
    // and languages exactly, with the selection, the shown language and the view
    // as they were on that side of the step. Typing not yet in the history is
    // recorded first, so undo then takes that typing back.
    bool canUndo() const noexcept { return history_.canUndo(); }
    bool canRedo() const noexcept { return history_.canRedo(); }
    const std::u16string& undoName() const noexcept { return history_.undoName(); }
    const std::u16string& redoName() const noexcept { return history_.redoName(); }
    void undo();
    void redo();
    // Records typing that the history has not seen yet as a step "Typing".
    void recordTyping();
    void clearHistory();
    const DocumentHistory& history() const noexcept { return history_; }
    // True while the edit box of the row shows text that differs from the row's text
    // in the document: typing that no command has stored yet.
    bool hasUnstoredTyping(int row) const;
    // Called whenever the history gains, loses or moves over a step.
    std::function<void()> onHistoryChanged;

    // Runs one command's change of the document and returns what the change returns.
    // Changes made inside another change belong to the outer one.
    template <class Change>
    decltype(auto) change(const wchar_t* name, Change&& run) {
        Scope scope(*this, name);
        return run();
    }

private:
    class Scope {
    public:
        Scope(CaptionEditor& editor, const wchar_t* name) : editor_(editor) { editor_.beginChange(name); }
        ~Scope() { editor_.endChange(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CaptionEditor& editor_;
    };

    void beginChange(const wchar_t* name);
    void endChange();
    std::shared_ptr<const DocumentState> capture() const;
    void restore(const DocumentState& state);
    void historyChanged();

    CaptionPanel& panel_;
    HWND owner_ = nullptr;
    HWND combo_ = nullptr;
    int depth_ = 0;
    const wchar_t* changeName_ = nullptr;
    bool restoring_ = false;
    DocumentHistory history_;
    // The document as the history last saw it, and as the running change found it.
    std::shared_ptr<const DocumentState> recorded_;
    std::shared_ptr<const DocumentState> before_;
};

}  // namespace zav
