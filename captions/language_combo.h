#pragma once
// The language box (control 247) as a view of the document: one entry per language
// in document order, each the language's class name, and the shown language
// selected. Without a language the box is empty and selects nothing. Its entries
// are rewritten only when the languages changed.

#include "captions/document_view.h"
#include "core/caption_document.h"
#include "core/code_page.h"

#include <windows.h>

namespace zav {

class LanguageCombo final : public DocumentView {
public:
    explicit LanguageCombo(const CaptionDocument& document, const CodePageConverter& codePage) noexcept
        : document_(document), codePage_(codePage) {}

    void attach(HWND combo) noexcept { combo_ = combo; }
    HWND window() const noexcept { return combo_; }

    // The entry the user selected: the language to show, or -1 when none is.
    int selectedIndex() const;

    void documentChanged(const DocumentChange& change) override;

private:
    bool entriesMatch() const;

    const CaptionDocument& document_;
    const CodePageConverter& codePage_;
    HWND combo_ = nullptr;
};

}  // namespace zav
