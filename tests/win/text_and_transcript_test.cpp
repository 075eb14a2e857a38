// Import Text script and the transcript commands on the main window, with real
// files in a temporary folder: the script's pieces in the caption rows, the
// caption-length dialog run with scripts, transcript mode's menu and panels, and
// the transcript's bytes on disk.

#include "captions/language_commands.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"

#include <string>
#include <vector>

namespace {

using zav::test::clickButton;
using zav::test::FakeModalUi;
using zav::test::fileBytes;
using zav::test::fileExists;
using zav::test::MainWindowFixture;

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, &text[0], length + 1)));
    return text;
}

std::u16string u16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

struct TextFilesTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        panel = &window->captionPanel();
        ASSERT_EQ(panel->rowCount(), 12);
    }
    void command(WORD id) { SendMessageW(window->hwnd(), WM_COMMAND, id, 0); }
    HWND combo() const { return GetDlgItem(window->commandPanel(), IDC_LANGUAGE_COMBO); }
    HWND transcript() const { return GetDlgItem(window->hwnd(), IDC_TRANSCRIPT_WINDOW); }
    bool grayed(UINT id) const { return (GetMenuState(window->menu(), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    // Answers the caption-length dialog by typing the text and pressing OK.
    void answerLength(const wchar_t* typed) {
        ui.dialogScripts.push_back([typed](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_CAPTION_LENGTH, typed);
            clickButton(dialog, IDOK);
        });
    }
    void importScript(const std::wstring& path, const wchar_t* typedLength) {
        ui.fileNames.push_back(path);
        answerLength(typedLength);
        command(IDM_IMPORT_TEXT_SCRIPT);
    }
    const std::u16string& text(int row, int language = 0) const { return panel->document().text(language, row); }
    std::wstring edit(int row) const { return windowText(panel->rowEdit(row)); }

    zav::test::TemporaryFolder folder{L"zav_texts_"};
    zav::CaptionPanel* panel = nullptr;
};

TEST_F(TextFilesTest, TextScriptFillsTheRowsOfTheCurrentLanguage) {
    // A second language keeps its texts; the current one gets the pieces.
    zav::appendLanguage(window->captionEditor(), zav::LanguageClass("French", "French", "fr-fr"));
    zav::CaptionPanelProbe::document(*panel).setText(1, 3, u"bonjour");
    for (int row = 0; row < 12; ++row) zav::CaptionPanelProbe::document(*panel).setText(0, row, u"old text");
    panel->refreshRows();
    panel->setStartTime(2, 5000);

    const std::wstring path = folder.write(L"script.txt", "The quick brown fox jumps\r\nover the lazy dog.\r\n");
    importScript(path, L"25");

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FakeModalUi::FileDialog& asked = ui.fileDialogs[0];
    EXPECT_EQ(asked.owner, nullptr);
    EXPECT_EQ(asked.filter, L"Text Script|*.txt|");
    EXPECT_EQ(asked.flags, 0x12u);
    EXPECT_EQ(asked.maxFile, 300u);
    EXPECT_EQ(asked.initialFile, L"");
    EXPECT_FALSE(asked.hasDefaultExtension);
    EXPECT_EQ(ui.fileDialogTitles[0], L"Open Caption Text Script");
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].templateId, IDD_CAPTION_LENGTH);
    EXPECT_EQ(ui.dialogs[0].owner, window->hwnd());
    EXPECT_TRUE(ui.boxes.empty());

    // The line break counts as a space: the same pieces as the sentence on one line.
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(text(0), u"The quick brown fox ");
    EXPECT_EQ(text(1), u"jumps over the lazy dog.");
    EXPECT_EQ(edit(0), L"The quick brown fox ");
    EXPECT_EQ(edit(1), L"jumps over the lazy dog.");
    // Fewer pieces than rows: the later rows are left empty in this language only.
    for (int row = 2; row < 12; ++row) {
        EXPECT_EQ(text(row), u"") << row;
        EXPECT_EQ(edit(row), L"") << row;
    }
    EXPECT_EQ(text(3, 1), u"bonjour");
    EXPECT_EQ(panel->document().times()[0].startMs, 0);
    EXPECT_EQ(panel->document().times()[2].startMs, 5000);
    EXPECT_EQ(panel->selectedRow(), 0);
    EXPECT_EQ(panel->topRow(), 0);
}

