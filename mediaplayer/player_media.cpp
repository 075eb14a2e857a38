#include "mediaplayer/player_media.h"

namespace zav::player {

PlayerMedia::PlayerMedia(std::shared_ptr<PlayerCore> core)
    : core_(std::move(core)), generation_(core_->mediaGeneration()), url_(core_->url()) {
    duration_ = core_->duration();
}

HRESULT PlayerMedia::get_isIdentical(IWMPMedia* other, VARIANT_BOOL* identical) {
    if (!identical) return E_POINTER;
    *identical = other == static_cast<IWMPMedia*>(this) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT PlayerMedia::get_sourceURL(BSTR* url) {
    return copyToBstr(url_.c_str(), url);
}

HRESULT PlayerMedia::get_name(BSTR* name) {
    const size_t slash = url_.find_last_of(L"\\/");
    std::wstring base = slash == std::wstring::npos ? url_ : url_.substr(slash + 1);
    const size_t dot = base.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) base.resize(dot);
    return copyToBstr(base.c_str(), name);
}

HRESULT PlayerMedia::get_duration(double* seconds) {
    if (!seconds) return E_POINTER;
    if (core_->mediaGeneration() == generation_) duration_ = core_->duration();
    *seconds = duration_;
    return S_OK;
}

}  // namespace zav::player
