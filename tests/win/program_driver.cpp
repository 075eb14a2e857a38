#include "tests/win/program_driver.h"

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
        if (window && IsWindowVisible(window)) return window;
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

HWND waitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        HWND found = FindWindowW(className, nullptr);
        if (found && IsWindowVisible(found)) return found;
        pause(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

}  // namespace zav::driver