TEST_F(TextFilesTest, TextScriptAddsRowsWithoutTimeForMorePieces) {
    std::string script;
    for (int i = 0; i < 30; ++i) script += "Caption number " + std::to_string(100 + i) + " has words\r\n";
    importScript(folder.write(L"long.txt", script), L"30abc");  // read as 30

    ASSERT_EQ(panel->rowCount(), 30);
    EXPECT_EQ(text(0), u"Caption number 100 has words ");
    EXPECT_EQ(text(29), u"Caption number 129 has words");
    for (int row = 12; row < 30; ++row) EXPECT_EQ(panel->document().times()[row].startMs, zav::kNoTime) << row;
    EXPECT_TRUE(panel->document().isConsistent());
    // The view is back at the top with row 0 selected.
    EXPECT_EQ(panel->topRow(), 0);
    EXPECT_EQ(panel->selectedRow(), 0);
    EXPECT_EQ(edit(0), L"Caption number 100 has words ");
    EXPECT_EQ(edit(29), L"Caption number 129 has words");
}

TEST_F(TextFilesTest, TextScriptOfAnEmptyFileOnlyEmptiesTheTexts) {
    zav::CaptionPanelProbe::document(*panel).setText(0, 4, u"typed");
    panel->refreshRows();
    importScript(folder.write(L"empty.txt", ""), L"40");
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(text(4), u"");
    EXPECT_EQ(edit(4), L"");
    EXPECT_EQ(panel->selectedRow(), 0);
}

TEST_F(TextFilesTest, TextScriptLengthDialogRefusesOutOfRangeNumbers) {
    const std::wstring path = folder.write(L"word.txt", std::string(60, 'x'));
    std::vector<std::size_t> boxesSeen;
    HWND shownDialog = nullptr;
    ui.fileNames.push_back(path);
    ui.dialogScripts.push_back([&](HWND dialog) {
        shownDialog = dialog;
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CAPTION_LENGTH)), L"");
        for (const wchar_t* typed : {L"words", L"24", L"201", L"99999999999999999999", L""}) {
            SetDlgItemTextW(dialog, IDC_CAPTION_LENGTH, typed);
            clickButton(dialog, IDOK);
            boxesSeen.push_back(ui.boxes.size());
        }
        // Still open; the bound itself is accepted.
        SetDlgItemTextW(dialog, IDC_CAPTION_LENGTH, L" 25");
        clickButton(dialog, IDOK);
    });
    command(IDM_IMPORT_TEXT_SCRIPT);

    EXPECT_EQ(boxesSeen, (std::vector<std::size_t>{1, 2, 3, 4, 5}));
    ASSERT_EQ(ui.boxes.size(), 5u);
    const std::wstring higher = L"You must enter a value higher than 25, enter another number.";
    const std::wstring lower = L"You must enter a value lower than 200, enter another number.";
    const std::vector<std::wstring> expected{higher, higher, lower, lower, higher};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ui.boxes[i].text, expected[i]) << i;
        EXPECT_EQ(ui.boxes[i].owner, shownDialog) << i;
        EXPECT_TRUE(ui.boxes[i].nullCaption) << i;
        EXPECT_EQ(ui.boxes[i].type, static_cast<UINT>(MB_OK)) << i;
    }
    // One 60-letter word at N = 25.
    EXPECT_EQ(text(0), u16(std::string(25, 'x')));
    EXPECT_EQ(text(1), u16(std::string(25, 'x')));
    EXPECT_EQ(text(2), u16(std::string(10, 'x')));
}

TEST_F(TextFilesTest, TextScriptStoppedEarlyKeepsTheCaptions) {
    zav::CaptionPanelProbe::document(*panel).setText(0, 0, u"first");
    panel->refreshRows();

    // The length dialog cancelled: the captions stay, in the document and on screen.
    ui.fileNames.push_back(folder.write(L"script.txt", "some words"));
    ui.dialogScripts.push_back([](HWND dialog) { clickButton(dialog, IDCANCEL); });
    command(IDM_IMPORT_TEXT_SCRIPT);
    EXPECT_EQ(text(0), u"first");
    EXPECT_EQ(edit(0), L"first");
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_TRUE(ui.boxes.empty());

    // A file that cannot be opened: its box, and no length dialog.
    ui.fileNames.push_back(folder.inside(L"missing.txt"));
    command(IDM_IMPORT_TEXT_SCRIPT);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Could not open the transcprit file.");
    EXPECT_EQ(ui.boxes[0].caption, L"ERROR!");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(ui.dialogs.size(), 1u);

    // The file dialog cancelled.
    command(IDM_IMPORT_TEXT_SCRIPT);
    EXPECT_EQ(ui.fileDialogs.size(), 3u);
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(text(0), u"first");
}

