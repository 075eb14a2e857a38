// Entry points of zavplayer.dll, the in-process server of the player's class id.
// Registration writes HKCR\CLSID\{player}\InprocServer32 with this DLL's path; it
// replaces whatever player was registered there.

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "mediaplayer/class_factory.h"
#include "mediaplayer/media_file_engine.h"
#include "mediaplayer/video_window.h"
#include "win/wmp_interfaces.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

HINSTANCE gModule = nullptr;

constexpr wchar_t kServerName[] = L"ZAV Caption media player";

std::wstring classKeyName() {
    return std::wstring(L"CLSID\\") + zav::wmp::kClsidPlayerText;
}

std::wstring modulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(gModule, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

LSTATUS setString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Whether the class id's in-process server is this DLL.
bool registeredToUs() {
    const std::wstring keyName = classKeyName() + L"\\InprocServer32";
    wchar_t value[4096] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, keyName.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return false;
    return _wcsicmp(value, modulePath().c_str()) == 0;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        gModule = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on: the class's window procedure goes too.
        zav::player::VideoWindow::unregisterClass();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != zav::wmp::kClsidPlayer) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) zav::player::PlayerClassFactory(
        [] { return std::unique_ptr<zav::player::PlaybackEngine>(new zav::player::MediaFileEngine()); });
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

STDAPI DllCanUnloadNow() {
    return zav::player::gModuleReferences.load() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    const std::wstring path = modulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    const std::wstring keyName = classKeyName();
    // A clean key: nothing of a previously registered player stays behind.
    RegDeleteTreeW(HKEY_CLASSES_ROOT, keyName.c_str());
    HKEY classKey = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &classKey, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    LSTATUS status = setString(classKey, nullptr, kServerName);
    HKEY serverKey = nullptr;
    if (status == ERROR_SUCCESS)
        status = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &serverKey, nullptr);
    if (status == ERROR_SUCCESS) status = setString(serverKey, nullptr, path);
    if (status == ERROR_SUCCESS) status = setString(serverKey, L"ThreadingModel", L"Apartment");
    if (serverKey) RegCloseKey(serverKey);
    RegCloseKey(classKey);
    return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

// Removes the class id only while it names this DLL, so that unregistering never
// takes away another player's registration.
STDAPI DllUnregisterServer() {
    if (!registeredToUs()) return S_OK;
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, classKeyName().c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
