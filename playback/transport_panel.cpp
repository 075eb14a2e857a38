#include "playback/transport_panel.h"

#include "playback/transport_requests.h"
#include "resources/resource_ids.h"
#include "win/modeless_panel.h"

#include <commctrl.h>

namespace zav {

namespace {

bool seekDragActive = false;

void sendScrollRequest(HWND main, int slider, int action, LPARAM value) {
    transport_request::send(main, transport_request::request(slider, action), value);
}

void forwardCommand(HWND panel, WPARAM wParam, LPARAM lParam) {
    HWND main = GetParent(panel);
    switch (LOWORD(wParam)) {
    case IDC_PLAY: SendMessageW(main, WM_COMMAND, IDC_PLAY, IDC_PLAY); break;
    case IDC_STOP: SendMessageW(main, WM_COMMAND, IDC_STOP, IDC_STOP); break;
    case IDC_MUTE: SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MUTE, IDC_VOLUME_SLIDER), 0); break;
    case IDC_STEP_FORWARD: sendScrollRequest(main, IDC_SEEK_SLIDER, transport_request::kStepForward, 0); break;
    case IDC_STEP_BACK: sendScrollRequest(main, IDC_SEEK_SLIDER, transport_request::kStepBack, 0); break;
    case IDC_VOLUME_UP: sendScrollRequest(main, IDC_VOLUME_SLIDER, transport_request::kVolumeUp, 0); break;
    case IDC_VOLUME_DOWN: sendScrollRequest(main, IDC_VOLUME_SLIDER, transport_request::kVolumeDown, 0); break;
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
            sendScrollRequest(main, IDC_SEEK_SLIDER, transport_request::kSeekTo, position());
            seekDragActive = false;
        }
        return;
    }
    // The volume follows every movement of its thumb, and nothing else.
    if (code == TB_THUMBTRACK && slider) sendScrollRequest(main, IDC_VOLUME_SLIDER, transport_request::kSetVolume, position());
}

}  // namespace

bool isSeekDragActive() noexcept { return seekDragActive; }
void setSeekDragActive(bool active) noexcept { seekDragActive = active; }

HWND createTransportPanel(HINSTANCE instance, HWND mainWindow) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TRANSPORT_PANEL), mainWindow, TransportPanelProc, 0);
}

INT_PTR CALLBACK TransportPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        placePanelAt(panel, 0, 310);
        return TRUE;
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
