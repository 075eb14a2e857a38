#include "tests/win/captions/panel_fixture.h"

#include "captions/language_commands.h"
#include "resources/resource_ids.h"

namespace zav::test {
namespace {

using LanguageTest = PanelTest;

TEST_F(LanguageTest, AddLanguageTrimsTheNameAndKeepsTheCurrentLanguage) {
    reset();
    type(0, L"english row");
    RECT dialogRect{};
    ui.dialogScript = [&](HWND dialog) {
        GetWindowRect(dialog, &dialogRect);
        typeName(L"French   ")(dialog);
    };
    ASSERT_TRUE(addLanguage(editor));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], IDD_ADD_LANGUAGE);
    EXPECT_EQ(dialogRect.left, 10);
    EXPECT_EQ(dialogRect.top, 20);
    ASSERT_EQ(panel.document().languageCount(), 2);
    const LanguageClass& added = panel.document().languages()[1];
    EXPECT_EQ(added.className(), "French");
    EXPECT_EQ(added.displayName(), "French");
    EXPECT_EQ(added.langCode(), "ZAV-CC");
    EXPECT_EQ(added.texts().size(), 12u);
    EXPECT_EQ(comboCount(), 2);
    EXPECT_EQ(comboEntry(1), L"French");
    EXPECT_EQ(comboSelection(), 0);
    EXPECT_EQ(panel.document().currentLanguage(), 0);
    EXPECT_EQ(editText(0), L"english row");
    EXPECT_EQ(GetFocus(), panel.rowEdit(0));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LanguageTest, LongNamesAreCutTo29Bytes) {
    reset();
    ui.dialogScript = typeName(std::wstring(40, L'k'));
    ASSERT_TRUE(addLanguage(editor));
    EXPECT_EQ(panel.document().languages()[1].className(), std::string(29, 'k'));
    EXPECT_EQ(comboEntry(1), std::wstring(29, L'k'));
}

TEST_F(LanguageTest, BlankNameIsRefusedAndTheDialogStaysOpen) {
    reset();
    bool stillOpen = false;
    std::size_t boxesWhileOpen = 0;
    ui.dialogScript = [&](HWND dialog) {
        typeName(L"    ")(dialog);
        stillOpen = IsWindow(dialog) != FALSE;
        boxesWhileOpen = ui.boxes.size();
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_FALSE(addLanguage(editor));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(boxesWhileOpen, 1u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"You cannot leave ClassName blank.");
    EXPECT_EQ(ui.boxes[0].owner, GetDesktopWindow());
    EXPECT_TRUE(ui.boxes[0].nullCaption);
    EXPECT_EQ(panel.document().languageCount(), 1);
    EXPECT_EQ(comboCount(), 1);
    EXPECT_EQ(GetFocus(), panel.rowEdit(0));
}

TEST_F(LanguageTest, ANameTypedAfterARefusalIsCreated) {
    reset();
    ui.dialogScript = [&](HWND dialog) {
        typeName(L"\t \t")(dialog);
        typeName(L"  Italiano")(dialog);
    };
    ASSERT_TRUE(addLanguage(editor));
    EXPECT_EQ(ui.boxes.size(), 1u);
    ASSERT_EQ(panel.document().languageCount(), 2);
    EXPECT_EQ(panel.document().languages()[1].className(), "  Italiano");
}

TEST_F(LanguageTest, SwitchingLanguagesKeepsWhatWasTypedInEach) {
    reset();
    ui.dialogScript = typeName(L"French");
    ASSERT_TRUE(addLanguage(editor));
    type(0, L"hello");
    type(5, L"world");
    selectLanguageInCombo(1);
    EXPECT_EQ(panel.document().currentLanguage(), 1);
    EXPECT_EQ(comboSelection(), 1);
    EXPECT_EQ(editText(0), L"");
    EXPECT_EQ(labelText(0), L"00:00:00:000");
    type(0, L"bonjour");
    selectLanguageInCombo(0);
    EXPECT_EQ(editText(0), L"hello");
    EXPECT_EQ(editText(5), L"world");
    EXPECT_EQ(panel.document().text(1, 0), u"bonjour");
    selectLanguageInCombo(1);
    EXPECT_EQ(editText(0), L"bonjour");
    EXPECT_EQ(GetFocus(), panel.rowEdit(0));
}

TEST_F(LanguageTest, SwitchingToNoEntryChangesNothing) {
    reset();
    type(1, L"typed");
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    switchLanguage(editor);
    EXPECT_EQ(panel.document().currentLanguage(), 0);
    EXPECT_EQ(editText(1), L"typed");
}

TEST_F(LanguageTest, DeletingTheSelectedSecondLanguageLeavesTheFirstSelected) {
    reset();
    ui.dialogScript = typeName(L"French");
    ASSERT_TRUE(addLanguage(editor));
    type(2, L"english");
    selectLanguageInCombo(1);
    type(2, L"french");
    deleteSelectedLanguage(editor);
    ASSERT_EQ(panel.document().languageCount(), 1);
    EXPECT_EQ(panel.document().languages()[0].className(), "US English");
    EXPECT_EQ(comboCount(), 1);
    EXPECT_EQ(comboSelection(), 0);
    EXPECT_EQ(panel.document().currentLanguage(), 0);
    EXPECT_EQ(editText(2), L"english");
    EXPECT_EQ(panel.rowCount(), 12);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LanguageTest, DeletingAnotherLanguageKeepsTypingOfTheCurrentOne) {
    reset();
    ui.dialogScript = typeName(L"French");
    ASSERT_TRUE(addLanguage(editor));
    type(3, L"not stored yet");
    ASSERT_TRUE(deleteLanguage(editor, 1));
    EXPECT_EQ(editText(3), L"not stored yet");
    EXPECT_EQ(panel.document().text(0, 3), u"not stored yet");
}

TEST_F(LanguageTest, DeletingWithoutSelectionReportsAnInvalidIndex) {
    reset();
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    deleteSelectedLanguage(editor);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Cannot Delete Language, invalid index");
    EXPECT_EQ(ui.boxes[0].owner, parent);
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(panel.document().languageCount(), 1);
    EXPECT_FALSE(deleteLanguage(editor, 1));
    EXPECT_EQ(panel.rowCount(), 12);
}

TEST_F(LanguageTest, DeletingTheOnlyLanguageRemovesAllCaptionsUntilALanguageIsAdded) {
    reset();
    growTo(15);
    deleteSelectedLanguage(editor);
    EXPECT_EQ(panel.document().languageCount(), 0);
    EXPECT_EQ(panel.rowCount(), 0);
    EXPECT_EQ(comboCount(), 0);
    EXPECT_EQ(panel.topRow(), 0);
    EXPECT_EQ(panel.maxTopRow(), 0);
    EXPECT_EQ(GetWindow(panel.hwnd(), GW_CHILD), nullptr);
    EXPECT_FALSE(panel.addRow());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"You must create a language class to add an edit box.");

    ui.dialogScript = typeName(L"Deutsch");
    ASSERT_TRUE(addLanguage(editor));
    EXPECT_EQ(panel.document().languageCount(), 1);
    EXPECT_EQ(comboSelection(), 0);
    EXPECT_EQ(comboEntry(0), L"Deutsch");
    EXPECT_EQ(panel.document().currentLanguage(), 0);
    ASSERT_TRUE(panel.addRow());
    EXPECT_EQ(panel.rowCount(), 1);
    EXPECT_TRUE(panel.document().isConsistent());
}

