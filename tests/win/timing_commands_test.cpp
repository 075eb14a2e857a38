// The caption timing commands on the main window over the scripted player: ENTER
// through the real message loop, the command panel's buttons as WM_COMMAND
// messages, and the Edit Caption Start Time dialog run with scripts.

#include "app/message_loop.h"
#include "tests/win/main_window_fixture.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

using zav::test::clickButton;
using zav::test::MainWindowFixture;

const wchar_t kDuplicate[] = L"You cannot enter a duplicate time value.";

std::u16string utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

struct TimingTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        state = player.last();
        ASSERT_NE(state, nullptr);
        panel = &window->captionPanel();
        ASSERT_EQ(panel->rowCount(), 12);
        ASSERT_EQ(panel->selectedRow(), 0);
    }
    void command(int id) {
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    // ENTER as the user presses it: the key goes to the focused caption row through
    // the program's message loop.
    void pressEnter() {
        HWND edit = panel->rowEdit(panel->selectedRow());
        ASSERT_TRUE(edit);
        SetFocus(edit);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        PostQuitMessage(0);
        zav::runMessageLoop(*window);
    }
    void select(int row) { ASSERT_TRUE(panel->selectRow(row)); }
    double timeOf(int row) const { return panel->document().times()[row].startMs; }
    std::wstring label(int row) const { return windowText(panel->rowLabel(row)); }
    std::wstring edit(int row) const { return windowText(panel->rowEdit(row)); }
    void type(int row, const wchar_t* text) { SetWindowTextW(panel->rowEdit(row), text); }
    std::vector<double> times() const {
        std::vector<double> all;
        for (const auto& entry : panel->document().times()) all.push_back(entry.startMs);
        return all;
    }
    // A dialog script that types the four fields (null leaves one empty) and presses
    // a button.
    zav::test::FakeModalUi::DialogScript fill(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds,
                                              const wchar_t* ms, int button = IDOK) {
        return [=](HWND dialog) {
            if (hours) SetDlgItemTextW(dialog, IDC_START_HOURS, hours);
            if (minutes) SetDlgItemTextW(dialog, IDC_START_MINUTES, minutes);
            if (seconds) SetDlgItemTextW(dialog, IDC_START_SECONDS, seconds);
            if (ms) SetDlgItemTextW(dialog, IDC_START_MS, ms);
            clickButton(dialog, button);
        };
    }
    void editStartTime(zav::test::FakeModalUi::DialogScript script) {
        ui.dialogScripts.push_back(std::move(script));
        command(IDC_EDIT_START_TIME);
    }

    zav::player::ScriptedState* state = nullptr;
    zav::CaptionPanel* panel = nullptr;
};

TEST_F(TimingTest, EnterStampsTheNextRowOneSecondEarlierThenRefusesADuplicate) {
    type(0, L"first caption");
    state->position = 12.5;
    pressEnter();
    EXPECT_EQ(timeOf(1), 11500);
    EXPECT_EQ(label(1), L"00:00:11:500");
    EXPECT_EQ(panel->selectedRow(), 1);
    EXPECT_EQ(GetFocus(), panel->rowEdit(1));
    // The typed texts were stored.
    EXPECT_EQ(panel->document().text(0, 0), u"first caption");
    EXPECT_TRUE(ui.boxes.empty());

    pressEnter();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kDuplicate);
    EXPECT_EQ(ui.boxes[0].owner, panel->hwnd());
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_FALSE(ui.boxes[0].nullCaption);
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(panel->selectedRow(), 1);
    EXPECT_EQ(timeOf(2), -1);
    EXPECT_EQ(label(2), L"");
}

TEST_F(TimingTest, EnterBeforeTheFirstSecondStampsZero) {
    // Row 0 of a new document has 0 already.
    state->position = 0.4;
    pressEnter();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kDuplicate);
    EXPECT_EQ(panel->selectedRow(), 0);
    EXPECT_EQ(timeOf(1), -1);

    command(IDC_CLEAR_ALL_TIMES);
    select(0);
    pressEnter();
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(timeOf(1), 0);
    EXPECT_EQ(label(1), L"00:00:00:000");
    EXPECT_EQ(panel->selectedRow(), 1);
}

