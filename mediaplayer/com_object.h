#pragma once
// Reference counting shared by the control's COM objects, and the count of live
// objects and server locks that DllCanUnloadNow reports.

#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <string>

namespace zav::player {

// Live objects plus IClassFactory::LockServer locks of this module.
inline std::atomic<long> gModuleReferences{0};

class ModuleReference {
public:
    ModuleReference() noexcept { ++gModuleReferences; }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
    ~ModuleReference() { --gModuleReferences; }
};

// A heap object with one automation interface I. Derived answers further interface
// ids through offers(); IDispatch is answered with no type information, because the
// host calls the vtable directly.
template <class Derived, class I>
class DispatchObject : public I {
public:
    DispatchObject() = default;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || static_cast<Derived*>(this)->offers(iid)) {
            *out = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0) delete static_cast<Derived*>(this);
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    virtual ~DispatchObject() = default;

private:
    std::atomic<long> references_{1};
    ModuleReference module_;
};

// Writes a new BSTR copy of text into out; E_POINTER for a null out.
inline HRESULT copyToBstr(const wchar_t* text, BSTR* out) noexcept {
    if (!out) return E_POINTER;
    *out = SysAllocString(text ? text : L"");
    return *out ? S_OK : E_OUTOFMEMORY;
}

inline std::wstring fromBstr(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace zav::player
