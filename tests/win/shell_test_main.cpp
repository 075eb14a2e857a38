// The Wine-side shell tests run on one single-threaded COM apartment, as the program.
#include "formats/recovery_files.h"
#include "win/module.h"
#include "win/settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitialize(nullptr);
    zav::Module::init(GetModuleHandleW(nullptr));
    // Remembered choices go to a key of the tests' own, empty at the start, so that
    // neither a run of the program nor an earlier test decides what a test sees.
    // Each test program has a key of its own, since they run side by side.
    zav::settings::setRootKey(L"Software\\ZAV Caption Tests\\" + std::to_wstring(GetCurrentProcessId()));
    RegDeleteTreeW(HKEY_CURRENT_USER, zav::settings::rootKey().c_str());
    // No recovery copies unless a test names a folder for them: a window a test
    // destroys would otherwise leave a copy for the next test's window to offer.
    zav::recovery::setFolderForTesting(std::wstring());
    InitCommonControls();
    const int result = RUN_ALL_TESTS();
    RegDeleteTreeW(HKEY_CURRENT_USER, zav::settings::rootKey().c_str());
    CoUninitialize();
    return result;
}
