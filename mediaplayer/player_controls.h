#pragma once
// The player's transport object: IWMPControls with its extensions IWMPControls2 and
// IWMPControls3. Play, pause, stop and the position act on the shared core; the
// playlist, marker and audio-language calls are not supported.

#include "mediaplayer/com_object.h"
#include "mediaplayer/player_core.h"
#include "win/wmp_interfaces.h"

#include <memory>

namespace zav::player {

class PlayerControls final : public DispatchObject<PlayerControls, IWMPControls3> {
public:
    explicit PlayerControls(std::shared_ptr<PlayerCore> core) : core_(std::move(core)) {}
    bool offers(REFIID iid) const;

    // IWMPControls
    HRESULT STDMETHODCALLTYPE get_isAvailable(BSTR item, VARIANT_BOOL* available) override;
    HRESULT STDMETHODCALLTYPE play() override;
    HRESULT STDMETHODCALLTYPE stop() override;
    HRESULT STDMETHODCALLTYPE pause() override;
    HRESULT STDMETHODCALLTYPE fastForward() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE fastReverse() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_currentPosition(double* seconds) override;
    HRESULT STDMETHODCALLTYPE put_currentPosition(double seconds) override;
    HRESULT STDMETHODCALLTYPE get_currentPositionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE next() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE previous() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE currentItem(IWMPMedia**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_currentItem(IWMPMedia*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_currentMarker(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_currentMarker(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE playItem(IWMPMedia*) override { return E_NOTIMPL; }
    // IWMPControls2
    HRESULT STDMETHODCALLTYPE step(LONG) override { return E_NOTIMPL; }
    // IWMPControls3
    HRESULT STDMETHODCALLTYPE get_audioLanguageCount(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getAudioLanguageID(long, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getAudioLanguageDescription(long, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_currentAudioLanguage(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_currentAudioLanguage(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_currentAudioLanguageIndex(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_currentAudioLanguageIndex(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getLanguageName(long, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_currentPositionTimecode(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_currentPositionTimecode(BSTR) override { return E_NOTIMPL; }

private:
    std::shared_ptr<PlayerCore> core_;
};

}  // namespace zav::player
