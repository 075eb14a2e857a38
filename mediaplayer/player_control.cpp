#include "mediaplayer/player_control.h"

#include "mediaplayer/player_closed_caption.h"
#include "mediaplayer/player_controls.h"
#include "mediaplayer/player_media.h"
#include "mediaplayer/player_settings.h"

#include <wmpids.h>

namespace zav::player {

PlayerControl::PlayerControl(std::unique_ptr<PlaybackEngine> engine)
    : core_(std::make_shared<PlayerCore>(std::move(engine))),
      window_(core_),
      eventsPoint_(*this, wmp::kIidEvents),
      ocxEventsPoint_(*this, wmp::kIidOcxEvents) {
    core_->setObserver(this);
    auto report = [this] {
        core_->noteConnections(eventsPoint_.advised() + ocxEventsPoint_.advised(),
                               eventsPoint_.unadvised() + ocxEventsPoint_.unadvised());
    };
    eventsPoint_.setChangeHandler(report);
    ocxEventsPoint_.setChangeHandler(report);
}

PlayerControl::~PlayerControl() {
    core_->setObserver(nullptr);
    window_.destroy();
    core_->close();
}

HRESULT PlayerControl::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!core_->offers(iid)) return E_NOINTERFACE;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IWMPCore) || iid == __uuidof(IWMPCore2) ||
        iid == __uuidof(IWMPCore3) || iid == wmp::kIidPlayer4) {
        *out = static_cast<IWMPPlayer4*>(this);
    } else if (iid == IID_IOleObject) {
        *out = static_cast<IOleObject*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject || iid == IID_IOleInPlaceObjectWindowless) {
        *out = static_cast<IOleInPlaceObjectWindowless*>(this);
    } else if (iid == IID_IOleControl) {
        *out = static_cast<IOleControl*>(this);
    } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit) {
        *out = static_cast<IPersistStreamInit*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG PlayerControl::AddRef() {
    return static_cast<ULONG>(++references_);
}

ULONG PlayerControl::Release() {
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT PlayerControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT PlayerControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayerControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT PlayerControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT PlayerControl::close() {
    core_->close();
    window_.invalidate();
    return S_OK;
}

HRESULT PlayerControl::get_URL(BSTR* url) {
    return copyToBstr(core_->url().c_str(), url);
}

HRESULT PlayerControl::put_URL(BSTR url) {
    const HRESULT hr = core_->setUrl(fromBstr(url));
    window_.invalidate();
    return hr;
}

HRESULT PlayerControl::get_openState(WMPOpenState* state) {
    if (!state) return E_POINTER;
    *state = static_cast<WMPOpenState>(core_->openState());
    return S_OK;
}

HRESULT PlayerControl::get_playState(WMPPlayState* state) {
    if (!state) return E_POINTER;
    *state = static_cast<WMPPlayState>(core_->playState());
    return S_OK;
}

HRESULT PlayerControl::get_controls(IWMPControls** controls) {
    if (!controls) return E_POINTER;
    *controls = new PlayerControls(core_);
    return S_OK;
}

HRESULT PlayerControl::get_settings(IWMPSettings** settings) {
    if (!settings) return E_POINTER;
    *settings = new PlayerSettings(core_);
    return S_OK;
}

HRESULT PlayerControl::get_currentMedia(IWMPMedia** media) {
    if (!media) return E_POINTER;
    *media = nullptr;
    const HRESULT hr = core_->currentMediaResult();
    if (FAILED(hr)) return hr;
    // With nothing open the item is empty (duration 0) rather than missing, so that a
    // host never receives success with a null pointer.
    *media = new PlayerMedia(core_);
    return S_OK;
}

HRESULT PlayerControl::get_versionInfo(BSTR* version) {
    return copyToBstr(L"1.0.0.0", version);
}

HRESULT PlayerControl::get_closedCaption(IWMPClosedCaption** closedCaption) {
    if (!closedCaption) return E_POINTER;
    *closedCaption = nullptr;
    if (!core_->offers(wmp::kIidClosedCaption)) return E_NOINTERFACE;
    *closedCaption = new PlayerClosedCaption(core_);
    return S_OK;
}

HRESULT PlayerControl::put_uiMode(BSTR mode) {
    core_->setUiMode(fromBstr(mode));
    return S_OK;
}

HRESULT PlayerControl::get_uiMode(BSTR* mode) {
    return copyToBstr(core_->uiMode().c_str(), mode);
}

HRESULT PlayerControl::get_stretchToFit(VARIANT_BOOL* stretch) {
    if (!stretch) return E_POINTER;
    *stretch = core_->stretchToFit() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT PlayerControl::put_stretchToFit(VARIANT_BOOL stretch) {
    core_->setStretchToFit(stretch != VARIANT_FALSE);
    if (const HWND window = window_.handle()) {
        RECT client{};
        GetClientRect(window, &client);
        core_->layout(client);
    }
    window_.invalidate();
    return S_OK;
}

void PlayerControl::onStateChanged(long openState, long playState) {
    window_.setOpenState(openState);
    if (openState != lastOpenState_) window_.invalidate();
    fireStateEvents(openState, playState);
}

// Open and play state changes go to both kinds of sink; the other notifications of
// the event interfaces are never sent.
void PlayerControl::fireStateEvents(long openState, long playState) {
    const bool openChanged = openState != lastOpenState_;
    const bool playChanged = playState != lastPlayState_;
    lastOpenState_ = openState;
    lastPlayState_ = playState;
    // Held across the calls: a sink may release the host's last reference.
    ComPtr<IWMPPlayer4> self = ComPtr<IWMPPlayer4>::retain(this);
    for (const ComPtr<IUnknown>& sink : eventsPoint_.sinks()) {
        auto* events = static_cast<IWMPEvents*>(sink.get());
        if (openChanged) events->OpenStateChange(openState);
        if (playChanged) events->PlayStateChange(playState);
    }
    for (const ComPtr<IUnknown>& sink : ocxEventsPoint_.sinks()) {
        auto* dispatch = static_cast<IDispatch*>(sink.get());
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_I4;
        DISPPARAMS parameters{&argument, nullptr, 1, 0};
        if (openChanged) {
            argument.lVal = openState;
            dispatch->Invoke(DISPID_WMPCOREEVENT_OPENSTATECHANGE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                             &parameters, nullptr, nullptr, nullptr);
        }
        if (playChanged) {
            argument.lVal = playState;
            dispatch->Invoke(DISPID_WMPCOREEVENT_PLAYSTATECHANGE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                             &parameters, nullptr, nullptr, nullptr);
        }
    }
}

}  // namespace zav::player
