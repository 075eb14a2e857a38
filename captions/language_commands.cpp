#include "captions/language_commands.h"

#include "win/modal_ui.h"
#include "captions/add_language_dialog.h"

namespace zav {
namespace {

int selectedEntry(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

void selectEntry(HWND combo, int index) { SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace

void switchLanguage(CaptionPanel& panel, HWND combo) {
    const int selected = selectedEntry(combo);
    if (selected >= 0 && selected < panel.document.languageCount()) {
        panel.storeEditTexts();
        selectEntry(combo, selected);
        panel.document.currentLanguage = selected;
        panel.refreshRows();
    }
    panel.focusSelectedRow();
}

int appendLanguage(CaptionPanel& panel, HWND combo, LanguageClass record) {
    const std::wstring entry = toWide(panel.codePage->fromAnsi(record.className()));
    const int index = panel.document.appendLanguage(std::move(record));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    return index;
}

bool addLanguage(CaptionPanel& panel, HWND combo, HWND owner) {
    AddLanguageDialog dialog(*panel.codePage);
    if (!dialog.run(owner)) {
        panel.focusSelectedRow();
        return false;
    }
    const int index = appendLanguage(panel, combo, std::move(*dialog.result));
    if (selectedEntry(combo) == CB_ERR) {
        selectEntry(combo, index);
        switchLanguage(panel, combo);
    }
    panel.focusSelectedRow();
    return true;
}

bool deleteLanguage(CaptionPanel& panel, HWND combo, int index, HWND owner) {
    CaptionDocument& document = panel.document;
    if (index < 0 || index >= document.languageCount()) {
        modalUi().messageBox(owner, L"Cannot Delete Language, invalid index", L"", MB_OK);
        return false;
    }
    if (document.languageCount() == 1) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        panel.deleteAllRows();
        InvalidateRect(panel.hwnd(), nullptr, TRUE);
        document.removeLanguage(index);
        return true;
    }
    panel.storeEditTexts();
    SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    selectEntry(combo, 0);
    document.removeLanguage(index);
    document.currentLanguage = 0;
    panel.refreshRows();
    return true;
}

void deleteSelectedLanguage(CaptionPanel& panel, HWND combo, HWND owner) {
    deleteLanguage(panel, combo, selectedEntry(combo), owner);
    panel.focusSelectedRow();
}

void resetCaptionDocument(CaptionPanel& panel, HWND combo, HWND owner) {
    if (!owner) owner = GetParent(panel.hwnd());
    panel.deleteAllRows();
    for (int index = panel.document.languageCount() - 1; index >= 0; --index)
        deleteLanguage(panel, combo, index, owner);
    appendLanguage(panel, combo, LanguageClass("US English", "US English", "en-us"));
    selectEntry(combo, 0);
    panel.document.currentLanguage = 0;
    for (int i = 0; i < CaptionPanel::kVisibleRows; ++i) panel.addRow();
    panel.selectRow(0);
    panel.setStartTime(0, 0);
    panel.refreshRows();
}

}  // namespace zav
