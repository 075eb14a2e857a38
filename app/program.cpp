#include "app/program.h"

#include "app/main_window.h"
#include "app/message_loop.h"
#include "win/module.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <memory>

namespace zav {

int runProgram(HINSTANCE instance) {
    CoInitialize(nullptr);
    Module::init(instance);
    InitCommonControls();
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN_ICON));

    auto window = std::make_unique<MainWindow>();
    HWND hwnd = window->create(instance, menu);
    if (hwnd) {
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        // The show command handed to the entry point is not used.
        ShowWindow(hwnd, SW_SHOWNORMAL);
    }
    // A window that could not be created at all posts nothing; without a quit
    // message the loop below would wait for ever.
    if (!hwnd) PostQuitMessage(0);
    runMessageLoop(*window);

    Module::term();
    CoUninitialize();
    window.reset();
    return 0;
}

}  // namespace zav
