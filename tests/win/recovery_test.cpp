// Recovery copies on the main window, driven by a fake clock: changes are copied
// within the interval and nothing else is, a copy brings the same work back as one
// undoable step (or is set aside), a failing disk is reported once, and a clean end
// removes the copy.

#include "captions/language_commands.h"
#include "core/recovery_copy.h"
#include "formats/recovery_files.h"
#include "formats/recovery_settings_dialog.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"
#include "win/file_io.h"

#include <string>
#include <vector>

namespace {

using zav::test::fileBytes;
using zav::test::MainWindowFixture;

struct RecoveryTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        zav::recovery::setFolderForTesting(folder.path());
        start();
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        zav::recovery::setFolderForTesting(std::wstring());
    }
    // A new window, as at a start of the program; the offer of earlier copies runs.
    void start() {
        ASSERT_TRUE(create());
        window->recovery().setClockForTesting([this] { return clock; });
        zav::test::takeQuitMessage();
    }
    // The run ends without its clean end, as a killed process's would.
    void crash() {
        window->recovery().stop();
        DestroyWindow(window->hwnd());
        zav::test::takeQuitMessage();
    }
    // Lets the clock run, the tick coming every second as in the program.
    void advance(int seconds) {
        for (int s = 0; s < seconds; ++s) {
            clock += 1000;
            window->recovery().tick();
            window->recovery().finishWrites();
        }
    }
    void type(int row, const wchar_t* text) { SetWindowTextW(window->captionPanel().rowEdit(row), text); }
    std::string copy() const { return fileBytes(window->recovery().copyPath()); }
    std::vector<std::wstring> files(const wchar_t* pattern) const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data{};
        HANDLE search = FindFirstFileW(folder.inside(pattern).c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(data.cFileName);
        while (FindNextFileW(search, &data));
        FindClose(search);
        return names;
    }

    zav::test::TemporaryFolder folder{L"zav-recovery-"};
    std::int64_t clock = 0;
};

TEST_F(RecoveryTest, ChangesAreCopiedWithinTheIntervalAndNothingElseIs) {
    const std::string missing = zav::test::kMissingFile;
    advance(120);
    EXPECT_EQ(copy(), missing) << "the start-up document needs no copy";

    // One change, then rest: a copy three seconds after the tick that saw it.
    type(0, L"First words");
    advance(3);
    EXPECT_EQ(copy(), missing);
    advance(1);
    const zav::RecoveryReadResult first = zav::readRecoveryCopy(copy());
    ASSERT_TRUE(first.copy) << first.problem;
    EXPECT_EQ(first.copy->document.text(0, 0), u"First words");
    // Its owner is alive: no start-up would offer it.
    EXPECT_TRUE(zav::recovery::orphanedCopies(folder.path()).empty());

    // No change, no new copy.
    advance(180);
    EXPECT_EQ(zav::readRecoveryCopy(copy()).copy->savedAt, first.copy->savedAt);

    // Typing every second without a rest is copied once the interval is full.
    int copiedAfter = -1;
    const std::string before = copy();
    for (int second = 1; second <= 90 && copiedAfter < 0; ++second) {
        type(1, (L"typing " + std::to_wstring(second)).c_str());
        advance(1);
        if (copy() != before) copiedAfter = second;
    }
    EXPECT_GE(copiedAfter, 59);
    EXPECT_LE(copiedAfter, 61);

    // A clean end removes the copy.
    const std::wstring path = window->recovery().copyPath();
    ui.boxAnswers.push_back(IDOK);
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(zav::test::fileExists(path));
    EXPECT_TRUE(files(L"*.zavrecovery").empty());
}

