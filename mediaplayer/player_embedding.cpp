// The player object's embedding interfaces: what a control container (an AtlAxWin
// host) calls to site, activate, size and shut down the control.

#include "mediaplayer/player_control.h"

namespace zav::player {

namespace {

// The object's only drawing, its content, and the result for any other (the values
// of the OLE view constants).
constexpr DWORD kContentView = 1;
constexpr HRESULT kUnknownView = static_cast<HRESULT>(0x8004006BL);

}  // namespace

HRESULT PlayerControl::SetClientSite(IOleClientSite* site) {
    clientSite_ = ComPtr<IOleClientSite>::retain(site);
    return S_OK;
}

HRESULT PlayerControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = ComPtr<IOleClientSite>(clientSite_).detach();
    return S_OK;
}

// Closing ends the in-place session and closes the media, so that no graph keeps
// playing for a control whose host has gone.
HRESULT PlayerControl::Close(DWORD) {
    deactivateInPlace();
    core_->close();
    return S_OK;
}

HRESULT PlayerControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayerControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayerControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return activateInPlace(site ? site : clientSite_.get(), parent, rect);
    case OLEIVERB_HIDE:
        window_.show(false);
        return S_OK;
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT PlayerControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs) *verbs = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayerControl::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

HRESULT PlayerControl::GetUserType(DWORD, LPOLESTR* type) {
    if (type) *type = nullptr;
    return OLE_S_USEREG;
}

HRESULT PlayerControl::SetExtent(DWORD view, SIZEL* size) {
    if (!size) return E_POINTER;
    if (view != kContentView) return kUnknownView;
    extent_ = *size;
    return S_OK;
}

HRESULT PlayerControl::GetExtent(DWORD view, SIZEL* size) {
    if (!size) return E_POINTER;
    if (view != kContentView) return kUnknownView;
    *size = extent_;
    return S_OK;
}

HRESULT PlayerControl::Advise(IAdviseSink*, DWORD* connection) {
    if (connection) *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT PlayerControl::EnumAdvise(IEnumSTATDATA** advises) {
    if (advises) *advises = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT PlayerControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
              OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
}

HRESULT PlayerControl::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_.handle();
    return *window ? S_OK : E_FAIL;
}

HRESULT PlayerControl::InPlaceDeactivate() {
    deactivateInPlace();
    return S_OK;
}

HRESULT PlayerControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    window_.move(*position);
    return S_OK;
}

// The control has no messages of its own to handle for its host (it shows no menu of
// its own), so every message is left to the host's default processing.
HRESULT PlayerControl::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
    if (result) *result = 0;
    return S_FALSE;
}

HRESULT PlayerControl::GetDropTarget(IDropTarget** target) {
    if (target) *target = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayerControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = wmp::kClsidPlayer;
    return S_OK;
}

HRESULT PlayerControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT PlayerControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayerControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    ConnectionPoint* found = nullptr;
    if (iid == eventsPoint_.iid()) found = &eventsPoint_;
    if (iid == ocxEventsPoint_.iid()) found = &ocxEventsPoint_;
    if (!found || !core_->offers(iid)) return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *point = found;
    return S_OK;
}

// Creates the child window inside the site's window. The site decides the parent and,
// unless the caller gives one, the rectangle; without an in-place site the caller's
// parent window is used.
HRESULT PlayerControl::activateInPlace(IOleClientSite* site, HWND parent, LPCRECT rect) {
    if (window_.handle()) {
        if (rect) window_.move(*rect);
        window_.show(true);
        return S_OK;
    }
    ComPtr<IOleInPlaceSite> inPlaceSite;
    RECT position{};
    bool havePosition = false;
    if (site && SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, inPlaceSite.putVoid())) && inPlaceSite) {
        if (inPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
        inPlaceSite->OnInPlaceActivate();
        HWND siteWindow = nullptr;
        if (SUCCEEDED(inPlaceSite->GetWindow(&siteWindow)) && siteWindow) parent = siteWindow;
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        RECT clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof(frameInfo);
        havePosition = SUCCEEDED(inPlaceSite->GetWindowContext(frame.put(), document.put(), &position, &clip, &frameInfo));
    }
    if (rect) {
        position = *rect;
        havePosition = true;
    }
    if (!parent || !IsWindow(parent)) {
        if (inPlaceSite) inPlaceSite->OnInPlaceDeactivate();
        return OLE_E_INVALIDHWND;
    }
    if (!havePosition) GetClientRect(parent, &position);
    if (!window_.create(parent, position)) {
        const DWORD error = GetLastError();
        if (inPlaceSite) inPlaceSite->OnInPlaceDeactivate();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    window_.setOpenState(core_->openState());
    inPlaceSite_ = std::move(inPlaceSite);
    return S_OK;
}

void PlayerControl::deactivateInPlace() {
    window_.destroy();
    if (ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_)) site->OnInPlaceDeactivate();
}

}  // namespace zav::player
