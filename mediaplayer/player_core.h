#pragma once
// The state behind the control's automation objects: the engine, the URL and the
// values the host set (volume, rate, stretch, caption file). The player object and
// the controls, settings, media and closed-caption objects share one core, so each of
// them keeps working for as long as the host holds it.

#include "mediaplayer/playback_engine.h"

#include <memory>
#include <string>

namespace zav::player {

// Told whenever the open or play state is seen to change.
class PlayerObserver {
public:
    virtual void onStateChanged(long openState, long playState) = 0;

protected:
    ~PlayerObserver() = default;
};

class PlayerCore {
public:
    explicit PlayerCore(std::unique_ptr<PlaybackEngine> engine);
    PlayerCore(const PlayerCore&) = delete;
    PlayerCore& operator=(const PlayerCore&) = delete;
    ~PlayerCore();

    void setObserver(PlayerObserver* observer) noexcept { observer_ = observer; }
    bool offers(REFIID iid) const { return engine_->offers(iid); }

    // An empty url closes the media. Every opening counts as a new media item.
    HRESULT setUrl(const std::wstring& url);
    const std::wstring& url() const noexcept { return url_; }
    void close();
    unsigned long mediaGeneration() const noexcept { return generation_; }
    bool hasMedia() const noexcept { return !url_.empty(); }

    long openState();
    long playState();
    double duration();
    HRESULT position(double* seconds);
    HRESULT setPosition(double seconds);
    HRESULT play();
    HRESULT pause();
    HRESULT stop();
    HRESULT currentMediaResult() { return engine_->currentMediaResult(); }

    long volume() const noexcept { return volume_; }
    void setVolume(long volume);
    double rate() const noexcept { return rate_; }
    void setRate(double rate);
    bool stretchToFit() const noexcept { return stretch_; }
    void setStretchToFit(bool stretch);
    const std::wstring& uiMode() const noexcept { return uiMode_; }
    void setUiMode(const std::wstring& mode);
    const std::wstring& samiFileName() const noexcept { return samiFileName_; }
    void setSamiFileName(const std::wstring& name);

    // Video output, driven by the control's window.
    void attachWindow(HWND window);
    void layout(const RECT& client) { engine_->layout(client); }
    bool paint(HDC dc, const RECT& client) { return engine_->paint(dc, client); }
    // Picks up end of media and tells the observer about changed states.
    void poll();
    void noteConnections(long advised, long unadvised) { engine_->noteConnections(advised, unadvised); }

private:
    void notify();

    std::unique_ptr<PlaybackEngine> engine_;
    PlayerObserver* observer_ = nullptr;
    std::wstring url_;
    unsigned long generation_ = 0;
    long volume_ = 100;
    double rate_ = 1.0;
    bool stretch_ = false;
    std::wstring uiMode_ = L"full";
    std::wstring samiFileName_;
    long lastOpenState_ = kOpenStateUndefined;
    long lastPlayState_ = kPlayStateUndefined;
    bool notifying_ = false;
};

}  // namespace zav::player
