// Create ASX and Export to Producer, in-process: the wizard's pages and file
// dialogs are walked as the user would, and the playlists are checked on disk.

#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"

#include <string>
#include <vector>

namespace {

using zav::test::clickButton;
using zav::test::fileBytes;
using zav::test::fileExists;
using zav::test::MainWindowFixture;
using zav::test::TemporaryFolder;

std::string playlistBytes(const std::string& reference) {
    return "<ASX version = \"3.0\">\r\n<ENTRY>\r\n<REF HREF = \"" + reference + "\"/>\r\n</ENTRY>\r\n</ASX>\r\n";
}

std::wstring windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

constexpr wchar_t kSuccess[] = L"0MM0.smi and 0MM0.asx have been exported to your producer project directory.";
constexpr wchar_t kNotPartOfAProject[] =
    L"The movie you have opened is not part of a Producer Project.  Please select a movie within a producer project "
    L"folder.";

struct AsxFixture : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
    }
    // The next wizard page is closed with the given button.
    void page(int button) {
        ui.dialogScripts.push_back([button](HWND dialog) { clickButton(dialog, button); });
    }
    // The next wizard page goes forward and its file dialog answers with name
    // (an empty name cancels the file dialog).
    void forward(const std::wstring& name) {
        page(IDOK);
        ui.fileNames.push_back(name);
    }
    void command(WORD id) { SendMessageW(window->hwnd(), WM_COMMAND, id, 0); }
    std::vector<int> templates() const {
        std::vector<int> ids;
        for (const auto& shown : ui.dialogs) ids.push_back(shown.templateId);
        return ids;
    }
    // Opens a Producer movie through its two dialogs, so the export knows it.
    void openProducerMovie(const std::wstring& path) {
        page(IDOK);
        ui.dialogScripts.push_back([path](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_MEDIA_PATH, path.c_str());
            clickButton(dialog, IDOK);
        });
        command(IDM_OPEN_PRODUCER_MOVIE);
        ASSERT_EQ(window->producerMoviePath(), path);
        ui.dialogs.clear();
        ui.boxes.clear();
    }
};

TEST_F(AsxFixture, WizardWritesThePlaylistWithTheBareNames) {
    TemporaryFolder folder(L"zav-asx-");
    const std::wstring asx = folder.inside(L"playlist.asx");
    std::vector<std::wstring> titles;
    auto pageTitle = [&](int button) {
        ui.dialogScripts.push_back([&titles, button](HWND dialog) {
            titles.push_back(windowText(dialog));
            clickButton(dialog, button);
        });
    };
    pageTitle(IDOK);
    ui.fileNames.push_back(L"C:\\movies\\clip.wmv");
    pageTitle(IDOK);
    ui.fileNames.push_back(L"D:\\captions\\elsewhere\\clip.smi");  // another folder: only its name counts
    pageTitle(IDOK);
    ui.fileNames.push_back(folder.inside(L"playlist"));
    pageTitle(IDOK);
    command(IDM_CREATE_ASX);

    EXPECT_EQ(templates(), (std::vector<int>{IDD_ASX_SELECT_MOVIE, IDD_ASX_SELECT_SAMI, IDD_ASX_SAVE, IDD_ASX_COMPLETE}));
    for (const auto& shown : ui.dialogs) EXPECT_EQ(shown.owner, window->hwnd());
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"ASX CREATION WIZARD - STEP 1 : SELECT A MOVIE FILE",
                                                 L"ASX CREATION WIZARD - STEP 2 : SELECT A CAPTION SCRIPT",
                                                 L"ASX CREATION WIZARD - STEP 3 : SAVE THE ASX FILE",
                                                 L"ASX WIZARD COMPLETE"}));
    EXPECT_EQ(ui.fileDialogTitles,
              (std::vector<std::wstring>{L"SELECT THE WMV FILE", L"SELECT THE SAMI FILE", L"Save ASX File As"}));
    ASSERT_EQ(ui.fileDialogs.size(), 3u);
    EXPECT_EQ(ui.fileDialogs[0].filter, L"WMV File|*.wmv|");
    EXPECT_EQ(ui.fileDialogs[1].filter, L"SAMI File|*.smi|");
    EXPECT_EQ(ui.fileDialogs[2].filter, L"ASX File|*.asx|");
    const DWORD flags[] = {0x10, 0x10, 0x12};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ui.fileDialogs[i].owner, nullptr);
        EXPECT_EQ(ui.fileDialogs[i].flags, flags[i]);
        EXPECT_EQ(ui.fileDialogs[i].maxFile, 300u);
        EXPECT_EQ(ui.fileDialogs[i].initialFile, L"");
        EXPECT_FALSE(ui.fileDialogs[i].hasInitialDir);
        EXPECT_FALSE(ui.fileDialogs[i].hasDefaultExtension);
    }
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(fileBytes(asx), playlistBytes("clip.wmv?SAMI=clip.smi"));
    EXPECT_FALSE(fileExists(folder.inside(L"playlist")));
}

