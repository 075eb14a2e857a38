#include "mediaplayer/player_core.h"

namespace zav::player {

// Engines start at the same volume (100), rate (1.0) and stretch (off) as the core,
// so only the host's own changes are passed on.
PlayerCore::PlayerCore(std::unique_ptr<PlaybackEngine> engine) : engine_(std::move(engine)) {}

PlayerCore::~PlayerCore() {
    observer_ = nullptr;
    engine_->attachWindow(nullptr);
    engine_->close();
}

HRESULT PlayerCore::setUrl(const std::wstring& url) {
    ++generation_;
    const HRESULT hr = engine_->open(url);
    url_ = SUCCEEDED(hr) ? url : std::wstring();
    notify();
    return hr;
}

void PlayerCore::close() {
    ++generation_;
    url_.clear();
    engine_->close();
    notify();
}

long PlayerCore::openState() {
    poll();
    return engine_->openState();
}

long PlayerCore::playState() {
    poll();
    return engine_->playState();
}

double PlayerCore::duration() {
    return engine_->duration();
}

HRESULT PlayerCore::position(double* seconds) {
    if (!seconds) return E_POINTER;
    *seconds = 0.0;
    poll();
    return engine_->position(seconds);
}

HRESULT PlayerCore::setPosition(double seconds) {
    const HRESULT hr = engine_->setPosition(seconds);
    notify();
    return hr;
}

HRESULT PlayerCore::play() {
    const HRESULT hr = engine_->play();
    notify();
    return hr;
}

HRESULT PlayerCore::pause() {
    const HRESULT hr = engine_->pause();
    notify();
    return hr;
}

HRESULT PlayerCore::stop() {
    const HRESULT hr = engine_->stop();
    notify();
    return hr;
}

void PlayerCore::setVolume(long volume) {
    volume_ = volume < 0 ? 0 : (volume > 100 ? 100 : volume);
    engine_->setVolume(volume_);
}

void PlayerCore::setRate(double rate) {
    rate_ = rate;
    engine_->setRate(rate);
}

void PlayerCore::setStretchToFit(bool stretch) {
    stretch_ = stretch;
    engine_->setStretchToFit(stretch);
}

void PlayerCore::setUiMode(const std::wstring& mode) {
    uiMode_ = mode;
    engine_->setUiMode(mode);
}

void PlayerCore::setSamiFileName(const std::wstring& name) {
    samiFileName_ = name;
    engine_->setSamiFileName(name);
}

void PlayerCore::attachWindow(HWND window) {
    engine_->attachWindow(window);
}

void PlayerCore::poll() {
    engine_->poll();
    notify();
}

void PlayerCore::notify() {
    // An observer that queries the player from its notification must not recurse.
    if (notifying_) return;
    const long open = engine_->openState();
    const long play = engine_->playState();
    if (open == lastOpenState_ && play == lastPlayState_) return;
    lastOpenState_ = open;
    lastPlayState_ = play;
    if (!observer_) return;
    notifying_ = true;
    observer_->onStateChanged(open, play);
    notifying_ = false;
}

}  // namespace zav::player
