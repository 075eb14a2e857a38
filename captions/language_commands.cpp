#include "captions/language_commands.h"

#include "captions/add_language_dialog.h"
#include "win/modal_ui.h"

namespace zav {
namespace {

HWND messageOwner(const CaptionEditor& editor) {
    return editor.owner() ? editor.owner() : GetParent(editor.panel().hwnd());
}

}  // namespace

void switchLanguage(CaptionEditor& editor) {
    // The shown language is where the user is, not a change of the document: undo
    // puts it back with the step it undoes, but switching is no step of its own.
    editor.showLanguage(editor.languageCombo().selectedIndex());
    editor.panel().focusSelectedRow();
}

int appendLanguage(CaptionEditor& editor, LanguageClass record) {
    return editor.change(L"Add Language",
                         [&](CaptionDocument& document) { return document.appendLanguage(std::move(record)); });
}

bool addLanguage(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    AddLanguageDialog dialog(editor.codePage());
    std::optional<LanguageClass> added = dialog.run(editor.owner());
    if (!added) {
        panel.focusSelectedRow();
        return false;
    }
    editor.change(L"Add Language", [&](CaptionDocument& document) {
        // The language box selects nothing only while there is no language: then the
        // new one is shown.
        const bool noneShown = document.languageCount() == 0;
        const int index = appendLanguage(editor, std::move(*added));
        if (noneShown) document.setCurrentLanguage(index);
    });
    panel.focusSelectedRow();
    return true;
}

bool deleteLanguage(CaptionEditor& editor, int index) {
    CaptionPanel& panel = editor.panel();
    if (index < 0 || index >= editor.document().languageCount()) {
        showMessage(messageOwner(editor), L"Cannot Delete Language, invalid index");
        return false;
    }
    editor.change(L"Delete Language", [&](CaptionDocument& document) {
        if (document.languageCount() == 1) panel.deleteAllRows();
        document.removeLanguage(index);
        document.setCurrentLanguage(0);
    });
    return true;
}

void deleteSelectedLanguage(CaptionEditor& editor) {
    deleteLanguage(editor, editor.languageCombo().selectedIndex());
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
    editor.change(L"New Caption File", [&](CaptionDocument& document) {
        removeAllLanguages(editor);
        appendLanguage(editor, LanguageClass("US English", "US English", "en-us"));
        document.setCurrentLanguage(0);
        for (int i = 0; i < CaptionPanel::kVisibleRows; ++i) panel.addRow();
        panel.selectRow(0);
        panel.setStartTime(0, 0);
    });
}

}  // namespace zav
