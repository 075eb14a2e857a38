#include "core/document_change.h"

namespace zav {

DocumentChange& DocumentChange::operator|=(const DocumentChange& other) noexcept {
    rows = rows || other.rows;
    times = times || other.times;
    texts = texts || other.texts;
    languages = languages || other.languages;
    shownLanguage = shownLanguage || other.shownLanguage;
    selection = selection || other.selection;
    replaced = replaced || other.replaced;
    return *this;
}

DocumentChange changeBetween(const DocumentState& before, const DocumentState& after) {
    DocumentChange change;
    change.rows = before.rowCount() != after.rowCount();
    change.times = change.rows || (before.times != after.times &&
                                    (!before.times || !after.times || *before.times != *after.times));
    change.languages = before.languages.size() != after.languages.size();
    for (std::size_t l = 0; !change.languages && l < before.languages.size(); ++l) {
        const DocumentState::Language& a = before.languages[l];
        const DocumentState::Language& b = after.languages[l];
        change.languages = a.className != b.className || a.displayName != b.displayName || a.langCode != b.langCode;
    }
    change.texts = change.rows || change.languages;
    for (std::size_t l = 0; !change.texts && l < before.languages.size(); ++l) {
        if (before.languages[l].texts == after.languages[l].texts) continue;
        for (int row = 0; !change.texts && row < after.rowCount(); ++row)
            change.texts = before.text(static_cast<int>(l), row) != after.text(static_cast<int>(l), row);
    }
    change.shownLanguage = before.currentLanguage != after.currentLanguage;
    change.selection = before.selectedRow != after.selectedRow || before.topRow != after.topRow;
    return change;
}

}  // namespace zav