TEST_F(AsxFixture, CancelledFileDialogsBringTheirPageBack) {
    TemporaryFolder folder(L"zav-asx-back-");
    const std::wstring asx = folder.inside(L"my list.asx");
    forward(L"");
    forward(L"C:\\my movies\\the clip.wmv");
    forward(L"");
    forward(L"");
    forward(L"C:\\my movies\\the clip.smi");
    forward(L"");
    forward(folder.inside(L"my list.asx"));
    page(IDOK);
    command(IDM_CREATE_ASX);

    EXPECT_EQ(templates(), (std::vector<int>{IDD_ASX_SELECT_MOVIE, IDD_ASX_SELECT_MOVIE, IDD_ASX_SELECT_SAMI,
                                             IDD_ASX_SELECT_SAMI, IDD_ASX_SELECT_SAMI, IDD_ASX_SAVE, IDD_ASX_SAVE,
                                             IDD_ASX_COMPLETE}));
    // Spaces are written as they are.
    EXPECT_EQ(fileBytes(asx), playlistBytes("the clip.wmv?SAMI=the clip.smi"));
}

TEST_F(AsxFixture, ExitWizardOnAnyStepWritesNothing) {
    TemporaryFolder folder(L"zav-asx-exit-");
    const std::wstring asx = folder.inside(L"never.asx");

    page(IDCANCEL);
    command(IDM_CREATE_ASX);
    EXPECT_EQ(templates(), (std::vector<int>{IDD_ASX_SELECT_MOVIE}));
    EXPECT_TRUE(ui.fileDialogs.empty());

    ui.dialogs.clear();
    forward(L"C:\\m.wmv");
    // The close box is the Exit Wizard button too.
    ui.dialogScripts.push_back([](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
    command(IDM_CREATE_ASX);
    EXPECT_EQ(templates(), (std::vector<int>{IDD_ASX_SELECT_MOVIE, IDD_ASX_SELECT_SAMI}));

    ui.dialogs.clear();
    ui.fileNames.clear();
    forward(L"C:\\m.wmv");
    forward(L"C:\\m.smi");
    forward(L"");
    page(IDCANCEL);
    command(IDM_CREATE_ASX);
    EXPECT_EQ(templates(),
              (std::vector<int>{IDD_ASX_SELECT_MOVIE, IDD_ASX_SELECT_SAMI, IDD_ASX_SAVE, IDD_ASX_SAVE}));
    EXPECT_FALSE(fileExists(asx));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AsxFixture, AsxIsAppendedCaseSensitivelyAndExistingFilesAreReplaced) {
    TemporaryFolder folder(L"zav-asx-ext-");
    const std::wstring upper = folder.inside(L"playlist.ASX.asx");
    const std::wstring existing = folder.write(L"old.asx", std::string(500, 'x'));
    forward(L"a.wmv");
    forward(L"a.smi");
    forward(folder.inside(L"playlist.ASX"));
    page(IDOK);
    command(IDM_CREATE_ASX);
    EXPECT_EQ(fileBytes(upper), playlistBytes("a.wmv?SAMI=a.smi"));

    forward(L"C:\\b.wmv");
    forward(L"C:\\b.smi");
    forward(existing);
    page(IDOK);
    command(IDM_CREATE_ASX);
    EXPECT_EQ(fileBytes(existing), playlistBytes("b.wmv?SAMI=b.smi"));
}

TEST_F(AsxFixture, UnwritablePlaylistIsReportedAndStepThreeComesBack) {
    TemporaryFolder folder(L"zav-asx-fail-");
    const std::wstring good = folder.inside(L"good.asx");
    forward(L"C:\\m.wmv");
    forward(L"C:\\m.smi");
    forward(folder.inside(L"missing folder\\bad"));
    forward(good);
    page(IDOK);
    command(IDM_CREATE_ASX);

    EXPECT_EQ(templates(), (std::vector<int>{IDD_ASX_SELECT_MOVIE, IDD_ASX_SELECT_SAMI, IDD_ASX_SAVE, IDD_ASX_SAVE,
                                             IDD_ASX_COMPLETE}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Could not open bad.asx for writing.");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(fileBytes(good), playlistBytes("m.wmv?SAMI=m.smi"));
}

const std::string kProducerPlaylist = playlistBytes("0MM0.wmv?SAMI=0MM0.smi");

TEST_F(AsxFixture, ProducerExportWithoutAProjectFolderShowsTheProjectMessage) {
    // No Producer movie opened yet.
    command(IDM_EXPORT_TO_PRODUCER);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kNotPartOfAProject);
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_OK));

    // A bare name passes Open Producer Movie but names no folder.
    openProducerMovie(L"lecture.wmv");
    command(IDM_EXPORT_TO_PRODUCER);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kNotPartOfAProject);

    // A project whose entry has gone since the movie was opened.
    ui.boxes.clear();
    {
        TemporaryFolder project(L"zav-producer-gone-");
        const std::wstring entry = project.folder(L"Lecture_files");
        openProducerMovie(project.inside(L"Lecture.wmv"));
        RemoveDirectoryW(entry.c_str());
        command(IDM_EXPORT_TO_PRODUCER);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, kNotPartOfAProject);
        EXPECT_FALSE(fileExists(entry));
    }
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(AsxFixture, ProducerExportWritesBothFilesIntoTheProjectEntry) {
    TemporaryFolder project(L"zav-producer-");
    const std::wstring entry = project.folder(L"Lecture_files");
    // Existing files are replaced without a question.
    const std::wstring playlist = project.write(L"Lecture_files\\0Media.asx", std::string(300, 'o'));
    const std::wstring sami = project.write(L"Lecture_files\\0MM0.smi", "old");
    openProducerMovie(project.inside(L"Lecture.wmv"));

    auto& document = zav::CaptionPanelProbe::document(window->captionPanel());
    document.setText(0, 0, u"Later");
    document.setStartTime(0, 5000, window->captionPanel().codePage());
    document.setText(0, 1, u"Sooner");
    document.setStartTime(1, 1000, window->captionPanel().codePage());
    document.setText(0, 2, u"Untimed");
    window->captionPanel().refreshRows();
    // Typed but not stored: the export takes the document as it stands.
    SetWindowTextW(window->captionPanel().rowEdit(0), L"Typed");

    command(IDM_EXPORT_TO_PRODUCER);
    EXPECT_EQ(fileBytes(playlist), kProducerPlaylist);
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.fileDialogs.empty());
    // The rows in their present order, no untimed row and no unstored edit.
    const std::string samiBytes = fileBytes(sami);
    EXPECT_EQ(samiBytes.rfind("<SAMI>\r\n", 0), 0u);
    const size_t later = samiBytes.find("<SYNC start=5000>");
    const size_t sooner = samiBytes.find("<SYNC start=1000>");
    ASSERT_NE(later, std::string::npos);
    ASSERT_NE(sooner, std::string::npos);
    EXPECT_LT(later, sooner);
    EXPECT_NE(samiBytes.find("Later"), std::string::npos);
    EXPECT_EQ(samiBytes.find("Untimed"), std::string::npos);
    EXPECT_EQ(samiBytes.find("Typed"), std::string::npos);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kSuccess);
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_OK));
}

