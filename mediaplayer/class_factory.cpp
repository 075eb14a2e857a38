#include "mediaplayer/class_factory.h"

#include "mediaplayer/player_control.h"

#include <new>

namespace zav::player {

HRESULT PlayerClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG PlayerClassFactory::Release() {
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT PlayerClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        std::unique_ptr<PlaybackEngine> engine = maker_();
        if (!engine) return E_OUTOFMEMORY;
        auto* control = new PlayerControl(std::move(engine));
        const HRESULT hr = control->QueryInterface(iid, out);
        control->Release();
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT PlayerClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ++gModuleReferences;
    } else {
        --gModuleReferences;
    }
    return S_OK;
}

}  // namespace zav::player
