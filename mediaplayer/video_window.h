#pragma once
// The control's child window, class "ZAVMediaPlayer", inside the host's window. It is
// black where no picture is shown, hands its size and paint to the engine, polls the
// core on a timer so the end of a movie is noticed without host traffic, and carries
// the property "zav.openState" (the current open state) for outside observers.

#include <windows.h>

#include "mediaplayer/player_core.h"

#include <memory>

namespace zav::player {

inline constexpr wchar_t kVideoWindowClass[] = L"ZAVMediaPlayer";
inline constexpr wchar_t kOpenStateProperty[] = L"zav.openState";

class VideoWindow {
public:
    explicit VideoWindow(std::shared_ptr<PlayerCore> core) : core_(std::move(core)) {}
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;
    ~VideoWindow() { destroy(); }

    bool create(HWND parent, const RECT& rect);
    void destroy();
    HWND handle() const noexcept { return window_; }
    void move(const RECT& rect);
    void show(bool visible);
    void setOpenState(long openState);
    void invalidate();

    // Unregisters the window class of this module; for the DLL's unload.
    static void unregisterClass();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    std::shared_ptr<PlayerCore> core_;
    HWND window_ = nullptr;
    long openState_ = 0;
};

}  // namespace zav::player
