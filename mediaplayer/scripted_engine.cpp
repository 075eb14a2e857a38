#include "mediaplayer/scripted_engine.h"

#include "win/wmp_interfaces.h"

#include <ocidl.h>
#include <ole2.h>

namespace zav::player {

ScriptedEngine::ScriptedEngine(std::shared_ptr<ScriptedState> state) : state_(std::move(state)) {
    state_->engineAlive = true;
}

ScriptedEngine::~ScriptedEngine() {
    state_->engineAlive = false;
    state_->window = nullptr;
}

HRESULT ScriptedEngine::open(const std::wstring& url) {
    state_->url = url;
    state_->urls.push_back(url);
    if (url.empty()) {
        close();
        return S_OK;
    }
    state_->position = 0.0;
    if (FAILED(state_->openResult)) {
        state_->openState = kOpenStateUndefined;
        state_->playState = kPlayStateUndefined;
        return state_->openResult;
    }
    state_->openState = state_->openStateAfterOpen;
    state_->playState = kPlayStatePlaying;
    if (state_->durationAfterOpen >= 0.0) state_->duration = state_->durationAfterOpen;
    return state_->openResult;
}

void ScriptedEngine::close() {
    ++state_->closeCalls;
    state_->openState = kOpenStateUndefined;
    state_->playState = kPlayStateUndefined;
    state_->position = 0.0;
}

HRESULT ScriptedEngine::position(double* seconds) {
    if (FAILED(state_->positionResult)) return state_->positionResult;
    *seconds = state_->position;
    return state_->positionResult;
}

HRESULT ScriptedEngine::setPosition(double seconds) {
    state_->positionRequests.push_back(seconds);
    state_->position = clampPosition(seconds, state_->duration);
    return S_OK;
}

HRESULT ScriptedEngine::play() {
    ++state_->playCalls;
    if (isOpen()) state_->playState = kPlayStatePlaying;
    return S_OK;
}

HRESULT ScriptedEngine::pause() {
    ++state_->pauseCalls;
    if (isOpen() && state_->playState == kPlayStatePlaying) state_->playState = kPlayStatePaused;
    return S_OK;
}

HRESULT ScriptedEngine::stop() {
    ++state_->stopCalls;
    if (isOpen()) {
        state_->playState = kPlayStateStopped;
        state_->position = 0.0;
    }
    return S_OK;
}

void ScriptedEngine::setVolume(long volume) {
    ++state_->volumeCalls;
    state_->volume = volume;
}

void ScriptedEngine::setRate(double rate) {
    ++state_->rateCalls;
    state_->rate = rate;
}

bool ScriptedEngine::offers(REFIID iid) const {
    const unsigned missing = state_->missing;
    if (iid == wmp::kIidControls3) return !(missing & kMissingControls3);
    if (iid == wmp::kIidEvents) return !(missing & kMissingEventsPoint);
    if (iid == wmp::kIidOcxEvents) return !(missing & kMissingOcxEventsPoint);
    if (iid == IID_IConnectionPointContainer) return !(missing & kMissingPointContainer);
    if (iid == wmp::kIidClosedCaption) return !(missing & kMissingClosedCaption);
    if (iid == IID_IOleInPlaceObjectWindowless) return !(missing & kMissingWindowless);
    if (iid == wmp::kIidPlayer4 || iid == __uuidof(IWMPCore) || iid == __uuidof(IWMPCore2) ||
        iid == __uuidof(IWMPCore3))
        return !(missing & kMissingPlayer4);
    return true;
}

void ScriptedEngine::noteConnections(long advised, long unadvised) {
    state_->advised = advised;
    state_->unadvised = unadvised;
}

}  // namespace zav::player
