#include "captions/language_commands.h"

#include "captions/add_language_dialog.h"
#include "win/ansi_code_page.h"
#include "win/modal_ui.h"

namespace zav {
namespace {

int selectedEntry(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

void selectEntry(HWND combo, int index) { SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

HWND messageOwner(const CaptionEditor& editor) {
    return editor.owner() ? editor.owner() : GetParent(editor.panel().hwnd());
}

}  // namespace

void switchLanguage(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    const int selected = selectedEntry(editor.combo());
    // The shown language is where the user is, not a change of the document: undo
    // puts it back with the step it undoes, but switching is no step of its own.
    if (selected >= 0 && selected < panel.document.languageCount()) {
        panel.storeEditTexts();
        selectEntry(editor.combo(), selected);
        panel.document.currentLanguage = selected;
        panel.refreshRows();
    }
    panel.focusSelectedRow();
}

int appendLanguage(CaptionEditor& editor, LanguageClass record) {
    return editor.change(L"Add Language", [&] {
        const std::wstring entry = toWide(editor.codePage().fromAnsi(record.className()));
        const int index = editor.document().appendLanguage(std::move(record));
        SendMessageW(editor.combo(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        return index;
    });
}

bool addLanguage(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    AddLanguageDialog dialog(editor.codePage());
    std::optional<LanguageClass> added = dialog.run(editor.owner());
    if (!added) {
        panel.focusSelectedRow();
        return false;
    }
    editor.change(L"Add Language", [&] {
        const int index = appendLanguage(editor, std::move(*added));
        if (selectedEntry(editor.combo()) == CB_ERR) {
            selectEntry(editor.combo(), index);
            switchLanguage(editor);
        }
    });
    panel.focusSelectedRow();
    return true;
}

bool deleteLanguage(CaptionEditor& editor, int index) {
    CaptionPanel& panel = editor.panel();
    CaptionDocument& document = panel.document;
    if (index < 0 || index >= document.languageCount()) {
        showMessage(messageOwner(editor), L"Cannot Delete Language, invalid index");
        return false;
    }
    editor.change(L"Delete Language", [&] {
        if (document.languageCount() == 1) {
            SendMessageW(editor.combo(), CB_RESETCONTENT, 0, 0);
            panel.deleteAllRows();
            InvalidateRect(panel.hwnd(), nullptr, TRUE);
            document.removeLanguage(index);
            return;
        }
        panel.storeEditTexts();
        SendMessageW(editor.combo(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        selectEntry(editor.combo(), 0);
        document.removeLanguage(index);
        document.currentLanguage = 0;
        panel.refreshRows();
    });
    return true;
}

void deleteSelectedLanguage(CaptionEditor& editor) {
    deleteLanguage(editor, selectedEntry(editor.combo()));
    editor.panel().focusSelectedRow();
}

void removeAllLanguages(CaptionEditor& editor) {
    editor.change(L"Delete Language", [&] {
        editor.panel().deleteAllRows();
        for (int index = editor.document().languageCount() - 1; index >= 0; --index) deleteLanguage(editor, index);
    });
}

void resetCaptionDocument(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    editor.change(L"New Caption File", [&] {
        removeAllLanguages(editor);
        appendLanguage(editor, LanguageClass("US English", "US English", "en-us"));
        selectEntry(editor.combo(), 0);
        panel.document.currentLanguage = 0;
        for (int i = 0; i < CaptionPanel::kVisibleRows; ++i) panel.addRow();
        panel.selectRow(0);
        panel.setStartTime(0, 0);
        panel.refreshRows();
    });
}

}  // namespace zav
