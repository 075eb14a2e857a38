#pragma once
// Hosting the media player control in an "AtlAxWin" child window and obtaining the
// references the program drives it through.

#include "win/com_ptr.h"
#include "win/wmp_interfaces.h"

namespace zav {

// The references the main window holds on the player.
struct PlayerReferences {
    ComPtr<IWMPPlayer4> player;
    ComPtr<IConnectionPoint> eventPoint;
    DWORD eventCookie = 0;
    ComPtr<IWMPControls> controls;
    // IWMPControls3 when the control offers it, otherwise its base IWMPControls: the
    // position calls the program makes live in both.
    ComPtr<IWMPControls> positionControls;

    // Unadvises the sink, closes the player and drops every reference.
    void release() noexcept;
};

// Makes sure the window class "AtlAxWin" exists (atl.dll's AtlAxWinInit).
bool ensureAxHostClass() noexcept;

// Creates the host window: no text, child, visible, clip-children, at (5, 0), 295 x 230.
HWND createPlayerHostWindow(HINSTANCE instance, HWND parent) noexcept;

// Creates the player control in the host and fills refs: the control, the advised
// event sink, the controls and position controls, and its user interface settings.
// A failure of an essential step is shown through ReportErrorCode and returned.
HRESULT createPlayerControl(HWND host, PlayerReferences& refs) noexcept;

// The control's IUnknown as the host holds it, for calls on other interfaces.
ComPtr<IUnknown> hostedControl(HWND host) noexcept;

}  // namespace zav
