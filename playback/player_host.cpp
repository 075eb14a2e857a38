#include "playback/player_host.h"

#include "playback/player_event_sink.h"
#include "win/error_report.h"
#include "win/handles.h"

namespace zav {
namespace {

// The host interface of atl.dll's "AtlAxWin" window, declared here because MinGW has
// no ATL headers.
struct IAxWinHostWindow : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateControl(LPCOLESTR tricsData, HWND window, IStream* stream) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateControlEx(LPCOLESTR tricsData, HWND window, IStream* stream,
                                                      IUnknown** control, REFIID iidAdvise, IUnknown* advise) = 0;
    virtual HRESULT STDMETHODCALLTYPE AttachControl(IUnknown* control, HWND window) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryControl(REFIID iid, void** object) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetExternalDispatch(IDispatch* dispatch) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetExternalUIHandler(IUnknown* handler) = 0;
};

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxCreateControlFn = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);
using AtlAxGetHostFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// atl.dll stays loaded for the whole run: the host window class lives in it.
struct AtlFunctions {
    HMODULE module = nullptr;
    AtlAxWinInitFn winInit = nullptr;
    AtlAxCreateControlFn createControl = nullptr;
    AtlAxGetControlFn getControl = nullptr;
    AtlAxGetHostFn getHost = nullptr;
};

const AtlFunctions& atl() noexcept {
    static const AtlFunctions functions = [] {
        AtlFunctions f;
        f.module = LoadLibraryW(L"atl.dll");
        if (f.module) {
            f.winInit = reinterpret_cast<AtlAxWinInitFn>(
                reinterpret_cast<void*>(GetProcAddress(f.module, "AtlAxWinInit")));
            f.createControl = reinterpret_cast<AtlAxCreateControlFn>(
                reinterpret_cast<void*>(GetProcAddress(f.module, "AtlAxCreateControl")));
            f.getControl = reinterpret_cast<AtlAxGetControlFn>(
                reinterpret_cast<void*>(GetProcAddress(f.module, "AtlAxGetControl")));
            f.getHost = reinterpret_cast<AtlAxGetHostFn>(
                reinterpret_cast<void*>(GetProcAddress(f.module, "AtlAxGetHost")));
        }
        return f;
    }();
    return functions;
}

const HRESULT kNoAtl = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

ComPtr<IAxWinHostWindow> hostInterface(HWND host) noexcept {
    ComPtr<IAxWinHostWindow> result;
    if (!atl().getHost) return result;
    ComPtr<IUnknown> unknown;
    if (FAILED(atl().getHost(host, unknown.put())) || !unknown) return result;
    unknown.as(wmp::kIidAxWinHostWindow, result);
    return result;
}

// Steps 2 and 3: the control in the host, asked for IWMPPlayer4.
HRESULT createAndQueryPlayer(HWND host, ComPtr<IWMPPlayer4>& player) noexcept {
    ComPtr<IAxWinHostWindow> hostWindow = hostInterface(host);
    if (hostWindow) {
        HRESULT hr = hostWindow->CreateControl(wmp::kClsidPlayerText, host, nullptr);
        if (FAILED(hr)) return hr;
        return hostWindow->QueryControl(wmp::kIidPlayer4, player.putVoid());
    }
    // Hosts without IAxWinHostWindow (Wine's): the same class id through atl.dll's
    // free functions.
    if (!atl().createControl || !atl().getControl) return kNoAtl;
    ComPtr<IUnknown> container;
    HRESULT hr = atl().createControl(wmp::kClsidPlayerText, host, nullptr, container.put());
    if (FAILED(hr)) return hr;
    ComPtr<IUnknown> control;
    hr = atl().getControl(host, control.put());
    if (FAILED(hr)) return hr;
    if (!control) return E_NOINTERFACE;
    return control.as(wmp::kIidPlayer4, player);
}

// Step 4: a sink advised on IWMPEvents, or on _WMPOCXEvents where that is all there is.
HRESULT adviseSink(IWMPPlayer4* player, PlayerReferences& refs) noexcept {
    ComPtr<PlayerEventSink> sink;
    *sink.put() = PlayerEventSink::create();
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = player->QueryInterface(IID_IConnectionPointContainer, container.putVoid());
    if (FAILED(hr)) return hr;
    hr = container->FindConnectionPoint(wmp::kIidEvents, refs.eventPoint.put());
    if (FAILED(hr) || !refs.eventPoint) hr = container->FindConnectionPoint(wmp::kIidOcxEvents, refs.eventPoint.put());
    if (FAILED(hr)) return hr;
    if (!refs.eventPoint) return E_NOINTERFACE;
    return refs.eventPoint->Advise(static_cast<IWMPEvents*>(sink.get()), &refs.eventCookie);
}

}  // namespace

void PlayerReferences::release() noexcept {
    if (eventPoint) {
        if (eventCookie != 0) eventPoint->Unadvise(eventCookie);
        eventPoint.reset();
    }
    eventCookie = 0;
    if (player) {
        player->close();
        player.reset();
    }
    controls.reset();
    positionControls.reset();
}

bool ensureAxHostClass() noexcept {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(nullptr, L"AtlAxWin", &wc)) return true;
    return atl().winInit && atl().winInit();
}

HWND createPlayerHostWindow(HINSTANCE instance, HWND parent) noexcept {
    return CreateWindowExW(0, L"AtlAxWin", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 5, 0, 300 - 5,
                           230 - 0, parent, nullptr, instance, nullptr);
}

HRESULT createPlayerControl(HWND host, PlayerReferences& refs) noexcept {
    HRESULT hr = createAndQueryPlayer(host, refs.player);
    if (SUCCEEDED(hr) && !refs.player) hr = E_NOINTERFACE;
    if (FAILED(hr)) {
        ReportErrorCode(hr);
        return hr;
    }
    hr = adviseSink(refs.player.get(), refs);
    if (FAILED(hr)) {
        refs.eventCookie = 0;
        ReportErrorCode(hr);
        return hr;
    }

    // Steps 5 and 6 cannot fail the start-up; a missing interface stays null and is
    // never called.
    if (SUCCEEDED(refs.player->get_controls(refs.controls.put())) && refs.controls) {
        ComPtr<IWMPControls3> controls3;
        if (SUCCEEDED(refs.controls.as(wmp::kIidControls3, controls3)) && controls3) {
            refs.positionControls = ComPtr<IWMPControls>::retain(controls3.get());
        } else {
            refs.positionControls = refs.controls;
        }
    }
    refs.player->put_uiMode(makeBstr(L"none").get());
    refs.player->put_stretchToFit(VARIANT_TRUE);
    return S_OK;
}

ComPtr<IUnknown> hostedControl(HWND host) noexcept {
    ComPtr<IUnknown> control;
    if (atl().getControl) atl().getControl(host, control.put());
    return control;
}

}  // namespace zav