TEST_F(RecoveryTest, ACopyRestoresTheSameWorkOrIsSetAside) {
    // Two languages, untimed rows, empty texts, the second language shown and row 2
    // selected.
    zav::CaptionEditor& editor = window->captionEditor();
    zav::appendLanguage(editor, zav::LanguageClass("FRCC", "Fran\xE7" "ais", "fr"));
    editor.change(L"Edit", [&](zav::CaptionDocument& d) {
        d.setText(0, 0, u"Bonjour? No: hello\tthere");
        d.setText(1, 0, u"Bonjour");
        d.setText(0, 3, u"Untimed \u00E9\U0001F600");
        d.setText(1, 5, u"Cinq");
        d.clearStartTime(0);
        d.setStartTime(4, 1234.5, editor.codePage());
    });
    editor.showLanguage(1);
    window->captionPanel().selectRow(2);
    advance(4);
    const std::shared_ptr<const zav::DocumentState> saved = editor.currentState();

    struct Case {
        int answer;
        bool restored;
        const wchar_t* keptAs;
    } const cases[] = {{IDYES, true, L"copy-*"}, {IDNO, false, L"declined *"}};
    for (const Case& c : cases) {
        crash();
        ui.boxes.clear();
        ui.boxAnswers.push_back(c.answer);
        start();
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].caption, L"Recovery");
        EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_NE(ui.boxes[0].text.find(L"; it holds 3 captions."), std::wstring::npos) << ui.boxes[0].text;
        const auto now = window->captionEditor().currentState();
        EXPECT_EQ(now->sameDocument(*saved), c.restored);
        EXPECT_EQ(files((std::wstring(c.keptAs) + L".zavrecovery").c_str()).size(), 1u);
        if (!c.restored) {
            EXPECT_TRUE(files(L"copy-*.zavrecovery").empty());
            continue;
        }
        EXPECT_EQ(now->currentLanguage, 1);
        EXPECT_EQ(now->selectedRow, 2);
        EXPECT_EQ(window->captionPanel().document().times()[0].startMs, zav::kNoTime);
        // One step after the start-up document.
        EXPECT_EQ(window->captionEditor().undoName(), u"Restore Recovery Copy");
        ASSERT_TRUE(window->captionEditor().undo());
        EXPECT_EQ(window->captionPanel().document().languageCount(), 1);
        EXPECT_FALSE(window->captionEditor().canUndo());
    }

    // A copy that cannot be read is reported and kept.
    crash();
    folder.write(L"copy-1-0.zavrecovery", "ZAV Caption recovery copy 1\nrow 5\tcut");
    ui.boxes.clear();
    start();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find(L"could not be read (line 2: a row before any language)"), std::wstring::npos)
        << ui.boxes[0].text;
    EXPECT_EQ(files(L"unreadable *.zavrecovery").size(), 1u);
}

TEST_F(RecoveryTest, ATranscriptComesBackInTranscriptMode) {
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_NEW_TRANSCRIPT_FILE, 0);
    const std::wstring text = L"First line\r\n\tSecond line \u00E9";
    SetWindowTextW(GetDlgItem(window->hwnd(), IDC_TRANSCRIPT_WINDOW), text.c_str());
    advance(5);
    crash();
    ui.boxAnswers.push_back(IDYES);
    start();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find(L"; it holds a transcript of 26 characters."), std::wstring::npos);
    HWND transcript = GetDlgItem(window->hwnd(), IDC_TRANSCRIPT_WINDOW);
    ASSERT_TRUE(transcript);
    wchar_t shown[64] = {};
    GetWindowTextW(transcript, shown, 64);
    EXPECT_EQ(shown, text);
}

TEST_F(RecoveryTest, AFailingDiskIsReportedOnceAndTheSettingsAreKept) {
    {
        zav::WriteFailureForTesting failure(0);
        for (int round = 0; round < 4; ++round) {
            type(0, (L"change " + std::to_wstring(round)).c_str());
            advance(70);
        }
    }
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind(L"A recovery copy of the work could not be written to ", 0), 0u);
    // The disk back, the copy follows within the interval.
    advance(60);
    EXPECT_TRUE(zav::readRecoveryCopy(copy()).copy);

    // Recovery Copies: a number out of range is refused, ten seconds accepted.
    ui.dialogScripts.push_back([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_RECOVERY_INTERVAL, L"3");
        zav::test::clickButton(dialog, IDOK);
        SetDlgItemTextW(dialog, IDC_RECOVERY_INTERVAL, L"10");
        zav::test::clickButton(dialog, IDOK);
    });
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_RECOVERY_SETTINGS, 0);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, L"Enter a whole number of seconds from 5 to 3600.");
    EXPECT_EQ(zav::readRecoveryChoice().intervalSeconds, 10);
    const std::string before = copy();
    for (int second = 1; second <= 12; ++second) {
        type(1, (L"typing " + std::to_wstring(second)).c_str());
        advance(1);
    }
    EXPECT_NE(copy(), before);

    // Turned off: the copy goes and no other is written.
    ui.dialogScripts.push_back([](HWND dialog) {
        CheckDlgButton(dialog, IDC_RECOVERY_ENABLED, BST_UNCHECKED);
        zav::test::clickButton(dialog, IDOK);
    });
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_RECOVERY_SETTINGS, 0);
    EXPECT_FALSE(zav::readRecoveryChoice().enabled);
    type(2, L"not copied");
    advance(90);
    EXPECT_EQ(copy(), zav::test::kMissingFile);
    zav::writeRecoveryChoice(zav::RecoveryChoice());
}

}  // namespace
