#pragma once
// The player object that hosts create from the player's class id: the embedding
// interfaces a control container needs (IOleObject, IOleInPlaceObjectWindowless,
// IOleControl, IPersistStreamInit, IConnectionPointContainer) and the automation
// interface IWMPPlayer4. The automation calls are in player_control.cpp, the
// embedding ones in player_embedding.cpp; both work on the shared PlayerCore.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <ole2.h>

#include "win/com_ptr.h"
#include "mediaplayer/com_object.h"
#include "mediaplayer/connection_point.h"
#include "mediaplayer/player_core.h"
#include "mediaplayer/video_window.h"
#include "win/wmp_interfaces.h"

#include <atomic>
#include <memory>

namespace zav::player {

class PlayerControl final : public IWMPPlayer4,
                            public IOleObject,
                            public IOleInPlaceObjectWindowless,
                            public IOleControl,
                            public IPersistStreamInit,
                            public IConnectionPointContainer,
                            private PlayerObserver {
public:
    // Takes the engine; the new object has one reference.
    explicit PlayerControl(std::unique_ptr<PlaybackEngine> engine);
    PlayerControl(const PlayerControl&) = delete;
    PlayerControl& operator=(const PlayerControl&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; hosts call the vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IWMPCore
    HRESULT STDMETHODCALLTYPE close() override;
    HRESULT STDMETHODCALLTYPE get_URL(BSTR* url) override;
    HRESULT STDMETHODCALLTYPE put_URL(BSTR url) override;
    HRESULT STDMETHODCALLTYPE get_openState(WMPOpenState* state) override;
    HRESULT STDMETHODCALLTYPE get_playState(WMPPlayState* state) override;
    HRESULT STDMETHODCALLTYPE get_controls(IWMPControls** controls) override;
    HRESULT STDMETHODCALLTYPE get_settings(IWMPSettings** settings) override;
    HRESULT STDMETHODCALLTYPE get_currentMedia(IWMPMedia** media) override;
    HRESULT STDMETHODCALLTYPE put_currentMedia(IWMPMedia*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_mediaCollection(IWMPMediaCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_playlistCollection(IWMPPlaylistCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_versionInfo(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE launchURL(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_network(IWMPNetwork**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_currentPlaylist(IWMPPlaylist**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_currentPlaylist(IWMPPlaylist*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_cdromCollection(IWMPCdromCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_closedCaption(IWMPClosedCaption** closedCaption) override;
    HRESULT STDMETHODCALLTYPE get_isOnline(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Error(IWMPError**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_status(BSTR*) override { return E_NOTIMPL; }
    // IWMPCore2, IWMPCore3
    HRESULT STDMETHODCALLTYPE get_dvd(IWMPDVD**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE newPlaylist(BSTR, BSTR, IWMPPlaylist**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE newMedia(BSTR, IWMPMedia**) override { return E_NOTIMPL; }
    // IWMPPlayer4
    HRESULT STDMETHODCALLTYPE get_enabled(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_enabled(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_fullScreen(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_fullScreen(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_enableContextMenu(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_enableContextMenu(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_uiMode(BSTR mode) override;
    HRESULT STDMETHODCALLTYPE get_uiMode(BSTR* mode) override;
    HRESULT STDMETHODCALLTYPE get_stretchToFit(VARIANT_BOOL* stretch) override;
    HRESULT STDMETHODCALLTYPE put_stretchToFit(VARIANT_BOOL stretch) override;
    HRESULT STDMETHODCALLTYPE get_windowlessVideo(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_windowlessVideo(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_isRemote(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_playerApplication(IWMPPlayerApplication**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE openPlayer(BSTR) override { return E_NOTIMPL; }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override;
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD view, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD view, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return OLE_E_NOCONNECTION; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD view, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceObjectWindowless
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** target) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override { return S_OK; }

    // IPersist, IPersistStreamInit: nothing is persisted.
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override { return S_OK; }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    ~PlayerControl();
    void onStateChanged(long openState, long playState) override;
    void fireStateEvents(long openState, long playState);
    HRESULT activateInPlace(IOleClientSite* site, HWND parent, LPCRECT rect);
    void deactivateInPlace();

    std::atomic<long> references_{1};
    ModuleReference module_;
    std::shared_ptr<PlayerCore> core_;
    VideoWindow window_;
    ComPtr<IOleClientSite> clientSite_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ConnectionPoint eventsPoint_;
    ConnectionPoint ocxEventsPoint_;
    SIZEL extent_{};
    long lastOpenState_ = kOpenStateUndefined;
    long lastPlayState_ = kPlayStateUndefined;
};

}  // namespace zav::player
