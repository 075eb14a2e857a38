#pragma once
// The dialog procedure of a modal dialog object: WM_INITDIALOG brings the object
// (the dialog's LPARAM) and keeps it in DWLP_USER; commands then go to it.
//
//     class MyDialog {
//     public:
//         INT_PTR onInit(HWND dialog);                 // WM_INITDIALOG's answer
//         INT_PTR onCommand(HWND dialog, WORD id);     // TRUE when handled
//     };
//     modalUi().dialogBox(instance, id, owner, &dialogProcedure<MyDialog>, LPARAM(&object));

#include "win/error_report.h"

#include <windows.h>

namespace zav {

template <class Dialog>
INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // No exception may cross into the system's dialog code.
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            auto* self = reinterpret_cast<Dialog*>(lParam);
            return self ? self->onInit(dialog) : TRUE;
        }
        auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!self || message != WM_COMMAND) return FALSE;
        return self->onCommand(dialog, LOWORD(wParam));
    } catch (...) {
        reportException(L"a dialog procedure", std::current_exception());
        return FALSE;
    }
}

// The commands of a dialog whose OK runs a check of its own (which ends the dialog
// when it passes) and whose Cancel, Escape or close box ends it with IDCANCEL.
template <class OnOk>
INT_PTR okOrCancelCommand(HWND dialog, WORD id, OnOk onOk) {
    switch (id) {
    case IDOK:
        onOk();
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace zav
