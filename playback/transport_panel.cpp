#include "playback/transport_panel.h"

#include "resources/resource_ids.h"

#include <commctrl.h>

namespace zav {

namespace {

bool seekDragActive = false;

// The scroll requests name their slider in the high word and an action in the low.
void sendScrollRequest(HWND main, int slider, int action, LPARAM value) {
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(action, slider), value);
}

void forwardCommand(HWND panel, WPARAM wParam, LPARAM lParam) {
    HWND main = GetParent(panel);
    switch (LOWORD(wParam)) {
    case IDC_PLAY: SendMessageW(main, WM_COMMAND, IDC_PLAY, IDC_PLAY); break;
    case IDC_STOP: SendMessageW(main, WM_COMMAND, IDC_STOP, IDC_STOP); break;
    case IDC_MUTE: SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MUTE, IDC_VOLUME_SLIDER), 0); break;
    case IDC_STEP_FORWARD: sendScrollRequest(main, IDC_SEEK_SLIDER, 0, 0); break;
    case IDC_STEP_BACK: sendScrollRequest(main, IDC_SEEK_SLIDER, 1, 0); break;
    case IDC_VOLUME_UP: sendScrollRequest(main, IDC_VOLUME_SLIDER, IDC_VOLUME_UP, 0); break;
    case IDC_VOLUME_DOWN: sendScrollRequest(main, IDC_VOLUME_SLIDER, IDC_VOLUME_DOWN, 0); break;
    // The rate buttons and anything else go on as they came.
    default: SendMessageW(main, WM_COMMAND, wParam, lParam); break;
    }
}

void translateScroll(HWND panel, WPARAM wParam, LPARAM lParam) {
    HWND main = GetParent(panel);
    HWND seek = GetDlgItem(panel, IDC_SEEK_SLIDER);
    HWND slider = reinterpret_cast<HWND>(lParam);
    const int code = LOWORD(wParam);
    // The notification carries the thumb's position in 16 bits only, which wraps in a
    // movie longer than 6,553.5 s; the trackbar's own position is whole, and a
    // trackbar moves its thumb before it notifies.
    const auto position = [slider] { return static_cast<LPARAM>(SendMessageW(slider, TBM_GETPOS, 0, 0)); };
    if (seek && slider == seek) {
        // Dragging only marks the drag; the seek happens when the thumb is let go.
        // Clicks in the channel (page steps) and key steps are not acted on.
        if (code == TB_THUMBTRACK) {
            seekDragActive = true;
        } else if (code == TB_THUMBPOSITION) {
            sendScrollRequest(main, IDC_SEEK_SLIDER, TB_THUMBPOSITION, position());
            seekDragActive = false;
        }
        return;
    }
    // The volume follows every movement of its thumb, and nothing else.
    if (code == TB_THUMBTRACK && slider) sendScrollRequest(main, IDC_VOLUME_SLIDER, TB_THUMBTRACK, position());
}

}  // namespace

bool isSeekDragActive() noexcept { return seekDragActive; }
void setSeekDragActive(bool active) noexcept { seekDragActive = active; }

HWND createTransportPanel(HINSTANCE instance, HWND mainWindow) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TRANSPORT_PANEL), mainWindow, TransportPanelProc, 0);
}

INT_PTR CALLBACK TransportPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        RECT r{};
        GetWindowRect(panel, &r);
        MoveWindow(panel, 0, 310, r.right - r.left, r.bottom - r.top, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        forwardCommand(panel, wParam, lParam);
        return TRUE;
    case WM_HSCROLL:
        translateScroll(panel, wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace zav
