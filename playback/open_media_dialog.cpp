#include "playback/open_media_dialog.h"

#include "resources/resource_ids.h"
#include "win/window_text.h"

#include <commdlg.h>

#include <cwchar>

namespace zav {
namespace {

// Centres the dialog over its owner, moved back inside the work area of the
// monitor it lands on.
void centreOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT ownerRect{}, dialogRect{};
    if (!owner || !GetWindowRect(owner, &ownerRect)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &ownerRect, 0);
    GetWindowRect(dialog, &dialogRect);
    const LONG width = dialogRect.right - dialogRect.left;
    const LONG height = dialogRect.bottom - dialogRect.top;
    LONG x = ownerRect.left + ((ownerRect.right - ownerRect.left) - width) / 2;
    LONG y = ownerRect.top + ((ownerRect.bottom - ownerRect.top) - height) / 2;

    RECT work{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    const RECT placed{x, y, x + width, y + height};
    if (GetMonitorInfoW(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

OpenMediaDialog::OpenMediaDialog() : ModalDialog(IDD_OPEN_MEDIA) {}

void OpenMediaDialog::onOk(HWND dialog) { accept(dialog, windowText(GetDlgItem(dialog, IDC_MEDIA_PATH))); }

INT_PTR OpenMediaDialog::onOtherCommand(HWND dialog, WORD id) {
    if (id != IDC_BROWSE_MEDIA) return FALSE;
    browseForMedia(dialog);
    return TRUE;
}

INT_PTR OpenMediaDialog::onInit(HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_MEDIA_PATH));
    centreOverOwner(dialog);
    return FALSE;  // the focus is set
}

void OpenMediaDialog::browseForMedia(HWND dialog) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = L"All files\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    // A cancelled browse leaves the dialog open; a chosen file confirms it at once.
    if (!modalUi().getOpenFileName(&ofn)) return;
    accept(dialog, std::wstring(path, wcsnlen(path, MAX_PATH)));
}

}  // namespace zav
