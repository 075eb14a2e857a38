#pragma once
// The media item the player has open (IWMPMedia). Its duration follows the core for
// as long as that opening lasts, and keeps the last known value afterwards.

#include "mediaplayer/com_object.h"
#include "mediaplayer/player_core.h"
#include "win/wmp_interfaces.h"

#include <memory>
#include <string>

namespace zav::player {

class PlayerMedia final : public DispatchObject<PlayerMedia, IWMPMedia> {
public:
    explicit PlayerMedia(std::shared_ptr<PlayerCore> core);
    bool offers(REFIID iid) const { return iid == wmp::kIidMedia; }

    HRESULT STDMETHODCALLTYPE get_isIdentical(IWMPMedia* other, VARIANT_BOOL* identical) override;
    HRESULT STDMETHODCALLTYPE get_sourceURL(BSTR* url) override;
    HRESULT STDMETHODCALLTYPE get_name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE put_name(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_imageSourceWidth(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_imageSourceHeight(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_markerCount(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getMarkerTime(LONG, double*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getMarkerName(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_duration(double* seconds) override;
    HRESULT STDMETHODCALLTYPE get_durationString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_attributeCount(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getAttributeName(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getItemInfo(BSTR, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE setItemInfo(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getItemInfoByAtom(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE isMemberOf(IWMPPlaylist*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE isReadOnlyItem(BSTR, VARIANT_BOOL*) override { return E_NOTIMPL; }

private:
    std::shared_ptr<PlayerCore> core_;
    unsigned long generation_;
    std::wstring url_;
    double duration_ = 0.0;
};

}  // namespace zav::player
