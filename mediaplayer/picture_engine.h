#pragma once
// Shows a still picture (JPEG, PNG, BMP, GIF, TIFF: whatever WIC decodes) as media
// of duration 0. It is open at once and reports itself stopped, as a movie does at
// its end; the control's window paints it.

#include <windows.h>

#include "mediaplayer/playback_engine.h"

#include <cstdint>
#include <vector>

namespace zav::player {

class PictureEngine final : public PlaybackEngine {
public:
    // url is an absolute file path here.
    HRESULT open(const std::wstring& url) override;
    void close() override;
    long openState() override { return isOpen() ? kOpenStateMediaOpen : kOpenStateUndefined; }
    long playState() override { return isOpen() ? kPlayStateStopped : kPlayStateUndefined; }
    double duration() override { return 0.0; }
    HRESULT position(double* seconds) override;
    HRESULT setPosition(double) override { return S_OK; }
    HRESULT play() override { return S_OK; }
    HRESULT pause() override { return S_OK; }
    HRESULT stop() override { return S_OK; }
    void setVolume(long) override {}
    void setRate(double) override {}
    void attachWindow(HWND) override {}
    void layout(const RECT&) override {}
    void setStretchToFit(bool stretch) override { stretch_ = stretch; }
    bool paint(HDC dc, const RECT& client) override;

    bool isOpen() const noexcept { return width_ > 0; }
    UINT width() const noexcept { return width_; }
    UINT height() const noexcept { return height_; }

private:
    std::vector<std::uint8_t> pixels_;  // 32-bit BGRA rows, top row first
    UINT width_ = 0;
    UINT height_ = 0;
    bool stretch_ = false;
};

}  // namespace zav::player
