#pragma once
#include <windows.h>

namespace zav {

// Shows a failing result code as "Error code = %08X" in a box captioned "Error" and
// tells whether the code was a failure; success codes show nothing.
bool ReportErrorCode(HRESULT code);

// The dialog procedure of the simple modal dialogs: OK ends with 1, Cancel with 0.
INT_PTR CALLBACK OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zav
