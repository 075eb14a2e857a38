#pragma once
// Drives the real program from another process: finds its window, watches the hosted
// player and answers its quit confirmation.

#include <windows.h>

#include <string>
#include <vector>

namespace zav::driver {

// Waits for a visible top-level window titled "ZAV Caption"; null on timeout.
HWND waitForMainWindow(DWORD timeoutMs);

// The hosted player's video window (class "ZAVMediaPlayer"), or null.
HWND findPlayerWindow(HWND mainWindow);

// The open state the replacement player publishes on its video window; -1 if none.
long playerOpenState(HWND playerWindow);

// Waits until the player reports the given open state.
bool waitForOpenState(HWND mainWindow, long state, DWORD timeoutMs);

// Waits for a dialog owned by the program's thread with the given title.
HWND waitForDialog(HWND mainWindow, const wchar_t* title, DWORD timeoutMs);

// The text of a message box (its static control).
std::wstring messageBoxText(HWND box);

// The text of a window of another process (WM_GETTEXT works across processes).
std::wstring windowText(HWND window);

// Posts WM_CLOSE and answers the "Reminder" box with the given button (IDOK or
// IDCANCEL); returns the box's text, empty when no box came.
std::wstring answerCloseRequest(HWND mainWindow, int button, DWORD timeoutMs);

// Runs Open Media (command 57601), types the path into its dialog and confirms it;
// false when the dialog did not appear or did not close.
bool openMedia(HWND mainWindow, const std::wstring& path, DWORD timeoutMs);

// Types the text into the edit box of caption row (control 1000 + row of the caption
// panel), as the user would: the box reports the change. False without such a box.
bool typeIntoRow(HWND mainWindow, int row, const std::wstring& text);

// The text the edit box of caption row shows; "<no row>" without such a box.
std::wstring rowText(HWND mainWindow, int row);

// A click into the edit box of caption row, and a key pressed in it (posted, as the
// keyboard would deliver it).
bool clickRow(HWND mainWindow, int row);
bool pressInRow(HWND mainWindow, int row, WPARAM key);

// The first visible top-level window of the class, waited for; null at the timeout.
HWND waitForWindowOfClass(const wchar_t* className, DWORD timeoutMs);

// Opens the timeline (Ctrl+T's command 32961) and waits until it has read the film's
// sound (its title is "Timeline" alone); null when it did not open or read in time.
HWND showTimeline(HWND mainWindow, DWORD timeoutMs);

// Where the timeline draws sound: for each pixel column of its client area, how many
// pixels have the waveform's colour. A silent column has at most its one middle pixel.
std::vector<int> waveformHeights(HWND timeline);

}  // namespace zav::driver
