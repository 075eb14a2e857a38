#pragma once
// The player's closed-caption object (IWMPClosedCaption): the SAMI file name, style,
// language and captioning element are kept as given.

#include "mediaplayer/com_object.h"
#include "mediaplayer/player_core.h"
#include "win/wmp_interfaces.h"

#include <memory>
#include <string>

namespace zav::player {

class PlayerClosedCaption final : public DispatchObject<PlayerClosedCaption, IWMPClosedCaption> {
public:
    explicit PlayerClosedCaption(std::shared_ptr<PlayerCore> core) : core_(std::move(core)) {}
    bool offers(REFIID iid) const { return iid == wmp::kIidClosedCaption; }

    HRESULT STDMETHODCALLTYPE get_SAMIStyle(BSTR* style) override { return copyToBstr(style_.c_str(), style); }
    HRESULT STDMETHODCALLTYPE put_SAMIStyle(BSTR style) override;
    HRESULT STDMETHODCALLTYPE get_SAMILang(BSTR* lang) override { return copyToBstr(lang_.c_str(), lang); }
    HRESULT STDMETHODCALLTYPE put_SAMILang(BSTR lang) override;
    HRESULT STDMETHODCALLTYPE get_SAMIFileName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE put_SAMIFileName(BSTR name) override;
    HRESULT STDMETHODCALLTYPE get_captioningId(BSTR* id) override { return copyToBstr(captioningId_.c_str(), id); }
    HRESULT STDMETHODCALLTYPE put_captioningId(BSTR id) override;

private:
    std::shared_ptr<PlayerCore> core_;
    std::wstring style_;
    std::wstring lang_;
    std::wstring captioningId_;
};

}  // namespace zav::player
