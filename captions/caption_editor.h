#pragma once
// The caption editor: the caption panel with its document, the language combo box
// (control 247) and the window that owns the editor's message boxes, travelling
// together as the context of every caption command. It is also the one place where
// the document changes: each command that changes rows, times, texts or languages
// runs that change through change(), so that what a command did can be seen, and
// recorded, in one spot.

#include "captions/caption_panel.h"
#include "core/caption_document.h"

#include <windows.h>

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

    void beginChange(const wchar_t* name) noexcept;
    void endChange() noexcept;

    CaptionPanel& panel_;
    HWND owner_ = nullptr;
    HWND combo_ = nullptr;
    int depth_ = 0;
    const wchar_t* changeName_ = nullptr;
};

}  // namespace zav
