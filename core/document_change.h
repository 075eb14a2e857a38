#pragma once
// What one change of the caption document touched, as the caption editor tells its
// views afterwards: each view redraws what it shows of those parts and nothing else.

#include "core/document_history.h"

namespace zav {

struct DocumentChange {
    bool rows = false;           // rows were added or removed
    bool times = false;          // some row's start time
    bool texts = false;          // some caption text, in any language
    bool languages = false;      // languages added, removed or renamed
    bool shownLanguage = false;  // the language the panel shows
    bool selection = false;      // the selected row or the first row in view
    // The whole document was put in place of another (an import, an undo across a
    // change of languages): views start afresh rather than follow the rows.
    bool replaced = false;

    bool any() const noexcept {
        return rows || times || texts || languages || shownLanguage || selection || replaced;
    }
    DocumentChange& operator|=(const DocumentChange& other) noexcept;
};

// What differs between two states of the document, where the user was included.
DocumentChange changeBetween(const DocumentState& before, const DocumentState& after);

}  // namespace zav
