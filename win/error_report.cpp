#include "win/error_report.h"

#include "win/modal_ui.h"

#include <cwchar>

namespace zav {

bool ReportErrorCode(HRESULT code) {
    if (code >= 0) return false;
    wchar_t text[40];
    std::swprintf(text, sizeof text / sizeof text[0], L"Error code = %08X", static_cast<unsigned>(code));
    modalUi().messageBox(nullptr, text, L"Error", MB_ICONERROR);
    return true;
}

INT_PTR CALLBACK OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace zav
