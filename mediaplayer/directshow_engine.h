#pragma once
// Plays a movie through a DirectShow filter graph (quartz; under Wine it decodes
// through GStreamer). The graph's video window is made a child of the control's
// window; a graph whose sound could not be rendered still plays its picture, and a
// file of sound alone that no device can play runs silently at the graph's clock.

#include <windows.h>
#include <dshow.h>

#include "win/com_ptr.h"
#include "mediaplayer/playback_engine.h"

namespace zav::player {

class DirectShowEngine final : public PlaybackEngine {
public:
    DirectShowEngine() = default;
    ~DirectShowEngine() override;

    // url is an absolute file path here.
    HRESULT open(const std::wstring& url) override;
    void close() override;
    long openState() override;
    long playState() override;
    double duration() override { return duration_; }
    HRESULT position(double* seconds) override;
    HRESULT setPosition(double seconds) override;
    HRESULT play() override;
    HRESULT pause() override;
    HRESULT stop() override;
    void setVolume(long volume) override;
    void setRate(double rate) override;
    void attachWindow(HWND window) override;
    void layout(const RECT& client) override;
    void setStretchToFit(bool stretch) override;
    bool paint(HDC, const RECT&) override { return false; }
    void poll() override;

private:
    HRESULT buildGraph(const std::wstring& path);
    HRESULT renderSoundSilently(const std::wstring& path);
    HRESULT run();
    void silenceAudioRenderer();
    void placeVideo();
    void seekTo(LONGLONG position);

    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaSeeking> seeking_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<IBasicAudio> audio_;
    ComPtr<IVideoWindow> video_;
    ComPtr<IBasicVideo> basicVideo_;
    bool hasVideo_ = false;
    double duration_ = 0.0;
    long playState_ = kPlayStateUndefined;

    HWND window_ = nullptr;
    RECT client_{};
    bool stretch_ = false;
    long volume_ = 100;
    double rate_ = 1.0;
};

}  // namespace zav::player
