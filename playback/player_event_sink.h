#pragma once
// Receives the player's events and ignores every one of them: the program follows the
// player by polling in its message loop, and the sink exists so that the control has a
// listener advised on its connection point. It serves both event interfaces: the
// vtable interface IWMPEvents and the dispatch interface _WMPOCXEvents.

#include "win/ignored_wmp_events.h"

namespace zav {

class PlayerEventSink final : public IgnoredWmpEvents, public IDispatch {
public:
    // Returns a new sink with one reference owned by the caller.
    static PlayerEventSink* create();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch (_WMPOCXEvents)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    PlayerEventSink() = default;
    ~PlayerEventSink() = default;
    LONG refs_ = 1;
};

}  // namespace zav
