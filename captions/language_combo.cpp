#include "captions/language_combo.h"

#include "win/ansi_code_page.h"

#include <string>

namespace zav {
namespace {

std::wstring entryOf(const LanguageClass& language, const CodePageConverter& codePage) {
    return toWide(codePage.fromAnsi(language.className()));
}

}  // namespace

int LanguageCombo::selectedIndex() const {
    if (!combo_) return -1;
    const LRESULT selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

bool LanguageCombo::entriesMatch() const {
    const int count = static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
    if (count != document_.languageCount()) return false;
    for (int index = 0; index < count; ++index) {
        const LRESULT length = SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == CB_ERR) return false;
        std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(static_cast<std::size_t>(length));
        if (entry != entryOf(document_.languages()[index], codePage_)) return false;
    }
    return true;
}

void LanguageCombo::documentChanged(const DocumentChange& change) {
    if (!combo_ || !(change.languages || change.shownLanguage || change.replaced)) return;
    if (!entriesMatch()) {
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
        for (const LanguageClass& language : document_.languages()) {
            const std::wstring entry = entryOf(language, codePage_);
            SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
    }
    if (document_.hasCurrentLanguage() && selectedIndex() != document_.currentLanguage())
        SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(document_.currentLanguage()), 0);
}

}  // namespace zav
