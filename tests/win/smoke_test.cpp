// Starts the real program as a user would, checks its window from outside and ends
// it through the quit confirmation.

#include "resources/resource_ids.h"
#include "tests/win/program_driver.h"
#include "tests/win/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace zav::driver;

std::wstring programPath() {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring dir = path;
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir;
}

// This process's environment block with one variable set to value.
std::wstring environmentWith(const std::wstring& name, const std::wstring& value) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry && *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        if (_wcsnicmp(text.c_str(), (name + L"=").c_str(), name.size() + 1) != 0) block += text + L'\0';
    }
    FreeEnvironmentStringsW(strings);
    return block + name + L"=" + value + L'\0';
}

class Program {
public:
    // environment: a block for the program (empty: this process's).
    explicit Program(const std::wstring& environment = std::wstring()) {
        const std::wstring dir = programPath();
        std::wstring command = L"\"" + dir + L"ZAVCaption.exe\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring block = environment;
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                                  block.empty() ? nullptr : &block[0], dir.c_str(), &si, &pi_);
    }
    // Ends the program at once, as a crash or the task manager would.
    bool kill() const {
        return TerminateProcess(pi_.hProcess, 1) && WaitForSingleObject(pi_.hProcess, 30000) == WAIT_OBJECT_0;
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool started() const { return started_; }
    bool waitExit(DWORD ms, DWORD& code) const {
        if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
        GetExitCodeProcess(pi_.hProcess, &code);
        return true;
    }
    bool running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

struct MenuItem {
    const wchar_t* label;
    UINT id;
};

std::wstring menuString(HMENU menu, UINT item, UINT flags) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, item, text, 128, flags);
    return text;
}

void expectPopup(HMENU bar, int index, const wchar_t* title, const std::vector<MenuItem>& items) {
    EXPECT_EQ(menuString(bar, index, MF_BYPOSITION), title);
    HMENU popup = GetSubMenu(bar, index);
    ASSERT_TRUE(popup) << "no pop-up " << index;
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), items[i].id);
        EXPECT_EQ(menuString(popup, static_cast<UINT>(i), MF_BYPOSITION), items[i].label);
    }
}

std::wstring childText(HWND parent, int id) {
    HWND child = GetDlgItem(parent, id);
    return child ? windowText(child) : L"<missing>";
}

RECT childRectOf(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND findDialogChild(HWND main, int controlId) {
    // The panels are untitled child dialogs; find the one holding the control.
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgItem(child, controlId)) return child;
    }
    return nullptr;
}