TEST_F(AsxFixture, ProducerExportUsesTheFirstEntryAndTakesAPlainFileLikeAFolder) {
    {
        TemporaryFolder project(L"zav-producer-two-");
        project.folder(L"A_files");
        project.folder(L"B_files");
        openProducerMovie(project.inside(L"Lecture.wmv"));
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(project.inside(L"*_files").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        FindClose(search);
        const std::wstring first = found.cFileName;
        const std::wstring other = first == L"A_files" ? L"B_files" : L"A_files";

        command(IDM_EXPORT_TO_PRODUCER);
        EXPECT_EQ(fileBytes(project.inside(first + L"\\0Media.asx")), kProducerPlaylist);
        EXPECT_FALSE(fileExists(project.inside(other + L"\\0Media.asx")));
        EXPECT_FALSE(fileExists(project.inside(other + L"\\0MM0.smi")));
    }

    ui.boxes.clear();
    TemporaryFolder project(L"zav-producer-file-");
    project.write(L"Notes_files", "not a folder");
    openProducerMovie(project.inside(L"Lecture.wmv"));
    command(IDM_EXPORT_TO_PRODUCER);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, L"Error, can't Save SAMI file.");
    EXPECT_EQ(ui.boxes[1].text, L"Could not open 0Media.asx for writing ");
    EXPECT_EQ(ui.boxes[1].caption, L"");
    EXPECT_EQ(ui.boxes[1].owner, window->hwnd());
    EXPECT_EQ(fileBytes(project.inside(L"Notes_files")), "not a folder");
}

