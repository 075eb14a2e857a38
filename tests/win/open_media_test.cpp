// Open Media and Open Producer Movie, in-process over the scripted player: the path
// typed or browsed for reaches the player, the transport shows "Pause", failures
// show their boxes, and the Producer project check looks at the movie's folder.

#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"

#include <string>

namespace {

using zav::test::clickButton;
using zav::test::MainWindowFixture;
using zav::test::TemporaryFolder;

std::wstring dialogText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

struct OpenMediaFixture : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        state = player.last();
        ASSERT_NE(state, nullptr);
    }
    // Answers the next Open Media dialog by typing the path and pressing a button.
    void answerOpenMedia(std::wstring path, int button = IDOK) {
        ui.dialogScripts.push_back([path, button](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_MEDIA_PATH, path.c_str());
            clickButton(dialog, button);
        });
    }
    void answerProducerExplanation(int button) {
        ui.dialogScripts.push_back([button](HWND dialog) { clickButton(dialog, button); });
    }
    void command(WORD id) { SendMessageW(window->hwnd(), WM_COMMAND, id, 0); }
    std::wstring playButtonText() const { return dialogText(window->transportPanel(), IDC_PLAY); }

    zav::player::ScriptedState* state = nullptr;
};

TEST_F(OpenMediaFixture, TypedPathPlaysAndNamesTheCaptionFile) {
    RECT dialogRect{}, ownerRect{};
    GetWindowRect(window->hwnd(), &ownerRect);
    ui.dialogScripts.push_back([&](HWND dialog) {
        GetWindowRect(dialog, &dialogRect);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_MEDIA_PATH));
        SetDlgItemTextW(dialog, IDC_MEDIA_PATH, L"C:\\movies\\lecture.wmv");
        clickButton(dialog, IDOK);
    });
    command(IDM_OPEN_MEDIA);

    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].templateId, IDD_OPEN_MEDIA);
    EXPECT_EQ(ui.dialogs[0].owner, window->hwnd());
    EXPECT_EQ(state->url, L"C:\\movies\\lecture.wmv");
    EXPECT_EQ(state->samiFileName, L"nolock0013.smi");
    EXPECT_EQ(window->mediaState(), 1);
    EXPECT_TRUE(window->isPlaying());
    EXPECT_EQ(playButtonText(), L"Pause");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(window->producerMoviePath().empty());

    // Centred over the main window.
    const LONG dialogCentre = (dialogRect.left + dialogRect.right) / 2;
    const LONG ownerCentre = (ownerRect.left + ownerRect.right) / 2;
    EXPECT_NEAR(dialogCentre, ownerCentre, 2);
}

TEST_F(OpenMediaFixture, CancelOpensNothingAndAnEmptyPathIsStillHandedOn) {
    const size_t before = state->urls.size();
    answerOpenMedia(L"C:\\movies\\ignored.wmv", IDCANCEL);
    command(IDM_OPEN_MEDIA);
    EXPECT_EQ(state->urls.size(), before);
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(playButtonText(), L"Play");
    EXPECT_TRUE(ui.boxes.empty());

    answerOpenMedia(L"");
    command(IDM_OPEN_MEDIA);
    ASSERT_EQ(state->urls.size(), before + 1);
    EXPECT_EQ(state->urls.back(), L"");
}

TEST_F(OpenMediaFixture, FailingOpeningShowsItsCodeAndChangesNothing) {
    state->openResult = E_FAIL;
    answerOpenMedia(L"C:\\movies\\missing.wmv");
    command(IDM_OPEN_MEDIA);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error code = 80004005");
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(playButtonText(), L"Play");
    EXPECT_EQ(state->samiFileName, L"");

    // The next good file still opens.
    state->openResult = S_OK;
    answerOpenMedia(L"C:\\movies\\present.wmv");
    command(IDM_OPEN_MEDIA);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(state->url, L"C:\\movies\\present.wmv");
    EXPECT_TRUE(window->isPlaying());
}