TEST_F(TimingTest, EnterOnlyMovesDownWhenTheNextRowHasATime) {
    panel->setStartTime(2, 5000);
    panel->refreshRows();
    select(1);
    // The position is not needed for a move.
    state->positionResult = E_FAIL;
    pressEnter();
    EXPECT_EQ(panel->selectedRow(), 2);
    EXPECT_EQ(GetFocus(), panel->rowEdit(2));
    EXPECT_EQ(timeOf(2), 5000);
    EXPECT_EQ(timeOf(1), -1);
    EXPECT_EQ(timeOf(3), -1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TimingTest, EnterOnTheLastRowAppendsAndScrollsByOneRow) {
    select(11);
    state->position = 20;
    pressEnter();
    ASSERT_EQ(panel->rowCount(), 13);
    EXPECT_EQ(panel->selectedRow(), 12);
    EXPECT_EQ(timeOf(12), 19000);
    EXPECT_EQ(label(12), L"00:00:19:000");
    EXPECT_EQ(panel->topRow(), 1);
    EXPECT_EQ(panel->maxTopRow(), 1);
    EXPECT_EQ(GetFocus(), panel->rowEdit(12));
    EXPECT_TRUE(panel->document().isConsistent());
}

TEST_F(TimingTest, FailingPositionReadDoesNothing) {
    for (bool notANumber : {false, true}) {
        if (notANumber) {
            state->positionResult = S_OK;
            state->position = std::numeric_limits<double>::quiet_NaN();
        } else {
            state->positionResult = E_FAIL;
            state->position = 30;
        }
        select(0);
        const std::vector<double> before = times();
        pressEnter();
        command(IDC_SET_TIME);
        EXPECT_EQ(times(), before) << notANumber;
        EXPECT_EQ(panel->selectedRow(), 0) << notANumber;
        EXPECT_EQ(panel->rowCount(), 12) << notANumber;
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TimingTest, CommandsWithoutASelectionDoNothingOrSayWhy) {
    panel->setSelectedRow(-1);
    state->position = 30;
    const std::vector<double> before = times();
    // A focused caption row is always selected; without a selection only a direct
    // call can stamp.
    window->stampNextCaption();
    command(IDC_SET_TIME);
    command(IDC_DELETE_CAPTION);
    EXPECT_EQ(times(), before);
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_TRUE(ui.boxes.empty());

    // A selection left beyond the rows counts as none.
    panel->setSelectedRow(12);
    command(IDC_GOTO_START_TIME);
    command(IDC_EDIT_START_TIME);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, L"You must select an edit box to use this function.");
    EXPECT_EQ(ui.boxes[1].text, L"You must select a caption in order to edit it's start time.");
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.owner, window->hwnd());
        EXPECT_EQ(box.caption, L"");
        EXPECT_FALSE(box.nullCaption);
    }
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(state->positionRequests.empty());
}

TEST_F(TimingTest, SetTimeStampsTheExactPositionAndAppendsOnTheLastRow) {
    select(11);
    type(11, L"last");
    state->position = 12.3456;
    command(IDC_SET_TIME);
    EXPECT_EQ(timeOf(11), 12.3456 * 1000);
    EXPECT_EQ(label(11), L"00:00:12:345");
    ASSERT_EQ(panel->rowCount(), 13);
    EXPECT_EQ(panel->selectedRow(), 12);
    EXPECT_EQ(timeOf(12), -1);
    EXPECT_EQ(label(12), L"");
    EXPECT_EQ(panel->topRow(), 1);
    EXPECT_EQ(GetFocus(), panel->rowEdit(12));
    EXPECT_EQ(panel->document().text(0, 11), u"last");
    EXPECT_TRUE(ui.boxes.empty());

    // A row in the middle moves the selection down without appending.
    select(4);
    state->position = 3;
    command(IDC_SET_TIME);
    EXPECT_EQ(timeOf(4), 3000);
    EXPECT_EQ(panel->selectedRow(), 5);
    EXPECT_EQ(panel->rowCount(), 13);
}

