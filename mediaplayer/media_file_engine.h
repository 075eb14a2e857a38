#pragma once
// The engine of the real control: resolves the URL the host gives to a local file
// (relative names against the current directory, file: URLs accepted), checks that
// it can be read, and plays it as a still picture or through DirectShow. The volume,
// rate, window and stretch are kept here and handed to each new inner engine.

#include "mediaplayer/playback_engine.h"

#include <memory>
#include <string>

namespace zav::player {

class MediaFileEngine final : public PlaybackEngine {
public:
    MediaFileEngine() = default;
    ~MediaFileEngine() override { close(); }

    HRESULT open(const std::wstring& url) override;
    void close() override;
    long openState() override { return inner_ ? inner_->openState() : kOpenStateUndefined; }
    long playState() override { return inner_ ? inner_->playState() : kPlayStateUndefined; }
    double duration() override { return inner_ ? inner_->duration() : 0.0; }
    HRESULT position(double* seconds) override;
    HRESULT setPosition(double seconds) override { return inner_ ? inner_->setPosition(seconds) : S_OK; }
    HRESULT play() override { return inner_ ? inner_->play() : S_OK; }
    HRESULT pause() override { return inner_ ? inner_->pause() : S_OK; }
    HRESULT stop() override { return inner_ ? inner_->stop() : S_OK; }
    void setVolume(long volume) override;
    void setRate(double rate) override;
    void attachWindow(HWND window) override;
    void layout(const RECT& client) override;
    void setStretchToFit(bool stretch) override;
    bool paint(HDC dc, const RECT& client) override { return inner_ && inner_->paint(dc, client); }
    void poll() override {
        if (inner_) inner_->poll();
    }

    // The absolute path for url, or an empty string when it names no local file.
    static std::wstring resolvePath(const std::wstring& url);
    // Whether the name's extension is one of the still-picture formats.
    static bool isPictureName(const std::wstring& path);

private:
    HRESULT openWith(std::unique_ptr<PlaybackEngine> engine, const std::wstring& path);

    std::unique_ptr<PlaybackEngine> inner_;
    HWND window_ = nullptr;
    RECT client_{};
    bool stretch_ = false;
    long volume_ = 100;
    double rate_ = 1.0;
};

}  // namespace zav::player
