#include "playback/transport_panel.h"

#include "resources/resource_ids.h"

namespace zav {

HWND createTransportPanel(HINSTANCE instance, HWND mainWindow) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TRANSPORT_PANEL), mainWindow, TransportPanelProc, 0);
}

INT_PTR CALLBACK TransportPanelProc(HWND panel, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        RECT r{};
        GetWindowRect(panel, &r);
        MoveWindow(panel, 0, 310, r.right - r.left, r.bottom - r.top, TRUE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace zav