TEST_F(TimingTest, SetTimeRefusesAnyRowsTime) {
    panel->setStartTime(7, 4250);
    select(3);
    for (double position : {0.0, 4.25}) {
        state->position = position;
        command(IDC_SET_TIME);
    }
    ASSERT_EQ(ui.boxes.size(), 2u);
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.text, kDuplicate);
        EXPECT_EQ(box.owner, window->hwnd());
    }
    EXPECT_EQ(timeOf(3), -1);
    EXPECT_EQ(panel->selectedRow(), 3);
    EXPECT_EQ(GetFocus(), panel->rowEdit(3));

    // The row being stamped counts too.
    panel->setStartTime(3, 9000);
    state->position = 9;
    command(IDC_SET_TIME);
    EXPECT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(panel->selectedRow(), 3);
}

TEST_F(TimingTest, StampingTheLastRowWithoutANewRowKeepsASelection) {
    // Row controls that cannot be made: the stamp ends on a row that exists.
    panel->setControlFactory([](HWND, const zav::ControlRequest&) -> HWND { return nullptr; });
    select(11);
    state->position = 20;
    pressEnter();
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(panel->selectedRow(), 11);
    EXPECT_TRUE(panel->hasSelection());
    EXPECT_EQ(timeOf(11), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Unable to create the edit controls");

    command(IDC_SET_TIME);
    EXPECT_EQ(timeOf(11), 20000);
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(panel->selectedRow(), 11);
    EXPECT_TRUE(panel->document().isConsistent());
}

TEST_F(TimingTest, SortByTimeMovesEveryLanguagesTextsWithTheirTimes) {
    zav::CaptionPanelProbe::document(*panel).appendLanguage(zav::LanguageClass("French", "French", "fr"));
    const double given[] = {5000, -1, 2000, -1, 1000};
    for (int row = 0; row < 12; ++row) {
        const double ms = row < 5 ? given[row] : -1;
        if (ms != -1) panel->setStartTime(row, ms);
        else zav::CaptionPanelProbe::document(*panel).clearStartTime(row);
        type(row, (L"en " + std::to_wstring(row)).c_str());
        zav::CaptionPanelProbe::document(*panel).setText(1, row, u"fr " + std::u16string(1, char16_t(u'a' + row)));
    }
    select(2);
    command(IDC_SORT_BY_TIME);
    const std::vector<double> sorted = times();
    EXPECT_EQ(std::vector<double>(sorted.begin(), sorted.begin() + 3), (std::vector<double>{1000, 2000, 5000}));
    for (int row = 3; row < 12; ++row) EXPECT_EQ(sorted[row], -1) << row;
    EXPECT_EQ(edit(0), L"en 4");
    EXPECT_EQ(edit(1), L"en 2");
    EXPECT_EQ(edit(2), L"en 0");
    EXPECT_EQ(label(0), L"00:00:01:000");
    EXPECT_EQ(label(2), L"00:00:05:000");
    EXPECT_EQ(label(3), L"");
    // Every row's two texts still belong together, and no text was lost.
    std::vector<std::wstring> english;
    for (int row = 0; row < 12; ++row) {
        const std::wstring shown = edit(row);
        english.push_back(shown);
        const int from = std::stoi(shown.substr(3));
        EXPECT_EQ(panel->document().text(0, row), utf16(shown)) << row;
        EXPECT_EQ(panel->document().text(1, row), u"fr " + std::u16string(1, char16_t(u'a' + from))) << row;
        EXPECT_EQ(sorted[row], from < 5 ? given[from] : -1) << row;
    }
    std::sort(english.begin(), english.end());
    EXPECT_EQ(std::unique(english.begin(), english.end()), english.end());
    // The selection keeps its index, and so names another caption now.
    EXPECT_EQ(panel->selectedRow(), 2);
    EXPECT_EQ(GetFocus(), panel->rowEdit(2));
    EXPECT_TRUE(panel->document().isConsistent());
}

TEST_F(TimingTest, GotoStartTimeSeeksTwoMillisecondsIntoTheCaption) {
    panel->setStartTime(2, 61000);
    select(2);
    command(IDC_GOTO_START_TIME);
    ASSERT_EQ(state->positionRequests.size(), 1u);
    EXPECT_EQ(state->positionRequests[0], 61002 / 1000.0);
    EXPECT_DOUBLE_EQ(state->positionRequests[0], 61.002);
    EXPECT_EQ(GetFocus(), panel->rowEdit(2));
    EXPECT_TRUE(ui.boxes.empty());

    select(3);
    command(IDC_GOTO_START_TIME);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"No start time has been given to the selected caption.");
    EXPECT_EQ(state->positionRequests.size(), 1u);
}

