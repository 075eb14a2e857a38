#include "mediaplayer/player_closed_caption.h"

namespace zav::player {

HRESULT PlayerClosedCaption::put_SAMIStyle(BSTR style) {
    style_ = fromBstr(style);
    return S_OK;
}

HRESULT PlayerClosedCaption::put_SAMILang(BSTR lang) {
    lang_ = fromBstr(lang);
    return S_OK;
}

HRESULT PlayerClosedCaption::get_SAMIFileName(BSTR* name) {
    return copyToBstr(core_->samiFileName().c_str(), name);
}

HRESULT PlayerClosedCaption::put_SAMIFileName(BSTR name) {
    core_->setSamiFileName(fromBstr(name));
    return S_OK;
}

HRESULT PlayerClosedCaption::put_captioningId(BSTR id) {
    captioningId_ = fromBstr(id);
    return S_OK;
}

}  // namespace zav::player
