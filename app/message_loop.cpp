#include "app/message_loop.h"

#include "playback/transport_requests.h"
#include "resources/resource_ids.h"

namespace zav {

KeyAction keyActionFor(WPARAM virtualKey, bool inCaptionRow) noexcept {
    switch (virtualKey) {
    case VK_TAB: return KeyAction::TogglePlayPause;
    case VK_F11: return KeyAction::StepBack;
    case VK_F12: return KeyAction::StepForward;
    default: break;
    }
    if (!inCaptionRow) return KeyAction::None;
    switch (virtualKey) {
    case VK_RETURN: return KeyAction::StampNextCaption;
    case VK_UP: return KeyAction::SelectPreviousRow;
    case VK_DOWN: return KeyAction::SelectNextRow;
    case VK_INSERT: return KeyAction::ReturnFocus;
    default: return KeyAction::None;
    }
}

HistoryKey historyKeyFor(WPARAM virtualKey, bool control, bool shift, bool alt) noexcept {
    if (!control || alt) return HistoryKey::None;
    if (virtualKey == 'Z') return shift ? HistoryKey::Redo : HistoryKey::Undo;
    if (virtualKey == 'Y' && !shift) return HistoryKey::Redo;
    return HistoryKey::None;
}

UINT commandKeyFor(WPARAM virtualKey, bool control, bool shift, bool alt) noexcept {
    if (!control || shift || alt) return 0;
    return virtualKey == 'T' ? IDM_TIMELINE : 0;
}

bool processKeyDown(LoopTarget& target, const MSG& msg) {
    const HistoryKey history = historyKeyFor(msg.wParam, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                                             GetKeyState(VK_MENU) < 0);
    if (history != HistoryKey::None) return target.historyKey(msg.hwnd, history == HistoryKey::Redo);
    if (const UINT command = commandKeyFor(msg.wParam, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                                           GetKeyState(VK_MENU) < 0)) {
        SendMessageW(target.mainWindow(), WM_COMMAND, command, 0);
        return true;
    }

    // The message's window is the one with the keyboard focus. Only the panel's own
    // edit boxes count as caption rows: other controls (the language combo box's edit
    // field carries id 1001) must not stamp or move captions.
    const bool inCaptionRow = target.captionRowCount() > 0 && target.isCaptionEdit(msg.hwnd);
    switch (keyActionFor(msg.wParam, inCaptionRow)) {
    case KeyAction::None: return false;
    case KeyAction::TogglePlayPause: target.togglePlayPause(); break;
    case KeyAction::StampNextCaption: target.stampNextCaption(); break;
    case KeyAction::SelectPreviousRow: target.selectPreviousRow(); break;
    case KeyAction::SelectNextRow: target.selectNextRow(); break;
    case KeyAction::ReturnFocus:
        transport_request::send(target.mainWindow(), transport_request::kReturnFocus);
        break;
    case KeyAction::StepBack: target.stepBack(); break;
    case KeyAction::StepForward: target.stepForward(); break;
    }
    return true;
}

int runMessageLoop(LoopTarget& target) {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        // 0 is the quit message; -1 is a failed call (an invalid argument), which would
        // otherwise spin here forever.
        if (got == 0 || got == -1) break;
        // The player is followed by polling: both refreshes run before every message,
        // then the program's own keys (the undo keys among them), then ordinary
        // translation and dispatch. There is no dialog-manager navigation for the
        // modeless panels and no accelerator table.
        target.refreshPlayerState();
        target.refreshPosition();
        if (msg.message == WM_KEYDOWN && processKeyDown(target, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace zav
