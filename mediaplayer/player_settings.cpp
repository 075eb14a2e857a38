#include "mediaplayer/player_settings.h"

#include <cmath>
#include <cwchar>

namespace zav::player {

HRESULT PlayerSettings::get_isAvailable(BSTR item, VARIANT_BOOL* available) {
    if (!available) return E_POINTER;
    const bool known = item && (_wcsicmp(item, L"volume") == 0 || _wcsicmp(item, L"rate") == 0);
    *available = known ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT PlayerSettings::get_autoStart(VARIANT_BOOL* autoStart) {
    if (!autoStart) return E_POINTER;
    *autoStart = VARIANT_TRUE;
    return S_OK;
}

// Playback always starts by itself; turning that off is not supported.
HRESULT PlayerSettings::put_autoStart(VARIANT_BOOL autoStart) {
    return autoStart ? S_OK : E_NOTIMPL;
}

HRESULT PlayerSettings::get_rate(double* rate) {
    if (!rate) return E_POINTER;
    *rate = core_->rate();
    return S_OK;
}

HRESULT PlayerSettings::put_rate(double rate) {
    if (!std::isfinite(rate) || rate <= 0.0) return E_INVALIDARG;
    core_->setRate(rate);
    return S_OK;
}

HRESULT PlayerSettings::get_volume(LONG* volume) {
    if (!volume) return E_POINTER;
    *volume = core_->volume();
    return S_OK;
}

// Out-of-range volumes are held at 0 or 100.
HRESULT PlayerSettings::put_volume(LONG volume) {
    core_->setVolume(volume);
    return S_OK;
}

}  // namespace zav::player