TEST_F(OpenMediaFixture, BrowseConfirmsAtOnceAndACancelledBrowseKeepsTheDialog) {
    bool openAfterCancelledBrowse = false;
    ui.dialogScripts.push_back([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_MEDIA_PATH, L"typed.wmv");
        clickButton(dialog, IDC_BROWSE_MEDIA);  // no file name queued: the user cancels
        openAfterCancelledBrowse = IsWindow(dialog) != FALSE;
        ui.fileNames.push_back(L"C:\\media\\chosen.wmv");
        clickButton(dialog, IDC_BROWSE_MEDIA);
    });
    command(IDM_OPEN_MEDIA);

    EXPECT_TRUE(openAfterCancelledBrowse);
    EXPECT_EQ(state->url, L"C:\\media\\chosen.wmv");
    EXPECT_TRUE(window->isPlaying());
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    const auto& asked = ui.fileDialogs[0];
    EXPECT_NE(asked.owner, window->hwnd());
    EXPECT_EQ(asked.filter, L"All files|*.*|");
    EXPECT_EQ(asked.flags, 0x81004u);
    EXPECT_EQ(asked.maxFile, 260u);
    EXPECT_EQ(asked.initialFile, L"");
    EXPECT_FALSE(asked.hasTitle);
    EXPECT_FALSE(asked.hasInitialDir);
    EXPECT_FALSE(asked.hasDefaultExtension);
}

TEST_F(OpenMediaFixture, ProducerMovieInAProjectFolderPlaysWithoutTheCaptionFile) {
    TemporaryFolder project(L"zav-project-");
    project.folder(L"Lecture_files");
    const std::wstring movie = project.inside(L"Lecture.wmv");
    answerProducerExplanation(IDOK);
    answerOpenMedia(movie);
    command(IDM_OPEN_PRODUCER_MOVIE);

    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs[0].templateId, IDD_OPEN_PRODUCER_MOVIE);
    EXPECT_EQ(ui.dialogs[0].owner, window->hwnd());
    EXPECT_EQ(ui.dialogs[1].templateId, IDD_OPEN_MEDIA);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(state->url, movie);
    EXPECT_EQ(window->producerMoviePath(), movie);
    EXPECT_TRUE(window->isPlaying());
    EXPECT_EQ(playButtonText(), L"Pause");
    EXPECT_EQ(state->samiFileName, L"");
}

TEST_F(OpenMediaFixture, ProducerCheckWantsAnEntryEndingInFilesAndSkipsBareNames) {
    TemporaryFolder folder(L"zav-not-project-");
    folder.write(L"Lecture_files.txt", "");
    const std::wstring movie = folder.inside(L"Lecture.wmv");
    const size_t before = state->urls.size();
    answerProducerExplanation(IDOK);
    answerOpenMedia(movie);
    command(IDM_OPEN_PRODUCER_MOVIE);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              L"The movie you selected is not part of a Producer Project.  Please select a movie within a producer "
              L"project folder.");
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(state->urls.size(), before);
    EXPECT_EQ(window->producerMoviePath(), movie);  // the refused path is kept
    EXPECT_FALSE(window->isPlaying());

    answerProducerExplanation(IDOK);
    answerOpenMedia(L"lecture.wmv");
    command(IDM_OPEN_PRODUCER_MOVIE);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(state->url, L"lecture.wmv");
    EXPECT_EQ(window->producerMoviePath(), L"lecture.wmv");
}

TEST_F(OpenMediaFixture, ProducerCancelReturnsToTheExplanationAndFailuresHaveTheirOwnBox) {
    answerProducerExplanation(IDOK);
    answerOpenMedia(L"C:\\movies\\x.wmv", IDCANCEL);
    answerProducerExplanation(IDCANCEL);
    const size_t before = state->urls.size();
    command(IDM_OPEN_PRODUCER_MOVIE);
    ASSERT_EQ(ui.dialogs.size(), 3u);
    EXPECT_EQ(ui.dialogs[2].templateId, IDD_OPEN_PRODUCER_MOVIE);
    EXPECT_EQ(state->urls.size(), before);
    EXPECT_TRUE(window->producerMoviePath().empty());

    state->openResult = E_FAIL;
    answerProducerExplanation(IDOK);
    answerOpenMedia(L"broken.wmv");
    command(IDM_OPEN_PRODUCER_MOVIE);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Could not play the WMV movie.");
    EXPECT_FALSE(window->isPlaying());

    // A path the Producer export could not hold whole is refused, not cut.
    answerProducerExplanation(IDOK);
    answerOpenMedia(L"C:\\" + std::wstring(300, L'a') + L".wmv");
    command(IDM_OPEN_PRODUCER_MOVIE);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(window->producerMoviePath(), L"broken.wmv");
}

}  // namespace
