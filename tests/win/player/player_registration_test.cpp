// zavplayer.dll as registered in the project's Wine prefix by regsvr32 (the test's
// fixture runs mediaplayer/register.sh): the class id names the DLL, COM creates the
// control from the registry, and unregistering and registering again both work.

#include <gtest/gtest.h>

#include "tests/win/player/ax_host.h"

#include <cwchar>

namespace zav::test {
namespace {

const std::wstring kClassKey = std::wstring(L"CLSID\\") + wmp::kClsidPlayerText;

std::wstring registryString(const std::wstring& key, const wchar_t* value) {
    wchar_t buffer[2048] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
    const std::wstring dll = environmentPath(L"ZAV_PLAYER_DLL");
};

TEST_F(RegistrationTest, ClassIdNamesTheDllAsItsApartmentServer) {
    EXPECT_PRED2(samePath, dll, registryString(kClassKey + L"\\InprocServer32", nullptr));
    EXPECT_EQ(L"Apartment", registryString(kClassKey + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(L"ZAV Caption media player", registryString(kClassKey, nullptr));
}

TEST_F(RegistrationTest, ComCreatesTheControlFromTheRegistry) {
    ComPtr<IWMPPlayer4> player;
    ASSERT_EQ(S_OK, CoCreateInstance(wmp::kClsidPlayer, nullptr, CLSCTX_INPROC_SERVER, wmp::kIidPlayer4,
                                     player.putVoid()));
    EXPECT_NE(nullptr, GetModuleHandleW(L"zavplayer.dll"));
    WMPOpenState state = wmposMediaOpen;
    EXPECT_EQ(S_OK, player->get_openState(&state));
    EXPECT_EQ(wmposUndefined, state);
}

TEST_F(RegistrationTest, UnregisterRemovesOnlyItsOwnKeyAndRegisterRestoresIt) {
    const HMODULE module = LoadLibraryW(dll.c_str());
    ASSERT_NE(nullptr, module);
    using ServerFn = HRESULT(STDAPICALLTYPE*)();
    auto unregisterServer =
        reinterpret_cast<ServerFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    auto registerServer =
        reinterpret_cast<ServerFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_TRUE(unregisterServer && registerServer);

    ASSERT_EQ(S_OK, unregisterServer());
    EXPECT_EQ(L"<missing>", registryString(kClassKey, nullptr));

    // Someone else's player registered under the class id is left alone.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, (kClassKey + L"\\InprocServer32").c_str(), 0, nullptr,
                                             0, KEY_WRITE, nullptr, &key, nullptr));
    const wchar_t other[] = L"wmp.dll";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof(other));
    RegCloseKey(key);
    EXPECT_EQ(S_OK, unregisterServer());
    EXPECT_EQ(L"wmp.dll", registryString(kClassKey + L"\\InprocServer32", nullptr));

    ASSERT_EQ(S_OK, registerServer());
    EXPECT_PRED2(samePath, dll, registryString(kClassKey + L"\\InprocServer32", nullptr));
    EXPECT_EQ(L"Apartment", registryString(kClassKey + L"\\InprocServer32", L"ThreadingModel"));
    FreeLibrary(module);
}

}  // namespace
}  // namespace zav::test
