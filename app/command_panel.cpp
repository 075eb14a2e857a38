#include "app/command_panel.h"

#include "resources/resource_ids.h"
#include "win/modeless_panel.h"

namespace zav {

HWND createCommandPanel(HINSTANCE instance, HWND mainWindow) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_COMMAND_PANEL), mainWindow, CommandPanelProc, 0);
}

INT_PTR CALLBACK CommandPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        placePanelAt(panel, 310, 323);
        return TRUE;
    case WM_COMMAND:
        // The control's handle is not passed on: the main window dispatches on the id.
        SendMessageW(GetParent(panel), WM_COMMAND, wParam, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zav