TEST_F(TimingTest, EditStartTimeAddsUpAnyMixOfUnits) {
    select(3);
    HWND focusAtOpen = nullptr;
    std::wstring fieldsAtOpen;
    editStartTime([&](HWND dialog) {
        focusAtOpen = GetFocus();
        for (int id : {IDC_START_HOURS, IDC_START_MINUTES, IDC_START_SECONDS, IDC_START_MS}) {
            wchar_t text[16] = {};
            GetDlgItemTextW(dialog, id, text, 16);
            fieldsAtOpen += text;
        }
        EXPECT_EQ(focusAtOpen, GetDlgItem(dialog, IDOK));
        clickButton(dialog, IDOK);
    });
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].templateId, IDD_EDIT_START_TIME);
    EXPECT_EQ(ui.dialogs[0].owner, window->hwnd());
    EXPECT_EQ(fieldsAtOpen, L"");
    // All fields empty: 0, a duplicate of row 0 that this command allows.
    EXPECT_EQ(timeOf(3), 0);
    EXPECT_EQ(label(3), L"00:00:00:000");
    EXPECT_EQ(GetFocus(), panel->rowEdit(3));

    editStartTime(fill(nullptr, L"2", L"3", L"4"));
    EXPECT_EQ(timeOf(3), 123004);
    EXPECT_EQ(label(3), L"00:02:03:004");

    editStartTime(fill(nullptr, nullptr, nullptr, L"90000"));
    EXPECT_EQ(timeOf(3), 90000);
    EXPECT_EQ(label(3), L"00:01:30:000");

    editStartTime(fill(L"1", L"61", L"0", L"0"));
    EXPECT_EQ(label(3), L"02:01:00:000");

    // Each field is read with at most 9 characters.
    editStartTime(fill(nullptr, nullptr, nullptr, L"1234567890"));
    EXPECT_EQ(timeOf(3), 123456789);
    EXPECT_EQ(label(3), L"34:17:36:789");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TimingTest, EditStartTimeLeavesOtherRowsAlone) {
    panel->setStartTime(5, 7000);
    select(5);
    const std::vector<double> before = times();
    editStartTime(fill(nullptr, nullptr, L"1", nullptr));
    EXPECT_EQ(timeOf(5), 1000);
    for (int row = 0; row < 12; ++row) {
        if (row != 5) {
            EXPECT_EQ(timeOf(row), before[row]) << row;
        }
    }
    // Nothing is sorted: the row keeps its place and its selection.
    EXPECT_EQ(panel->selectedRow(), 5);
}

