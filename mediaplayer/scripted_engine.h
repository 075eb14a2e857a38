#pragma once
// The engine of the scripted control: every answer comes from a ScriptedState, and
// every call is recorded there. Play, pause, stop and seeks move the states as a
// player would, so a test only sets what it wants to differ.

#include "mediaplayer/playback_engine.h"
#include "mediaplayer/scripted_state.h"

#include <memory>

namespace zav::player {

class ScriptedEngine final : public PlaybackEngine {
public:
    explicit ScriptedEngine(std::shared_ptr<ScriptedState> state);
    ~ScriptedEngine() override;

    HRESULT open(const std::wstring& url) override;
    void close() override;
    long openState() override { return state_->openState; }
    long playState() override { return state_->playState; }
    double duration() override { return state_->duration; }
    HRESULT position(double* seconds) override;
    HRESULT setPosition(double seconds) override;
    HRESULT play() override;
    HRESULT pause() override;
    HRESULT stop() override;
    void setVolume(long volume) override;
    void setRate(double rate) override;
    void setSamiFileName(const std::wstring& name) override { state_->samiFileName = name; }
    void setUiMode(const std::wstring& mode) override { state_->uiMode = mode; }
    void attachWindow(HWND window) override { state_->window = window; }
    void layout(const RECT&) override {}
    void setStretchToFit(bool stretch) override { state_->stretchToFit = stretch; }
    bool paint(HDC, const RECT&) override { return false; }
    bool offers(REFIID iid) const override;
    HRESULT currentMediaResult() override { return state_->currentMediaResult; }
    void noteConnections(long advised, long unadvised) override;

private:
    bool isOpen() const { return state_->openState == kOpenStateMediaOpen; }

    std::shared_ptr<ScriptedState> state_;
};

}  // namespace zav::player
