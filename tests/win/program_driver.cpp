#include "tests/win/program_driver.h"
#include "tests/win/window_pixels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zav::driver {
namespace {

void pause(DWORD ms) {
    // Keeps this thread's own queue moving while waiting.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(ms);
}

std::wstring className(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

struct DialogSearch {
    DWORD thread;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    if (GetWindowThreadProcessId(window, nullptr) != search->thread) return TRUE;
    if (className(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    if (windowText(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK findPlayer(HWND window, LPARAM param) {
    if (className(window) == L"ZAVMediaPlayer") {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring windowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 2, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

HWND waitForMainWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        HWND window = FindWindowW(nullptr, L"ZAV Caption");
        if (window && IsWindowVisible(window)) {
            // The window shows before its first layout is done; a message sent to its
            // thread is handled only once the thread is back at its message loop.
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
            return window;
        }
        pause(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND findPlayerWindow(HWND mainWindow) {
    HWND found = nullptr;
    EnumChildWindows(mainWindow, findPlayer, reinterpret_cast<LPARAM>(&found));
    return found;
}

long playerOpenState(HWND playerWindow) {
    if (!playerWindow) return -1;
    HANDLE value = GetPropW(playerWindow, L"zav.openState");
    return static_cast<long>(reinterpret_cast<INT_PTR>(value));
}

bool waitForOpenState(HWND mainWindow, long state, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (playerOpenState(findPlayerWindow(mainWindow)) == state) return true;
        pause(100);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

HWND waitForDialog(HWND mainWindow, const wchar_t* title, DWORD timeoutMs) {
    DialogSearch search{GetWindowThreadProcessId(mainWindow, nullptr), title, nullptr};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        pause(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::wstring messageBoxText(HWND box) {
    // A message box shows its text in the static control 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? windowText(text) : std::wstring();
}

std::wstring answerCloseRequest(HWND mainWindow, int button, DWORD timeoutMs) {
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    HWND box = waitForDialog(mainWindow, L"Reminder", timeoutMs);
    if (!box) return std::wstring();
    std::wstring text = messageBoxText(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    // Wait until the box is gone so that a following request finds a fresh one.
    const DWORD start = GetTickCount();
    while (IsWindow(box) && GetTickCount() - start < timeoutMs) pause(50);
    return text;
}

bool openMedia(HWND mainWindow, const std::wstring& path, DWORD timeoutMs) {
    PostMessageW(mainWindow, WM_COMMAND, 57601, 0);
    HWND dialog = waitForDialog(mainWindow, L"Open Media", timeoutMs);
    if (!dialog) return false;
    // WM_SETTEXT carries its string across processes.
    SendMessageW(GetDlgItem(dialog, 201), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < timeoutMs) pause(50);
    return !IsWindow(dialog);
}

bool typeIntoRow(HWND mainWindow, int row, const std::wstring& text) {
    HWND panel = FindWindowExW(mainWindow, nullptr, L"scrollwindow", nullptr);
    HWND edit = panel ? GetDlgItem(panel, 1000 + row) : nullptr;
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

namespace {
HWND rowEdit(HWND mainWindow, int row) {
    HWND panel = FindWindowExW(mainWindow, nullptr, L"scrollwindow", nullptr);
    return panel ? GetDlgItem(panel, 1000 + row) : nullptr;
}
}  // namespace

std::wstring rowText(HWND mainWindow, int row) {
    HWND edit = rowEdit(mainWindow, row);
    return edit ? windowText(edit) : L"<no row>";
}

bool clickRow(HWND mainWindow, int row) {
    HWND edit = rowEdit(mainWindow, row);
    if (!edit) return false;
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    pause(200);
    return true;
}

bool pressInRow(HWND mainWindow, int row, WPARAM key) {
    HWND edit = rowEdit(mainWindow, row);
    if (!edit) return false;
    PostMessageW(edit, WM_KEYDOWN, key, 1);
    PostMessageW(edit, WM_KEYUP, key, 0xC0000001);
    return true;
}

HWND waitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        HWND found = FindWindowW(className, nullptr);
        if (found && IsWindowVisible(found)) return found;
        pause(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND showTimeline(HWND mainWindow, DWORD timeoutMs) {
    PostMessageW(mainWindow, WM_COMMAND, 32961, 0);
    HWND timeline = waitForWindowOfClass(L"ZAVCaptionTimeline", timeoutMs);
    const DWORD start = GetTickCount();
    while (timeline && windowText(timeline) != L"Timeline") {
        if (GetTickCount() - start > timeoutMs) return nullptr;
        Sleep(100);
    }
    if (timeline) {
        // One more refresh of the window, with the whole sound in it.
        Sleep(300);
        RedrawWindow(timeline, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return timeline;
}

std::vector<int> waveformHeights(HWND timeline) {
    const zav::test::WindowPixels shot = zav::test::windowPixels(timeline, false);
    std::vector<int> heights(static_cast<std::size_t>(shot.width), 0);
    // The waveform's colour, RGB(80, 200, 120).
    const std::uint32_t wave = (80u << 16) | (200u << 8) | 120u;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if ((shot.pixels[static_cast<std::size_t>(y) * shot.width + x] & 0xFFFFFFu) == wave) ++heights[x];
    return heights;
}

}  // namespace zav::driver