TEST_F(AsxFixture, ProducerExportReachesAFolderOutsideTheAnsiCodePage) {
    TemporaryFolder project(L"zav-\u041F\u0440\u043E\u0435\u043A\u0442-");
    ASSERT_TRUE(project.exists());
    project.folder(L"\u0423\u0440\u043E\u043A_files");
    const std::wstring playlist = project.inside(L"\u0423\u0440\u043E\u043A_files\\0Media.asx");
    const std::wstring sami = project.inside(L"\u0423\u0440\u043E\u043A_files\\0MM0.smi");
    openProducerMovie(project.inside(L"Lecture.wmv"));
    command(IDM_EXPORT_TO_PRODUCER);
    EXPECT_EQ(fileBytes(playlist), kProducerPlaylist);
    EXPECT_EQ(fileBytes(sami).rfind("<SAMI>\r\n", 0), 0u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kSuccess);
}

TEST_F(AsxFixture, ProducerExportWithAnUnsavedSamiFileWritesThePlaylistButIsNotAnnounced) {
    TemporaryFolder project(L"zav-producer-locked-");
    project.folder(L"Lecture_files");
    const std::wstring playlist = project.inside(L"Lecture_files\\0Media.asx");
    const std::wstring sami = project.write(L"Lecture_files\\0MM0.smi", "kept");
    openProducerMovie(project.inside(L"Lecture.wmv"));

    // Held open without sharing, the existing SAMI file cannot be replaced.
    HANDLE held = CreateFileW(sami.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    command(IDM_EXPORT_TO_PRODUCER);
    CloseHandle(held);
    EXPECT_EQ(fileBytes(sami), "kept");
    EXPECT_EQ(fileBytes(playlist), kProducerPlaylist);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error, can't Save SAMI file.");

    // A folder in the SAMI file's place: the same.
    ui.boxes.clear();
    DeleteFileW(sami.c_str());
    DeleteFileW(playlist.c_str());
    const std::wstring blocking = project.folder(L"Lecture_files\\0MM0.smi");
    command(IDM_EXPORT_TO_PRODUCER);
    EXPECT_EQ(fileBytes(playlist), kProducerPlaylist);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error, can't Save SAMI file.");
}

TEST_F(AsxFixture, ProducerExportRefusesPathsItsBuffersCannotHold) {
    TemporaryFolder base(L"zav-producer-long-");
    const size_t room = 240 > base.path().size() + 1 ? 240 - base.path().size() - 1 : 0;
    ASSERT_GT(room, 10u);
    const std::wstring deep = base.folder(std::wstring(room, L'd'));
    const std::wstring entry = base.folder(std::wstring(room, L'd') + L"\\Lecture_files");
    if (GetFileAttributesW(entry.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "long folder not made";
    const std::wstring movie = deep + L"\\Lecture.wmv";
    ASSERT_LE(movie.size(), 259u);
    openProducerMovie(movie);
    command(IDM_EXPORT_TO_PRODUCER);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"The path of the Producer project folder is too long.");
    EXPECT_FALSE(fileExists(entry + L"\\0Media.asx"));
    EXPECT_FALSE(fileExists(entry + L"\\0MM0.smi"));
}

}  // namespace
