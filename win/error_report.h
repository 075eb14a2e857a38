#pragma once
#include <windows.h>

#include <exception>
#include <string>

namespace zav {

// Shows a failing result code as "Error code = %08X" in a box captioned "Error" and
// tells whether the code was a failure; success codes show nothing.
bool ReportErrorCode(HRESULT code);

// The dialog procedure of the simple modal dialogs: OK ends with 1, Cancel with 0.
INT_PTR CALLBACK OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// An exception that reached a place no exception may leave (a window or dialog
// procedure, the end of a change): written with where it happened to the debug
// output and to the debug log, then shown to the user in a box captioned "Error"
// (not again while that box is open). Never throws.
void reportException(const wchar_t* where, std::exception_ptr error) noexcept;

// The debug log: "ZAV Caption.log" in the user's temporary folder. A developer
// reads it after a report; each line is a time, a place and what happened.
std::wstring debugLogPath();

}  // namespace zav
