// Undo and redo through the main window: for every command that changes the caption
// document, undo brings back the document, the panel's rows, the language box, the
// selection and the view exactly, and redo the command's result; the Edit menu names
// the steps; Ctrl+Z takes typing back first; a new change drops what could be redone.

#include "app/message_loop.h"
#include "captions/language_commands.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using zav::test::clickButton;
using zav::test::MainWindowFixture;

// What the user can see of the document, and the document itself.
struct Seen {
    std::vector<double> times;
    std::vector<std::u16string> timeTexts;
    std::vector<std::string> languages;
    std::vector<std::vector<std::u16string>> texts;
    int currentLanguage = 0;
    std::vector<std::u16string> shown;
    std::vector<std::wstring> labels;
    std::vector<std::wstring> comboEntries;
    int comboSelection = -1;
    int selectedRow = -1;
    int topRow = 0;
};

struct UndoTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        state = player.last();
        panel = &window->captionPanel();
        editor = &window->captionEditor();
        combo = GetDlgItem(window->commandPanel(), IDC_LANGUAGE_COMBO);
    }
    void command(int id) { SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // Two languages, 30 rows with times and texts, row 20 selected and the view moved.
    void fill() {
        zav::appendLanguage(*editor, zav::LanguageClass("FRCC", "French", "fr"));
        while (panel->rowCount() < 30) panel->addRow();
        for (int row = 0; row < 30; ++row) {
            if (row % 7 != 3) panel->setStartTime(row, 1000.0 * (30 - row) + 0.5);
            zav::CaptionPanelProbe::document(*panel).setText(0, row, u"english " + std::u16string(1, u'a' + row % 26));
            if (row % 2) zav::CaptionPanelProbe::document(*panel).setText(1, row, u"fran\u00E7ais " + std::u16string(1, u'A' + row % 26));
        }
        panel->refreshRows();
        ASSERT_TRUE(panel->selectRow(20));
        panel->ensureRowVisible(20);
        editor->clearHistory();
    }
    Seen seen() const {
        Seen s;
        const zav::CaptionDocument& document = panel->document();
        for (const auto& entry : document.times()) {
            s.times.push_back(entry.startMs);
            s.timeTexts.push_back(entry.timeText);
        }
        for (const auto& language : document.languages()) {
            s.languages.push_back(language.className() + "|" + language.displayName() + "|" + language.langCode());
            s.texts.push_back(language.texts());
        }
        s.currentLanguage = document.currentLanguage();
        for (int row = 0; row < panel->rowCount(); ++row) {
            s.shown.push_back(panel->shownText(row));
            wchar_t label[64] = {};
            GetWindowTextW(panel->rowLabel(row), label, 64);
            s.labels.push_back(label);
        }
        const int entries = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < entries; ++i) {
            wchar_t entry[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            s.comboEntries.push_back(entry);
        }
        s.comboSelection = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
        s.selectedRow = panel->selectedRow();
        s.topRow = panel->topRow();
        return s;
    }
    void expectSeen(const Seen& a, const Seen& b) {
        EXPECT_EQ(a.times, b.times);
        EXPECT_EQ(a.timeTexts, b.timeTexts);
        EXPECT_EQ(a.languages, b.languages);
        EXPECT_EQ(a.texts, b.texts);
        EXPECT_EQ(a.currentLanguage, b.currentLanguage);
        EXPECT_EQ(a.shown, b.shown);
        EXPECT_EQ(a.labels, b.labels);
        EXPECT_EQ(a.comboEntries, b.comboEntries);
        EXPECT_EQ(a.comboSelection, b.comboSelection);
        EXPECT_EQ(a.selectedRow, b.selectedRow);
        EXPECT_EQ(a.topRow, b.topRow);
    }
    std::wstring menuLabel(UINT id) const {
        wchar_t text[128] = {};
        GetMenuStringW(window->menu(), id, text, 128, MF_BYCOMMAND);
        return text;
    }
    bool grayed(UINT id) const { return (GetMenuState(window->menu(), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    void answerDialog(int control, const wchar_t* text) {
        ui.dialogScripts.push_back([control, text](HWND dialog) {
            SetDlgItemTextW(dialog, control, text);
            clickButton(dialog, IDOK);
        });
    }
    void pressKey(HWND focus, WPARAM key) {
        SetFocus(focus);
        PostMessageW(focus, WM_KEYDOWN, key, 0);
        PostQuitMessage(0);
        zav::runMessageLoop(*window);
    }

    zav::player::ScriptedState* state = nullptr;
    zav::CaptionPanel* panel = nullptr;
    zav::CaptionEditor* editor = nullptr;
    HWND combo = nullptr;
    zav::test::TemporaryFolder folder{L"zav-undo-"};
};

struct Command {
    const char* name;
    const wchar_t* step;
    std::function<void(UndoTest&)> run;
};

TEST_F(UndoTest, EveryCommandIsUndoneAndRedoneExactly) {
    const std::wstring sami = folder.write(
        L"in.smi", "<SAMI><BODY><SYNC start=1><P class=A>one<SYNC start=2><P class=B>two</BODY></SAMI>");
    const std::wstring script = folder.write(L"script.txt", "A text script of a few words to split.");
    const std::wstring srt = folder.write(L"in.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\ncue\r\n\r\n");
    const Command commands[] = {
        {"enter", L"Stamp Time", [](UndoTest& t) {
             t.state->position = 50.5;
             t.pressKey(t.panel->rowEdit(t.panel->selectedRow()), VK_RETURN);
         }},
        {"set_time", L"Set Time", [](UndoTest& t) {
             t.state->position = 60.25;
             t.command(IDC_SET_TIME);
         }},
        {"edit_start_time", L"Edit Start Time", [](UndoTest& t) {
             t.answerDialog(IDC_START_SECONDS, L"77");
             t.command(IDC_EDIT_START_TIME);
         }},
        {"delete_caption", L"Delete Caption", [](UndoTest& t) { t.command(IDC_DELETE_CAPTION); }},
        {"add_caption", L"Add Caption", [](UndoTest& t) { t.command(IDC_ADD_CAPTION); }},
        {"clear_all_times", L"Clear All Times", [](UndoTest& t) { t.command(IDC_CLEAR_ALL_TIMES); }},
        {"sort_by_time", L"Sort By Time", [](UndoTest& t) { t.command(IDC_SORT_BY_TIME); }},
        {"add_language", L"Add Language", [](UndoTest& t) {
             t.answerDialog(IDC_CLASS_NAME, L"German");
             t.command(IDC_ADD_LANGUAGE);
         }},
        {"delete_language", L"Delete Language", [](UndoTest& t) { t.command(IDC_DELETE_LANGUAGE); }},
        {"new_caption_file", L"New Caption File", [](UndoTest& t) { t.command(IDM_NEW_CAPTION_FILE); }},
        {"import_sami", L"Import SAMI", [&sami](UndoTest& t) {
             t.ui.fileNames.push_back(sami);
             t.command(IDM_IMPORT_SAMI);
         }},
        {"import_text_script", L"Import Text Script", [&script](UndoTest& t) {
             t.ui.fileNames.push_back(script);
             t.answerDialog(IDC_CAPTION_LENGTH, L"25");
             t.command(IDM_IMPORT_TEXT_SCRIPT);
         }},
        {"import_subrip", L"Import SubRip or WebVTT", [&srt](UndoTest& t) {
             t.ui.fileNames.push_back(srt);
             t.command(IDM_IMPORT_CUE_FILE);
         }},
        {"add_subrip_language", L"Add Language from SubRip or WebVTT", [&srt](UndoTest& t) {
             t.ui.fileNames.push_back(srt);
             t.answerDialog(IDC_CLASS_NAME, L"Cues");
             t.command(IDM_ADD_CUE_LANGUAGE);
         }},
    };
    fill();
    for (const Command& c : commands) {
        SCOPED_TRACE(c.name);
        // Every command starts from the same document, with the French texts shown.
        command(IDM_NEW_CAPTION_FILE);
        fill();
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_COMBO, CBN_SELCHANGE), 0);
        // Row 24 has no time, so ENTER in row 23 stamps it.
        ASSERT_TRUE(panel->selectRow(23));
        editor->clearHistory();
        const Seen before = seen();
        c.run(*this);
        const Seen after = seen();
        ASSERT_TRUE(editor->canUndo());
        EXPECT_EQ(menuLabel(IDM_UNDO), std::wstring(L"&Undo ") + c.step + L"\tCtrl+Z");
        EXPECT_FALSE(grayed(IDM_UNDO));
        EXPECT_TRUE(grayed(IDM_REDO));

        command(IDM_UNDO);
        expectSeen(seen(), before);
        EXPECT_FALSE(editor->canUndo());
        EXPECT_EQ(menuLabel(IDM_REDO), std::wstring(L"&Redo ") + c.step + L"\tCtrl+Y");
        EXPECT_TRUE(grayed(IDM_UNDO));
        EXPECT_EQ(menuLabel(IDM_UNDO), L"&Undo\tCtrl+Z");

        command(IDM_REDO);
        expectSeen(seen(), after);
        EXPECT_FALSE(editor->canRedo());
        EXPECT_TRUE(panel->document().isConsistent());
    }
}

TEST_F(UndoTest, TypingIsAStepOfItsOwnAndCtrlZTakesItBackFirst) {
    fill();
    HWND edit = panel->rowEdit(20);
    const Seen before = seen();
    // Typed, then stored by a command: two steps.
    SetWindowTextW(edit, L"typed text");
    command(IDC_CLEAR_ALL_TIMES);
    EXPECT_EQ(editor->history().size(), 2u);
    EXPECT_EQ(editor->undoName(), u"Clear All Times");
    command(IDM_UNDO);
    EXPECT_EQ(editor->undoName(), u"Typing");
    EXPECT_EQ(panel->shownText(20), u"typed text");
    command(IDM_UNDO);
    expectSeen(seen(), before);

    // Typing not yet stored: Ctrl+Z in the box undoes it there first, then the next
    // Ctrl+Z goes on to the history.
    command(IDM_REDO);
    command(IDM_REDO);
    ASSERT_EQ(panel->document().times()[0].startMs, zav::kNoTime);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"more typing"));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    pressKey(edit, 'Z');
    EXPECT_EQ(panel->shownText(20), u"typed text");
    EXPECT_EQ(editor->undoName(), u"Clear All Times");
    pressKey(edit, 'Z');
    EXPECT_NE(panel->document().times()[0].startMs, zav::kNoTime);
    pressKey(edit, 'Y');
    EXPECT_EQ(panel->document().times()[0].startMs, zav::kNoTime);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// Once typing is stored or recorded, the edit box's own undo covers only what was