TEST_F(LanguageTest, NewCaptionFileAfterEditsStartsOver) {
    reset();
    ui.dialogScript = typeName(L"French");
    ASSERT_TRUE(addLanguage(editor));
    ui.dialogScript = typeName(L"Deutsch");
    ASSERT_TRUE(addLanguage(editor));
    selectLanguageInCombo(2);
    growTo(30);
    for (int row = 0; row < 30; ++row) {
        type(row, L"text");
        panel.setStartTime(row, 1000.0 * row);
    }
    panel.refreshRows();
    panel.selectRow(25);
    reset();
    ASSERT_EQ(panel.document().languageCount(), 1);
    EXPECT_EQ(panel.document().languages()[0].className(), "US English");
    EXPECT_EQ(comboCount(), 1);
    EXPECT_EQ(comboEntry(0), L"US English");
    EXPECT_EQ(comboSelection(), 0);
    EXPECT_EQ(panel.document().currentLanguage(), 0);
    ASSERT_EQ(panel.rowCount(), 12);
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(panel.topRow(), 0);
    EXPECT_EQ(panel.maxTopRow(), 0);
    EXPECT_EQ(labelText(0), L"00:00:00:000");
    for (int row = 0; row < 12; ++row) {
        EXPECT_EQ(editText(row), L"");
        if (row) {
            EXPECT_EQ(labelText(row), L"");
        }
        EXPECT_EQ(topOf(panel.rowEdit(row)), row * 25);
    }
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(panel.document().isConsistent());
}

TEST_F(LanguageTest, CancelledAddLanguageOnlyReturnsTheFocus) {
    reset();
    ui.dialogScript = [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); };
    SetFocus(combo);
    EXPECT_FALSE(addLanguage(editor));
    EXPECT_EQ(panel.document().languageCount(), 1);
    EXPECT_EQ(GetFocus(), panel.rowEdit(0));
}

}  // namespace
}  // namespace zav::test
