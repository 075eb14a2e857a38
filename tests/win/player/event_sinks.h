#pragma once
// Event sinks for the player's connection points: one on the vtable interface
// IWMPEvents and one on the dispatch interface _WMPOCXEvents. Each records the open
// and play states it was told about.

#include <windows.h>
#include <ole2.h>

#include "win/ignored_wmp_events.h"

#include <vector>

namespace zav::test {

class EventsSink final : public IgnoredWmpEvents {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != wmp::kIidEvents) return E_NOINTERFACE;
        *out = static_cast<IWMPEvents*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

    void STDMETHODCALLTYPE OpenStateChange(LONG state) override { openStates.push_back(state); }
    void STDMETHODCALLTYPE PlayStateChange(LONG state) override { playStates.push_back(state); }

    long references = 1;  // owned by the test, never deleted through Release
    std::vector<long> openStates;
    std::vector<long> playStates;
};

class OcxEventsSink final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != wmp::kIidOcxEvents) return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        const long value = parameters && parameters->cArgs == 1 && parameters->rgvarg[0].vt == VT_I4
                               ? parameters->rgvarg[0].lVal
                               : -1;
        if (id == 5001) openStates.push_back(value);
        if (id == 5101) playStates.push_back(value);
        return S_OK;
    }

    long references = 1;
    std::vector<long> openStates;
    std::vector<long> playStates;
};

}  // namespace zav::test