// typed after that: Ctrl+Z takes back the later letter, the next Ctrl+Z the stored
// typing through the history, and no Ctrl+Z brings back text it just took away.
TEST_F(UndoTest, CtrlZNeverBringsBackTypingItTookAway) {
    // How the typing "xy" gets stored, and how many Ctrl+Z reach it after the box's
    // own undo of "z": Clear All Times is a step of its own before the typing's.
    struct Storing {
        std::function<void(UndoTest&)> store;
        int historyPresses;
    };
    const Storing storings[] = {
        {[](UndoTest& t) { t.command(IDC_SORT_BY_TIME); }, 1},
        {[](UndoTest& t) { t.command(IDC_CLEAR_ALL_TIMES); }, 2},
        {[](UndoTest& t) { SendMessageW(t.window->hwnd(), WM_INITMENUPOPUP, 0, 0); }, 1},
    };
    fill();
    command(IDC_SORT_BY_TIME);
    BYTE keys[256] = {};
    for (const Storing& storing : storings) {
        SCOPED_TRACE(&storing - storings);
        HWND edit = panel->rowEdit(20);
        const std::u16string original = panel->shownText(20);
        const auto typeAt = [&](int at, const wchar_t* text) {
            SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at), at);
            SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        };
        typeAt(0, L"xy");
        storing.store(*this);
        typeAt(2, L"z");
        ASSERT_EQ(panel->shownText(20), u"xyz" + original);
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        pressKey(edit, 'Z');
        EXPECT_EQ(panel->shownText(20), u"xy" + original);
        for (int press = 1; press <= storing.historyPresses; ++press) {
            pressKey(edit, 'Z');
            EXPECT_EQ(panel->shownText(20), press < storing.historyPresses ? u"xy" + original : original);
        }
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        command(IDM_REDO);
        EXPECT_EQ(panel->shownText(20), u"xy" + original);
        command(IDM_UNDO);
        EXPECT_EQ(panel->shownText(20), original);
    }
}