TEST_F(TextFilesTest, TextScriptNeedsALanguage) {
    command(IDC_DELETE_LANGUAGE);
    ASSERT_EQ(panel->document().languageCount(), 0);
    ui.fileNames.push_back(folder.write(L"script.txt", "words"));
    command(IDM_IMPORT_TEXT_SCRIPT);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"You must create a language class before you import a transcript.");
    EXPECT_FALSE(ui.boxes[0].nullCaption);
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(TextFilesTest, TranscriptModeSwapsPanelsAndMenuItems) {
    const UINT captionItems[] = {IDM_EXPORT_SAMI,        IDM_IMPORT_TEXT_SCRIPT, IDM_IMPORT_SAMI,
                                 IDM_OPEN_PRODUCER_MOVIE, IDM_EXPORT_TO_PRODUCER, IDM_EXPORT_SUBRIP,
                                 IDM_EXPORT_WEBVTT,       IDM_IMPORT_CUE_FILE,    IDM_ADD_CUE_LANGUAGE,
                                 IDM_EXPORT_TTML,         IDM_EXPORT_TTML_ALL,    IDM_CHECK_CAPTIONS};
    EXPECT_TRUE(grayed(IDM_SAVE_TRANSCRIPT_AS));
    EXPECT_TRUE(grayed(IDM_OPEN_TRANSCRIPT));
    EXPECT_EQ(transcript(), nullptr);

    command(IDM_NEW_TRANSCRIPT_FILE);
    HWND edit = transcript();
    ASSERT_TRUE(edit);
    wchar_t className[16] = {};
    GetClassNameW(edit, className, 16);
    EXPECT_EQ(_wcsicmp(className, L"EDIT"), 0);
    const LONG style = GetWindowLongW(edit, GWL_STYLE);
    for (LONG bit : {WS_CHILD, WS_VISIBLE, WS_VSCROLL, WS_TABSTOP, ES_MULTILINE, ES_AUTOVSCROLL})
        EXPECT_TRUE(style & bit) << std::hex << bit;
    EXPECT_EQ(zav::test::childRect(window->hwnd(), edit).left, 310);
    EXPECT_EQ(zav::test::childRect(window->hwnd(), edit).top, 0);
    EXPECT_EQ(panel->rowCount(), 0);
    EXPECT_EQ(panel->document().languageCount(), 0);
    EXPECT_EQ(SendMessageW(combo(), CB_GETCOUNT, 0, 0), 0);
    for (HWND hidden : {window->commandPanel(), panel->hwnd(), window->captionHeader(), window->startTimeHeader()})
        EXPECT_FALSE(IsWindowVisible(hidden));
    for (UINT id : captionItems) EXPECT_TRUE(grayed(id)) << id;
    EXPECT_FALSE(grayed(IDM_SAVE_TRANSCRIPT_AS));
    EXPECT_FALSE(grayed(IDM_OPEN_TRANSCRIPT));
    EXPECT_FALSE(grayed(IDM_NEW_TRANSCRIPT_FILE));

    // Resizing moves the transcript over the whole client area right of the player.
    const int width = setClientWidth(900);
    RECT client{};
    GetClientRect(window->hwnd(), &client);
    const RECT placed = zav::test::childRect(window->hwnd(), edit);
    EXPECT_EQ(placed.left, 310);
    EXPECT_EQ(placed.right, width);
    EXPECT_EQ(placed.bottom, client.bottom);

    // A second New Transcript File keeps the window and what was typed.
    SetWindowTextW(edit, L"typed so far");
    command(IDM_NEW_TRANSCRIPT_FILE);
    EXPECT_EQ(transcript(), edit);
    EXPECT_EQ(windowText(edit), L"typed so far");

    // New Caption File ends transcript mode.
    command(IDM_NEW_CAPTION_FILE);
    EXPECT_EQ(transcript(), nullptr);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(panel->rowCount(), 12);
    for (HWND shown : {window->commandPanel(), panel->hwnd(), window->captionHeader(), window->startTimeHeader()})
        EXPECT_TRUE(IsWindowVisible(shown));
    for (UINT id : captionItems) EXPECT_FALSE(grayed(id)) << id;
    EXPECT_TRUE(grayed(IDM_SAVE_TRANSCRIPT_AS));
    EXPECT_TRUE(grayed(IDM_OPEN_TRANSCRIPT));
    // The next transcript starts empty.
    command(IDM_NEW_TRANSCRIPT_FILE);
    EXPECT_EQ(windowText(transcript()), L"");
}

