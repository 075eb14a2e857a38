#pragma once
// Every modal interaction of the program (message boxes, the common file dialogs and
// the modal dialogs from templates) goes through this interface. The program uses the
// Win32 implementation; in-process tests install their own to answer and record.

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace zav {

class ModalUi {
public:
    virtual ~ModalUi() = default;
    // MessageBoxW. A null caption means the system's default caption.
    virtual int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) = 0;
    virtual BOOL getOpenFileName(OPENFILENAMEW* ofn) = 0;
    virtual BOOL getSaveFileName(OPENFILENAMEW* ofn) = 0;
    // DialogBoxParamW on a template of the given module.
    virtual INT_PTR dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) = 0;
};

// The implementation in use: the Win32 one unless a test installed another.
ModalUi& modalUi();
// Installs ui (nullptr restores the Win32 implementation); returns the previous one.
ModalUi* setModalUi(ModalUi* ui);

// A message box as the program shows its messages: by default an empty caption, an
// OK button only and no icon. A null caption means the system's default caption.
int showMessage(HWND owner, const wchar_t* text, const wchar_t* caption = L"", UINT type = MB_OK);

class Win32ModalUi final : public ModalUi {
public:
    int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) override;
    BOOL getOpenFileName(OPENFILENAMEW* ofn) override;
    BOOL getSaveFileName(OPENFILENAMEW* ofn) override;
    INT_PTR dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) override;
};

}  // namespace zav
