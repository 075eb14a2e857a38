#pragma once
// The transport requests: the WM_HSCROLL messages the transport panel and the message
// loop send the main window, and the main window hands to the transport. The high
// word of wParam names the slider, the low word the action; lParam carries a value.
// These numbers are a fixed protocol between sender and handler, spelled here once.

#include "resources/resource_ids.h"

#include <windows.h>

#include <commctrl.h>

namespace zav::transport_request {

// Seek slider actions. The steps move the slider by kStepTenths from where it stands.
inline constexpr int kStepForward = 0;
inline constexpr int kStepBack = 1;
// TB_THUMBPOSITION with the released thumb's position in tenths of a second as lParam.
inline constexpr int kSeekTo = TB_THUMBPOSITION;
inline constexpr long kStepTenths = 30;

// Volume slider actions: the buttons' own ids step the volume; TB_THUMBTRACK (and
// TB_THUMBPOSITION) set it to lParam.
inline constexpr int kVolumeUp = IDC_VOLUME_UP;
inline constexpr int kVolumeDown = IDC_VOLUME_DOWN;
inline constexpr int kSetVolume = TB_THUMBTRACK;

// INSERT in a caption row: wParam 1 names neither slider, so the request only gives
// the focus back to the selected caption.
inline constexpr WPARAM kReturnFocus = 1;

constexpr WPARAM request(int slider, int action) noexcept {
    return static_cast<WPARAM>((static_cast<unsigned>(slider) & 0xFFFFu) << 16 | (static_cast<unsigned>(action) & 0xFFFFu));
}
constexpr int sliderOf(WPARAM wParam) noexcept { return static_cast<int>((wParam >> 16) & 0xFFFFu); }
constexpr int actionOf(WPARAM wParam) noexcept { return static_cast<int>(wParam & 0xFFFFu); }

// Sends the request to the main window.
inline void send(HWND mainWindow, WPARAM wParam, LPARAM value = 0) {
    SendMessageW(mainWindow, WM_HSCROLL, wParam, value);
}

}  // namespace zav::transport_request
