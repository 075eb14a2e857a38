#include "playback/open_media_dialog.h"

#include "win/dialog_procedure.h"
#include "win/modal_ui.h"
#include "win/module.h"
#include "resources/resource_ids.h"

#include <commdlg.h>

#include <vector>

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

INT_PTR OpenMediaDialog::run(HWND owner) {
    return modalUi().dialogBox(Module::instance(), IDD_OPEN_MEDIA, owner, &dialogProcedure<OpenMediaDialog>,
                               reinterpret_cast<LPARAM>(this));
}

std::wstring OpenMediaDialog::mediaPathText() const {
    return mediaPath_ ? std::wstring(mediaPath_.get(), SysStringLen(mediaPath_.get())) : std::wstring();
}

void OpenMediaDialog::setMediaPath(const wchar_t* text, UINT length) {
    mediaPath_.reset(SysAllocStringLen(text, length));
}

INT_PTR OpenMediaDialog::onCommand(HWND dialog, WORD id) {
    switch (id) {
    case IDOK:
        takeEditText(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        takeEditText(dialog);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_BROWSE_MEDIA:
        browseForMedia(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR OpenMediaDialog::onInit(HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_MEDIA_PATH));
    centreOverOwner(dialog);
    return FALSE;  // the focus is set
}

void OpenMediaDialog::takeEditText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_MEDIA_PATH);
    const int length = edit ? GetWindowTextLengthW(edit) : 0;
    std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int read = edit ? GetWindowTextW(edit, text.data(), static_cast<int>(text.size())) : 0;
    setMediaPath(text.data(), static_cast<UINT>(read > 0 ? read : 0));
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
    setMediaPath(path, static_cast<UINT>(wcsnlen(path, MAX_PATH)));
    EndDialog(dialog, IDOK);
}

}  // namespace zav