TEST_F(UndoTest, ANewChangeDropsTheRedoStepsAndTheHistoryKeepsTwoHundred) {
    fill();
    command(IDC_ADD_CAPTION);
    command(IDC_ADD_CAPTION);
    command(IDM_UNDO);
    EXPECT_TRUE(editor->canRedo());
    command(IDC_CLEAR_ALL_TIMES);
    EXPECT_FALSE(editor->canRedo());
    EXPECT_TRUE(grayed(IDM_REDO));
    EXPECT_EQ(panel->rowCount(), 31);

    for (int i = 0; i < 205; ++i) command(IDC_ADD_CAPTION);
    EXPECT_EQ(editor->history().size(), zav::DocumentHistory::kDefaultLimit);
    int undone = 0;
    while (editor->canUndo()) {
        command(IDM_UNDO);
        ++undone;
    }
    EXPECT_EQ(undone, 200);
    // The oldest steps are gone: the rows of the first five additions stay.
    EXPECT_EQ(panel->rowCount(), 31 + 5);
}

TEST_F(UndoTest, UndoOfNewCaptionFileBringsBackTwoLanguagesAndTheSelection) {
    fill();
    const Seen before = seen();
    command(IDM_NEW_CAPTION_FILE);
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(panel->document().languageCount(), 1);
    command(IDM_UNDO);
    expectSeen(seen(), before);
    EXPECT_EQ(panel->document().languageCount(), 2);
    EXPECT_EQ(panel->selectedRow(), 20);
    EXPECT_EQ(GetFocus(), panel->rowEdit(20));
}

TEST_F(UndoTest, TranscriptModeOffersNoUndoAndCaptionModeGetsItBack) {
    fill();
    command(IDC_CLEAR_ALL_TIMES);
    command(IDM_NEW_TRANSCRIPT_FILE);
    EXPECT_TRUE(grayed(IDM_UNDO));
    command(IDM_UNDO);
    EXPECT_EQ(panel->document().languageCount(), 0);
    command(IDM_NEW_CAPTION_FILE);
    EXPECT_EQ(editor->undoName(), u"New Caption File");
    command(IDM_UNDO);
    command(IDM_UNDO);
    EXPECT_EQ(panel->document().languageCount(), 2);
    EXPECT_EQ(panel->rowCount(), 30);
}

}  // namespace