TEST_F(TimingTest, EditStartTimeCancelKeepsTheTime) {
    panel->setStartTime(4, 5000);
    panel->refreshRows();
    select(4);
    editStartTime(fill(L"3", nullptr, nullptr, nullptr, IDCANCEL));
    EXPECT_EQ(timeOf(4), 5000);
    EXPECT_EQ(label(4), L"00:00:05:000");
    EXPECT_EQ(GetFocus(), panel->rowEdit(4));
    // A dialog that could not be shown changes nothing either.
    ui.dialogResults.push_back(-1);
    command(IDC_EDIT_START_TIME);
    EXPECT_EQ(timeOf(4), 5000);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TimingTest, EditStartTimeRefusesATimeBeyondThirtyTwoBits) {
    panel->setStartTime(4, 5000);
    panel->refreshRows();
    select(4);
    bool stillOpen = false;
    HWND shown = nullptr;
    editStartTime([&](HWND dialog) {
        shown = dialog;
        SetDlgItemTextW(dialog, IDC_START_HOURS, L"999999999");
        clickButton(dialog, IDOK);
        stillOpen = IsWindow(dialog) != FALSE;
        // One millisecond past the largest time, then the largest itself.
        SetDlgItemTextW(dialog, IDC_START_HOURS, L"596");
        SetDlgItemTextW(dialog, IDC_START_MINUTES, L"31");
        SetDlgItemTextW(dialog, IDC_START_SECONDS, L"23");
        SetDlgItemTextW(dialog, IDC_START_MS, L"648");
        clickButton(dialog, IDOK);
        SetDlgItemTextW(dialog, IDC_START_MS, L"647");
        clickButton(dialog, IDOK);
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(ui.boxes.size(), 2u);
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.text, L"The start time is out of range.");
        EXPECT_EQ(box.owner, shown);
        EXPECT_EQ(box.caption, L"");
    }
    EXPECT_EQ(timeOf(4), 2147483647);
    EXPECT_EQ(label(4), L"596:31:23:647");

    // Refused, then cancelled: the time stays.
    editStartTime([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_START_SECONDS, L"999999999");
        clickButton(dialog, IDOK);
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(timeOf(4), 2147483647);
}

TEST_F(TimingTest, DeleteCaptionMovesTheSelectionOffTheDeletedEnd) {
    select(11);
    for (int i = 0; i < 7; ++i) command(IDC_DELETE_CAPTION);
    ASSERT_EQ(panel->rowCount(), 5);
    EXPECT_EQ(panel->selectedRow(), 4);
    type(3, L"fourth");
    type(4, L"fifth");
    command(IDC_DELETE_CAPTION);
    ASSERT_EQ(panel->rowCount(), 4);
    EXPECT_EQ(panel->selectedRow(), 3);
    EXPECT_EQ(edit(3), L"fourth");
    EXPECT_EQ(GetFocus(), panel->rowEdit(3));

    // A row in the middle: the rows below move up with their texts and times.
    panel->setStartTime(2, 2000);
    panel->setStartTime(3, 3000);
    panel->refreshRows();
    select(1);
    command(IDC_DELETE_CAPTION);
    ASSERT_EQ(panel->rowCount(), 3);
    EXPECT_EQ(panel->selectedRow(), 1);
    EXPECT_EQ(timeOf(1), 2000);
    EXPECT_EQ(timeOf(2), 3000);
    EXPECT_EQ(edit(2), L"fourth");
    EXPECT_EQ(label(2), L"00:00:03:000");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TimingTest, DeletingTheOnlyCaptionLeavesNoSelection) {
    select(0);
    for (int i = 0; i < 11; ++i) command(IDC_DELETE_CAPTION);
    ASSERT_EQ(panel->rowCount(), 1);
    EXPECT_EQ(panel->selectedRow(), 0);
    command(IDC_DELETE_CAPTION);
    EXPECT_EQ(panel->rowCount(), 0);
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_TRUE(panel->document().isConsistent());
    // Nothing to delete now.
    command(IDC_DELETE_CAPTION);
    EXPECT_EQ(panel->rowCount(), 0);

    // Add Caption brings a row back, still without selection.
    command(IDC_ADD_CAPTION);
    EXPECT_EQ(panel->rowCount(), 1);
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TimingTest, AddCaptionAppendsAtTheEndAndKeepsTheSelection) {
    select(3);
    command(IDC_ADD_CAPTION);
    ASSERT_EQ(panel->rowCount(), 13);
    EXPECT_EQ(timeOf(12), -1);
    EXPECT_EQ(panel->selectedRow(), 3);
    EXPECT_EQ(panel->topRow(), 1);
    EXPECT_EQ(GetFocus(), panel->rowEdit(3));

    // Without a language there is nothing to add a row to.
    panel->deleteAllRows();
    zav::CaptionPanelProbe::document(*panel).removeLanguage(0);
    command(IDC_ADD_CAPTION);
    EXPECT_EQ(panel->rowCount(), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"You must create a language class to add an edit box.");
    EXPECT_EQ(ui.boxes[0].owner, panel->hwnd());
}

TEST_F(TimingTest, ClearAllTimesKeepsRowsAndTexts) {
    panel->setStartTime(5, 5000);
    panel->refreshRows();
    type(5, L"kept");
    select(5);
    command(IDC_CLEAR_ALL_TIMES);
    for (int row = 0; row < 12; ++row) {
        EXPECT_EQ(timeOf(row), -1) << row;
        EXPECT_EQ(label(row), L"") << row;
    }
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(edit(5), L"kept");
    EXPECT_EQ(GetFocus(), panel->rowEdit(5));
}

}  // namespace
