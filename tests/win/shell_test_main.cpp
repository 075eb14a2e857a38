// The Wine-side shell tests run on one single-threaded COM apartment, as the program.
#include "win/module.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitialize(nullptr);
    zav::Module::init(GetModuleHandleW(nullptr));
    InitCommonControls();
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