TEST(Smoke, StartsShowsItsWindowAndEndsThroughTheConfirmation) {
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = waitForMainWindow(60000);
    ASSERT_TRUE(main) << "no window \"ZAV Caption\"";

    // The menu: attached at creation. Its items and ids are checked on menu 202 as the
    // program's module holds it; the live menu only where another process may read it
    // (Wine keeps menus private to their process, and the in-process tests check the
    // grayed pair there).
    HMENU bar = GetMenu(main);
    ASSERT_TRUE(bar);
    HMODULE exe = LoadLibraryExW((programPath() + L"ZAVCaption.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    HMENU stored = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_TRUE(stored);
    const bool liveMenuReadable = GetMenuItemCount(bar) >= 0;
    for (HMENU menu : {stored, liveMenuReadable ? bar : stored}) {
        ASSERT_EQ(GetMenuItemCount(menu), 7);
        expectPopup(menu, 0, L"&File",
                    {{L"Open Media", 57601}, {L"New Caption File", 32910}, {L"New Transcript File", 32927},
                     {L"Open Transcript", 32929}, {L"Save Transcript As", 32928}, {L"Import Text script", 32916},
                     {L"E&xit", 57665}});
        expectPopup(menu, 1, L"&Edit", {{L"&Undo\tCtrl+Z", 32950}, {L"&Redo\tCtrl+Y", 32951}});
        expectPopup(menu, 2, L"Windows Media",
                    {{L"Export SAMI", 57604}, {L"Import SAMI", 32915}, {L"Create ASX", 32936}});
        // The SubRip, WebVTT and TTML commands come in a pop-up of their own.
        expectPopup(menu, 3, L"&SubRip, WebVTT && TTML",
                    {{L"Export &SubRip (.srt)...", 32940}, {L"Export &WebVTT (.vtt)...", 32941},
                     {L"Export &TTML (.ttml)...", 32944}, {L"Export TTML, a&ll languages (.ttml)...", 32945},
                     {L"&Import SubRip, WebVTT or TTML...", 32942},
                     {L"&Add Language from SubRip, WebVTT or TTML...", 32943}});
        expectPopup(menu, 4, L"&View",
                    {{L"&Check Captions...", 32960}, {L"&Timeline\tCtrl+T", 32961}, {L"S&nap to Speech", 32962},
                     {L"Snap &Selected Caption", 32963}, {L"Snap &All Captions to Speech", 32964},
                     {L"&Recovery Copies...", 32965}});
        expectPopup(menu, 5, L"MS Producer", {{L"Open Producer Movie", 32921}, {L"Export to Producer", 32923}});
        expectPopup(menu, 6, L"Help",
                    {{L"About  ZAV Caption", 32909}, {L"Quick Key Reference", 32926}, {L"Help Contents", 32930}});
    }
    if (liveMenuReadable) {
        // Nothing to undo or redo yet, and the transcript pair waits for transcript mode.
        for (UINT id : {32929u, 32928u, 32950u, 32951u})
            EXPECT_TRUE(GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) << id;
        for (UINT id : {57601u, 32910u, 32927u, 32916u, 57665u, 57604u, 32915u, 32936u, 32921u, 32923u, 32909u,
                        32926u, 32930u}) {
            EXPECT_FALSE(GetMenuState(bar, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) << id;
        }
    }
    DestroyMenu(stored);
    FreeLibrary(exe);

    // The children of the main window and the controls of both panels.
    // The preview line starts as " " and, once the splash has opened, shows the
    // caption due at the position: row 0, which is empty.
    const std::wstring preview = childText(main, IDC_PREVIEW_LINE);
    EXPECT_TRUE(preview == L" " || preview.empty()) << "the preview line is not blank";
    EXPECT_EQ(childText(main, IDC_CAPTION_HEADER), L"Caption Edit Area");
    EXPECT_EQ(childText(main, IDC_START_TIME_HEADER), L"Start Time");
    HWND commands = findDialogChild(main, IDC_ADD_LANGUAGE);
    ASSERT_TRUE(commands);
    EXPECT_EQ(childText(commands, IDC_EDIT_START_TIME), L"Edit Start Time");
    EXPECT_EQ(childText(commands, IDC_GOTO_START_TIME), L"Goto Start Time");
    EXPECT_EQ(childText(commands, IDC_DELETE_CAPTION), L"Delete Caption");
    EXPECT_EQ(childText(commands, IDC_SET_TIME), L"Set Time");
    EXPECT_EQ(childText(commands, IDC_SORT_BY_TIME), L"Sort By Time");
    EXPECT_EQ(childText(commands, IDC_CLEAR_ALL_TIMES), L"Clear All Times");
    EXPECT_EQ(childText(commands, IDC_ADD_CAPTION), L"Add Caption");
    EXPECT_EQ(childText(commands, IDC_ADD_LANGUAGE), L"Add Language");
    EXPECT_EQ(childText(commands, IDC_DELETE_LANGUAGE), L"Delete Language");
    HWND combo = GetDlgItem(commands, IDC_LANGUAGE_COMBO);
    ASSERT_TRUE(combo);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    HWND transport = findDialogChild(main, IDC_SEEK_SLIDER);
    ASSERT_TRUE(transport);
    EXPECT_EQ(childText(transport, IDC_PLAY), L"Play");
    EXPECT_EQ(childText(transport, IDC_STOP), L"Stop");
    EXPECT_EQ(childText(transport, IDC_MUTE), L"Mute");
    EXPECT_TRUE(GetDlgItem(transport, IDC_VOLUME_SLIDER));

    // The caption panel: twelve rows, the first stamped at time 0.
    HWND panel = FindWindowExW(main, nullptr, L"scrollwindow", nullptr);
    ASSERT_TRUE(panel);
    EXPECT_EQ(childText(panel, IDC_ROW_LABEL_BASE + 0), L"00:00:00:000");
    EXPECT_EQ(childText(panel, IDC_ROW_LABEL_BASE + 1), L"");
    EXPECT_TRUE(GetDlgItem(panel, IDC_ROW_EDIT_BASE + 11));
    EXPECT_FALSE(GetDlgItem(panel, IDC_ROW_EDIT_BASE + 12));

    // Our player control is hosted and shows the splash picture: it reaches "media open".
    EXPECT_TRUE(waitForOpenState(main, 13, 20000)) << "the splash picture never opened";

    // Cancel keeps the program; OK ends it with exit code 0.
    EXPECT_EQ(answerCloseRequest(main, IDCANCEL, 20000),
              L"If you haven't saved your work, hit cancel and do so before quitting.  Hit OK to quit.");
    Sleep(300);
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(answerCloseRequest(main, IDOK, 20000).empty());
    DWORD code = 99;
    ASSERT_TRUE(program.waitExit(30000, code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
}

// A real film made by ffmpeg (6 s, a tone from 2 s to 4 s): the timeline reads its
// sound and draws the waveform tall only where the tone is.
TEST(Smoke, TimelineDrawsTheFilmsSoundWhereItIs) {
    wchar_t media[MAX_PATH * 2] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"ZAV_TIMELINE_MEDIA", media, MAX_PATH * 2), 0u) << "no ZAV_TIMELINE_MEDIA";
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = waitForMainWindow(60000);
    ASSERT_TRUE(main);
    ASSERT_TRUE(openMedia(main, media, 20000));
    HWND timeline = showTimeline(main, 60000);
    ASSERT_TRUE(timeline) << "the timeline did not read the film's sound";
    // Zoomed out as far as it goes, the whole film fills the width.
    for (int i = 0; i < 40; ++i) PostMessageW(timeline, WM_KEYDOWN, VK_SUBTRACT, 0);
    Sleep(500);
    RedrawWindow(timeline, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(200);
    const std::vector<int> heights = waveformHeights(timeline);
    ASSERT_GT(heights.size(), 100u);
    int first = -1;
    int last = -1;
    for (int x = 0; x < static_cast<int>(heights.size()); ++x) {
        if (heights[x] > 4) {
            if (first < 0) first = x;
            last = x;
        }
    }
    const double width = static_cast<double>(heights.size());
    EXPECT_NEAR(first / width, 2.0 / 6, 0.03);
    EXPECT_NEAR(last / width, 4.0 / 6, 0.03);

    SendMessageW(timeline, WM_CLOSE, 0, 0);
    EXPECT_FALSE(answerCloseRequest(main, IDOK, 20000).empty());
    DWORD code = 99;
    EXPECT_TRUE(program.waitExit(30000, code));
}

// The window laid out at the screen's DPI (96 in the plain run, 144 in the run at
// another DPI): the player, the panels and the caption panel stand at their 96-DPI
// places scaled, the caption panel and its headers keep to the client area, every
// control of the two panels is shown whole inside it, and the rows are scaled.
TEST(Smoke, LayoutFitsAtTheScreensDpi) {
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = waitForMainWindow(60000);
    ASSERT_TRUE(main);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const auto px = [dpi](int size96) { return MulDiv(size96, dpi, 96); };
    RECT client{};
    GetClientRect(main, &client);

    HWND transport = findDialogChild(main, IDC_SEEK_SLIDER);
    HWND commands = findDialogChild(main, IDC_SORT_BY_TIME);
    HWND captions = FindWindowExW(main, nullptr, L"scrollwindow", nullptr);
    HWND header = GetDlgItem(main, IDC_START_TIME_HEADER);
    ASSERT_TRUE(transport && commands && captions && header);
    const struct {
        HWND window;
        int x, y;
    } places[] = {{transport, 0, 310}, {commands, 310, 323}, {captions, 310, 20}};
    for (const auto& place : places) {
        const RECT r = childRectOf(main, place.window);
        EXPECT_NEAR(r.left, px(place.x), 1) << place.x;
        EXPECT_NEAR(r.top, px(place.y), 1) << place.y;
    }
    for (HWND window : {captions, header}) {
        const RECT r = childRectOf(main, window);
        EXPECT_LE(r.right, client.right + 1);
    }
    for (HWND panel : {transport, commands}) {
        for (HWND control = GetWindow(panel, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            if (!IsWindowVisible(control)) continue;
            const RECT r = childRectOf(main, control);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(control) << " is cut off at " << dpi << " DPI";
        }
    }
    HWND row = GetDlgItem(captions, IDC_ROW_EDIT_BASE);
    ASSERT_TRUE(row);
    const RECT rowRect = childRectOf(captions, row);
    EXPECT_EQ(rowRect.bottom - rowRect.top, px(25));
    EXPECT_FALSE(answerCloseRequest(main, IDOK, 20000).empty());
    DWORD code = 99;
    EXPECT_TRUE(program.waitExit(30000, code));
}

// The recovery files matching the pattern in the folder.
std::vector<std::wstring> filesIn(const std::wstring& folder, const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileW(search, &data));
    FindClose(search);
    return names;
}

// Waits until this run's copy holds the text.
bool waitForCopyHolding(const std::wstring& folder, const std::string& text, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (const std::wstring& name : filesIn(folder, L"copy-*.zavrecovery")) {
            if (zav::test::fileBytes(folder + L"\\" + name).find(text) != std::string::npos) return true;
        }
        Sleep(250);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

TEST(Smoke, AKilledRunsCaptionsAreOfferedBackAtTheNextStart) {
    zav::test::TemporaryFolder appData(L"zav-smoke-appdata-");
    const std::wstring environment = environmentWith(L"LOCALAPPDATA", appData.path());
    const std::wstring recovery = appData.path() + L"\\ZAV Caption\\Recovery";
    const wchar_t* const texts[] = {L"Typed before the crash", L"The second caption", L"A third, untimed"};
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        {
            Program program(environment);
            ASSERT_TRUE(program.started());
            HWND main = waitForMainWindow(60000);
            ASSERT_TRUE(main);
            waitForOpenState(main, 13, 20000);
            for (int row = 0; row < 3; ++row) ASSERT_TRUE(typeIntoRow(main, row, texts[row]));
            ASSERT_TRUE(waitForCopyHolding(recovery, "A third, untimed", 30000)) << "no recovery copy was written";
            ASSERT_TRUE(program.kill());
        }
        Program program(environment);
        HWND main = waitForMainWindow(60000);
        ASSERT_TRUE(main);
        HWND box = waitForDialog(main, L"Recovery", 30000);
        ASSERT_TRUE(box) << "no recovery question";
        const std::wstring question = messageBoxText(box);
        std::printf("question: %ls\n", question.c_str());
        EXPECT_NE(question.find(L"; it holds 3 captions."), std::wstring::npos);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        const DWORD start = GetTickCount();
        while (IsWindow(box) && GetTickCount() - start < 20000) Sleep(100);
        // The program puts the work back after the box has gone: give it a moment.
        for (DWORD waited = 0; answer == IDYES && rowText(main, 2) != texts[2] && waited < 20000; waited += 100)
            Sleep(100);
        for (int row = 0; row < 3; ++row) {
            const std::wstring text = rowText(main, row);
            std::printf("row %d: %ls\n", row, text.c_str());
            EXPECT_EQ(text, answer == IDYES ? texts[row] : L"");
        }
        EXPECT_EQ(filesIn(recovery, L"declined *.zavrecovery").size(), answer == IDYES ? 0u : 1u);
        // The clean end removes the run's copy.
        EXPECT_FALSE(answerCloseRequest(main, IDOK, 20000).empty());
        DWORD code = 99;
        ASSERT_TRUE(program.waitExit(30000, code));
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(filesIn(recovery, L"copy-*.zavrecovery").empty());
        for (const std::wstring& name : filesIn(recovery, L"*.zavrecovery")) std::printf("kept: %ls\n", name.c_str());
    }
}

}  // namespace
