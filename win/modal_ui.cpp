#include "win/modal_ui.h"

namespace zav {
namespace {
Win32ModalUi win32Ui;
ModalUi* current = &win32Ui;
}  // namespace

ModalUi& modalUi() { return *current; }

ModalUi* setModalUi(ModalUi* ui) {
    ModalUi* previous = current;
    current = ui ? ui : &win32Ui;
    return previous;
}

int showMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return modalUi().messageBox(owner, text, caption, type);
}

int Win32ModalUi::messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(owner, text, caption, type);
}
BOOL Win32ModalUi::getOpenFileName(OPENFILENAMEW* ofn) { return GetOpenFileNameW(ofn); }
BOOL Win32ModalUi::getSaveFileName(OPENFILENAMEW* ofn) { return GetSaveFileNameW(ofn); }
INT_PTR Win32ModalUi::dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, proc, param);
}

}  // namespace zav
