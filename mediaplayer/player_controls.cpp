#include "mediaplayer/player_controls.h"

#include <cwchar>

namespace zav::player {

bool PlayerControls::offers(REFIID iid) const {
    if (iid == wmp::kIidControls || iid == wmp::kIidControls2) return true;
    return iid == wmp::kIidControls3 && core_->offers(iid);
}

HRESULT PlayerControls::get_isAvailable(BSTR item, VARIANT_BOOL* available) {
    if (!available) return E_POINTER;
    static const wchar_t* const kAvailable[] = {L"play", L"pause", L"stop", L"currentPosition"};
    *available = VARIANT_FALSE;
    for (const wchar_t* name : kAvailable) {
        if (item && _wcsicmp(item, name) == 0) *available = VARIANT_TRUE;
    }
    return S_OK;
}

HRESULT PlayerControls::play() {
    return core_->play();
}

HRESULT PlayerControls::stop() {
    return core_->stop();
}

HRESULT PlayerControls::pause() {
    return core_->pause();
}

HRESULT PlayerControls::get_currentPosition(double* seconds) {
    return core_->position(seconds);
}

HRESULT PlayerControls::put_currentPosition(double seconds) {
    return core_->setPosition(seconds);
}

}  // namespace zav::player
