#pragma once
// Test helpers for hosting the player control the way the program does: through
// Wine's (or Windows') atl.dll, loaded at run time because MinGW has no ATL.

#include <windows.h>
#include <ole2.h>

#include "win/com_ptr.h"
#include "win/wmp_interfaces.h"

#include <functional>
#include <string>

namespace zav::test {

// atl.dll's hosting entry points.
class AtlLibrary {
public:
    static AtlLibrary& instance();
    bool loaded() const noexcept { return createControl_ && getControl_; }
    HRESULT createControl(const wchar_t* name, HWND window, IUnknown** container) const;
    HRESULT getControl(HWND window, IUnknown** control) const;

private:
    AtlLibrary();
    using InitFn = BOOL(WINAPI*)();
    using CreateControlFn = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
    using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);
    HMODULE module_ = nullptr;
    CreateControlFn createControl_ = nullptr;
    GetControlFn getControl_ = nullptr;
};

enum class Creation {
    HostWindowText,     // a window of class "AtlAxWin" whose text is the class id
    CreateControlCall,  // AtlAxCreateControl into a plain child window
};

// A 300 x 230 host child at (5, 0) of a visible top-level window, holding the player
// control, and the player's interfaces as the program obtains them.
class HostedPlayer {
public:
    explicit HostedPlayer(Creation how = Creation::HostWindowText);
    HostedPlayer(const HostedPlayer&) = delete;
    HostedPlayer& operator=(const HostedPlayer&) = delete;
    ~HostedPlayer();

    bool ok() const { return player && controls && settings; }
    // The control's own child window inside the host, or null.
    HWND videoWindow() const;
    // The open state the control publishes on its window for other processes.
    long publishedOpenState() const;
    // Releases the interfaces and destroys the host window, as the program's shutdown
    // does.
    void destroy();

    HRESULT result = E_FAIL;
    HWND frame = nullptr;
    HWND host = nullptr;
    ComPtr<IUnknown> container;
    ComPtr<IWMPPlayer4> player;
    ComPtr<IWMPControls> controls;
    ComPtr<IWMPControls3> controls3;
    ComPtr<IWMPSettings> settings;
};

// The test frame's background, a colour no test picture uses.
inline constexpr COLORREF kFrameColour = RGB(13, 77, 41);

// Whether the window's part of the screen shows a picture: more than one sample in
// twenty neither dark nor the frame's colour showing through.
bool showsPicture(HWND window);

// Dispatches waiting messages for about the given time.
void pumpMessages(DWORD milliseconds);
// Pumps messages until the condition holds or the time is up; returns the condition.
bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds);

// Small readers that hide the out-parameter style.
long openStateOf(IWMPPlayer4* player);
long playStateOf(IWMPPlayer4* player);
double positionOf(IWMPControls* controls);
double durationOf(IWMPPlayer4* player);
HRESULT putUrl(IWMPPlayer4* player, const std::wstring& url);

// A Windows path from an environment variable set by the test's CMake definition.
std::wstring environmentPath(const wchar_t* name);

}  // namespace zav::test
