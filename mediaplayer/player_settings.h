#pragma once
// The player's settings object (IWMPSettings): volume 0 to 100, playback rate and
// autoStart, which is always on. Everything else is not supported.

#include "mediaplayer/com_object.h"
#include "mediaplayer/player_core.h"
#include "win/wmp_interfaces.h"

#include <memory>

namespace zav::player {

class PlayerSettings final : public DispatchObject<PlayerSettings, IWMPSettings> {
public:
    explicit PlayerSettings(std::shared_ptr<PlayerCore> core) : core_(std::move(core)) {}
    bool offers(REFIID iid) const { return iid == wmp::kIidSettings; }

    HRESULT STDMETHODCALLTYPE get_isAvailable(BSTR item, VARIANT_BOOL* available) override;
    HRESULT STDMETHODCALLTYPE get_autoStart(VARIANT_BOOL* autoStart) override;
    HRESULT STDMETHODCALLTYPE put_autoStart(VARIANT_BOOL autoStart) override;
    HRESULT STDMETHODCALLTYPE get_baseURL(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_baseURL(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_defaultFrame(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_defaultFrame(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_invokeURLs(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_invokeURLs(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_mute(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_mute(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_playCount(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_playCount(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_rate(double* rate) override;
    HRESULT STDMETHODCALLTYPE put_rate(double rate) override;
    HRESULT STDMETHODCALLTYPE get_balance(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_balance(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_volume(LONG* volume) override;
    HRESULT STDMETHODCALLTYPE put_volume(LONG volume) override;
    HRESULT STDMETHODCALLTYPE getMode(BSTR, VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE setMode(BSTR, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_enableErrorDialogs(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_enableErrorDialogs(VARIANT_BOOL) override { return E_NOTIMPL; }

private:
    std::shared_ptr<PlayerCore> core_;
};

}  // namespace zav::player
