// Safe saves: every file the program writes goes through writeFileBytes, which puts
// a complete file in place or leaves the earlier one byte for byte as it was, with no
// temporary file left behind. The toolkit is tested on its own, then through the
// commands that show their own message when a write fails.

#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"
#include "win/file_io.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using zav::test::fileBytes;
using zav::test::fileExists;
using zav::test::MainWindowFixture;

const std::string kEarlier = "the earlier file\r\n";
const std::string kNew(100000, 'n');

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

struct WriteCase {
    const char* name;
    bool existing;                                  // a file is there before
    std::function<void(const std::wstring&)> hold;  // what else happens to it
    long failAfter;                                 // bytes after which writes fail; -1 never
    bool written;
};

TEST(SafeSave, TheTargetIsReplacedWholeOrLeftAsItWas) {
    const WriteCase cases[] = {
        {"new_file", false, nullptr, -1, true},
        {"replaced", true, nullptr, -1, true},
        {"fails_in_the_middle", true, nullptr, 4096, false},
        {"fails_at_once_on_a_new_file", false, nullptr, 0, false},
        {"read_only", true, [](const std::wstring& path) { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY); },
         -1, false},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        zav::test::TemporaryFolder folder{L"zav-save-"};
        const std::wstring path = folder.inside(L"target.smi");
        if (c.existing) folder.write(L"target.smi", kEarlier);
        if (c.hold) c.hold(path);
        bool written = false;
        if (c.failAfter >= 0) {
            zav::WriteFailureForTesting failure(static_cast<std::size_t>(c.failAfter));
            written = zav::writeFileBytes(path, kNew);
        } else {
            written = zav::writeFileBytes(path, kNew);
        }
        EXPECT_EQ(written, c.written);
        if (c.written) {
            EXPECT_TRUE(fileBytes(path) == kNew);
        } else if (c.existing) {
            EXPECT_EQ(fileBytes(path), kEarlier);
        } else {
            EXPECT_FALSE(fileExists(path));
        }
        EXPECT_EQ(filesIn(folder.path()), (c.existing || c.written ? std::vector<std::wstring>{L"target.smi"}
                                                                  : std::vector<std::wstring>{}));
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(SafeSave, ALockedTargetIsLeftAlone) {
    zav::test::TemporaryFolder folder{L"zav-save-"};
    const std::wstring path = folder.write(L"locked.srt", kEarlier);
    // Another program holds the file open and lets nobody else write or delete it.
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(zav::writeFileBytes(path, kNew));
    CloseHandle(other);
    EXPECT_EQ(fileBytes(path), kEarlier);
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::wstring>{L"locked.srt"});
    // A folder in the target's place is no file to replace.
    folder.folder(L"dir.vtt");
    EXPECT_FALSE(zav::writeFileBytes(folder.inside(L"dir.vtt"), kNew));
}

// A reader that lets go within moments (a virus scanner, a viewer) does not fail the
// save, whether it keeps others from writing the file or only from replacing it.
TEST(SafeSave, AFileReadForAMomentIsStillReplaced) {
    for (const DWORD sharing : {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        SCOPED_TRACE(sharing);
        zav::test::TemporaryFolder folder{L"zav-save-"};
        const std::wstring path = folder.write(L"busy.smi", kEarlier);
        HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        std::thread letGo([reader] {
            Sleep(200);
            CloseHandle(reader);
        });
        EXPECT_TRUE(zav::writeFileBytes(path, kNew));
        letGo.join();
        EXPECT_TRUE(fileBytes(path) == kNew);
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::wstring>{L"busy.smi"});
    }
}

// Each command that writes a file, with the name it is given and the message its
// failure shows.
struct SaveCommand {
    const char* name;
    std::function<void(MainWindowFixture&)> prepare;
    UINT command;
    const wchar_t* file;
    const wchar_t* failure;
};

struct SaveCommandsTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
    }
};

TEST_F(SaveCommandsTest, AFailedWriteKeepsTheEarlierFileAndIsReported) {
    const SaveCommand commands[] = {
        {"export_sami", nullptr, IDM_EXPORT_SAMI, L"out.smi", L"Error, can't Save SAMI file."},
        {"export_subrip", nullptr, IDM_EXPORT_SUBRIP, L"out.srt", L"Error, can't save the SubRip file."},
        {"export_webvtt", nullptr, IDM_EXPORT_WEBVTT, L"out.vtt", L"Error, can't save the WebVTT file."},
        {"save_transcript",
         [](MainWindowFixture& f) {
             SendMessageW(f.window->hwnd(), WM_COMMAND, IDM_NEW_TRANSCRIPT_FILE, 0);
             SetDlgItemTextW(f.window->hwnd(), IDC_TRANSCRIPT_WINDOW, L"a transcript");
         },
         IDM_SAVE_TRANSCRIPT_AS, L"out.txt", L"Could not save the transcript file"},
    };
    for (const SaveCommand& c : commands) {
        SCOPED_TRACE(c.name);
        zav::test::TemporaryFolder folder{L"zav-save-"};
        const std::wstring path = folder.write(c.file, kEarlier);
        // A caption, so that every export has bytes to write.
        SetWindowTextW(window->captionPanel().rowEdit(0), L"Hello");
        if (c.prepare) c.prepare(*this);
        ui.boxes.clear();
        ui.fileNames.push_back(path);
        {
            zav::WriteFailureForTesting failure(5);
            SendMessageW(window->hwnd(), WM_COMMAND, c.command, 0);
        }
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, c.failure);
        EXPECT_EQ(fileBytes(path), kEarlier);
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::wstring>{c.file});
    }
}

}  // namespace
