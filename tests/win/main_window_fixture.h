#pragma once
// The main window created in-process over the scripted player control, with the
// modal UI answered by a FakeModalUi.

#include "app/main_window.h"
#include "tests/win/panel_probe.h"
#include "win/module.h"
#include "mediaplayer/scripted_player.h"
#include "resources/resource_ids.h"
#include "tests/win/fake_modal_ui.h"

#include <gtest/gtest.h>

#include <memory>

namespace zav::test {

// Takes the quit messages a test's windows post, so they do not end a later loop.
inline bool takeQuitMessage(int* exitCode = nullptr) {
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            if (exitCode) *exitCode = static_cast<int>(msg.wParam);
        } else {
            DispatchMessageW(&msg);
        }
    }
    return quit;
}

inline RECT childRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct MainWindowFixture : testing::Test {
    void SetUp() override { ASSERT_EQ(player.result(), S_OK); }
    void TearDown() override {
        if (window && window->hwnd()) DestroyWindow(window->hwnd());
        takeQuitMessage();
    }
    HWND create() {
        window = std::make_unique<zav::MainWindow>();
        HMENU menu = LoadMenuW(zav::Module::instance(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
        return window->create(zav::Module::instance(), menu);
    }
    // Resizes the window so that its client area is the given width.
    int setClientWidth(int width) {
        HWND hwnd = window->hwnd();
        for (int attempt = 0; attempt < 3; ++attempt) {
            RECT outer{}, client{};
            GetWindowRect(hwnd, &outer);
            GetClientRect(hwnd, &client);
            const int delta = width - client.right;
            if (delta == 0) break;
            SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + delta, outer.bottom - outer.top,
                         SWP_NOMOVE | SWP_NOZORDER);
        }
        RECT client{};
        GetClientRect(hwnd, &client);
        return client.right;
    }

    FakeModalUi ui;
    zav::player::ScriptedPlayerRegistration player;
    std::unique_ptr<zav::MainWindow> window;
};

}  // namespace zav::test
