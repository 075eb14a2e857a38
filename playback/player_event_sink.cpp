#include "playback/player_event_sink.h"

namespace zav {

PlayerEventSink* PlayerEventSink::create() { return new PlayerEventSink(); }

HRESULT PlayerEventSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, wmp::kIidEvents)) {
        *out = static_cast<IWMPEvents*>(this);
        AddRef();
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, wmp::kIidOcxEvents)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PlayerEventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG PlayerEventSink::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT PlayerEventSink::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return E_NOTIMPL;
}
HRESULT PlayerEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT PlayerEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT PlayerEventSink::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace zav