TEST_F(TextFilesTest, TranscriptSavedLineBreaksAreCrCrLfAndReopen) {
    command(IDM_NEW_TRANSCRIPT_FILE);
    HWND edit = transcript();
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"a\r\nb");

    ui.fileNames.push_back(folder.inside(L"two lines"));
    command(IDM_SAVE_TRANSCRIPT_AS);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].owner, nullptr);
    EXPECT_EQ(ui.fileDialogs[0].filter, L"TEXT file|*.txt|");
    EXPECT_EQ(ui.fileDialogs[0].flags, 0x12u);
    EXPECT_EQ(ui.fileDialogs[0].maxFile, 300u);
    EXPECT_FALSE(ui.fileDialogs[0].hasDefaultExtension);
    EXPECT_EQ(ui.fileDialogTitles[0], L"Save As");
    EXPECT_EQ(fileBytes(folder.inside(L"two lines.txt")), "a\r\r\nb");
    EXPECT_FALSE(fileExists(folder.inside(L"two lines")));

    // A name in another case gets ".txt" as well; one that has it keeps its name.
    // Letters the ANSI code page lacks are written as its default character.
    SetWindowTextW(edit, L"caf\u00E9 \u4E2D");
    ui.fileNames.push_back(folder.inside(L"notes.TXT"));
    command(IDM_SAVE_TRANSCRIPT_AS);
    EXPECT_EQ(fileBytes(folder.inside(L"notes.TXT.txt")), "caf\xE9 ?");
    ui.fileNames.push_back(folder.inside(L"plain.txt"));
    command(IDM_SAVE_TRANSCRIPT_AS);
    EXPECT_EQ(fileBytes(folder.inside(L"plain.txt")), "caf\xE9 ?");
    EXPECT_TRUE(ui.boxes.empty());

    // Reopened, the saved file shows its two lines again.
    ui.fileNames.push_back(folder.inside(L"two lines.txt"));
    command(IDM_OPEN_TRANSCRIPT);
    ASSERT_EQ(ui.fileDialogs.size(), 4u);
    EXPECT_EQ(ui.fileDialogs[3].filter, L"Transcript|*.txt|");
    EXPECT_EQ(ui.fileDialogs[3].flags, 0x12u);
    EXPECT_EQ(ui.fileDialogs[3].maxFile, 300u);
    EXPECT_EQ(ui.fileDialogTitles[3], L"Open Transcript");
    EXPECT_EQ(windowText(edit), L"a\r\nb");
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 2);

    // A file of plain CR LF lines arrives with bare LF characters.
    ui.fileNames.push_back(folder.write(L"foreign.txt", "one\r\ntwo"));
    command(IDM_OPEN_TRANSCRIPT);
    EXPECT_EQ(windowText(edit), L"one\ntwo");

    // An empty file empties the window.
    ui.fileNames.push_back(folder.write(L"empty.txt", ""));
    command(IDM_OPEN_TRANSCRIPT);
    EXPECT_EQ(windowText(edit), L"");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TextFilesTest, TranscriptFailuresLeaveTheTextAlone) {
    command(IDM_NEW_TRANSCRIPT_FILE);
    HWND edit = transcript();
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"kept");

    ui.fileNames.push_back(folder.inside(L"missing.txt"));
    command(IDM_OPEN_TRANSCRIPT);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Could not open the transcript file");
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_FALSE(ui.boxes[0].nullCaption);
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());

    ui.fileNames.push_back(folder.inside(L"no such folder\\out.txt"));
    command(IDM_SAVE_TRANSCRIPT_AS);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, L"Could not save the transcript file");
    EXPECT_EQ(ui.boxes[1].caption, L"");
    EXPECT_EQ(ui.boxes[1].owner, window->hwnd());

    // Cancelled dialogs change nothing.
    command(IDM_OPEN_TRANSCRIPT);
    command(IDM_SAVE_TRANSCRIPT_AS);
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(windowText(edit), L"kept");
}

TEST_F(TextFilesTest, TranscriptNameTheCodePageCannotSpellIsNotSaved) {
    command(IDM_NEW_TRANSCRIPT_FILE);
    SetWindowTextW(transcript(), L"text");
    // The name would otherwise come out empty and, with ".txt" added, name a file in
    // the current folder.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    for (const wchar_t* name : {L"\u4E2D\u6587", L"\u4E2D\u6587.txt"}) {
        ui.boxes.clear();
        ui.fileNames.push_back(folder.inside(name));
        command(IDM_SAVE_TRANSCRIPT_AS);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, L"Could not save the transcript file");
        EXPECT_FALSE(fileExists(folder.inside(L".txt")));
        EXPECT_FALSE(fileExists(folder.inside(name)));
    }
    SetCurrentDirectoryW(previous);
}

TEST_F(TextFilesTest, TranscriptLongerThanTheTextLimitIsSavedWhole) {
    command(IDM_NEW_TRANSCRIPT_FILE);
    HWND edit = transcript();
    ASSERT_TRUE(edit);
    std::string file;
    while (file.size() < 70000) file += "A line of a long transcript.\r\r\n";
    const auto limit = static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    ASSERT_LT(limit, file.size());

    ui.fileNames.push_back(folder.write(L"long.txt", file));
    command(IDM_OPEN_TRANSCRIPT);
    ASSERT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(edit)), file.size() - file.size() / 31);
    ui.fileNames.push_back(folder.inside(L"again.txt"));
    command(IDM_SAVE_TRANSCRIPT_AS);
    EXPECT_EQ(fileBytes(folder.inside(L"again.txt")), file);
}

}  // namespace
