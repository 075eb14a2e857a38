// The window framework: message tables, the "handled" mark, commands matched on their
// id alone, and the one fallback.

#include "tests/win/fake_modal_ui.h"
#include "win/error_report.h"
#include "win/module.h"
#include "win/window_base.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class RoutedWindow final : public zav::Window<RoutedWindow> {
public:
    HWND create() {
        return createWindow(zav::Module::instance(), 0, L"routed", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                            nullptr);
    }
    static zav::WindowClassSpec windowClass() { return {L"zav.test.RoutedWindow", 0, nullptr}; }
    static zav::Table<MessageEntry> messageTable() {
        static const MessageEntry entries[] = {
            {WM_COMMAND, &RoutedWindow::onCommand},
            {WM_SETTEXT, &RoutedWindow::onSetText},
            {WM_USER, &RoutedWindow::onUser},
            {WM_USER + 1, &RoutedWindow::onPassedOn},
        };
        return zav::tableOf(entries);
    }
    static zav::Table<CommandEntry> commandTable() {
        static const CommandEntry entries[] = {{5, &RoutedWindow::onFive}, {6, &RoutedWindow::onThrow}};
        return zav::tableOf(entries);
    }
    LRESULT onCommandFallback(WPARAM wParam, LPARAM) {
        fallbackCodes.push_back(HIWORD(wParam));
        return 0;
    }
    void onFinalMessage() { finalMessages++; }

    std::vector<WORD> fiveCodes;
    std::vector<WORD> fallbackCodes;
    bool passSetTextOn = false;
    bool nestOnSetText = false;
    int finalMessages = 0;

private:
    LRESULT onCommand(WPARAM wParam, LPARAM lParam) { return routeCommand(wParam, lParam); }
    LRESULT onFive(WPARAM wParam, LPARAM) {
        fiveCodes.push_back(HIWORD(wParam));
        return 55;
    }
    LRESULT onThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    LRESULT onSetText(WPARAM, LPARAM) {
        // Clearing the mark lets default processing store the text.
        if (passSetTextOn) setHandled(false);
        // A message to the window itself while this one is handled, whose handler
        // passes it on to default processing.
        if (nestOnSetText) SendMessageW(hwnd(), WM_USER + 1, 0, 0);
        return TRUE;
    }
    LRESULT onPassedOn(WPARAM, LPARAM) {
        setHandled(false);
        return 0;
    }
    LRESULT onUser(WPARAM, LPARAM) { return 1234; }
};

TEST(WindowRouting, CommandReachesItsHandlerWhateverTheNotificationCode) {
    RoutedWindow window;
    HWND hwnd = window.create();
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(5, 0), 0), 55);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(5, 1), 0), 55);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(5, 0x0300), 0), 55);
    EXPECT_EQ(window.fiveCodes, (std::vector<WORD>{0, 1, 0x0300}));
    EXPECT_TRUE(window.fallbackCodes.empty());
    DestroyWindow(hwnd);
}

TEST(WindowRouting, UnmatchedCommandsGoToTheFallbackWithTheirCode) {
    RoutedWindow window;
    HWND hwnd = window.create();
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(247, 1), 0);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(247, 0), 0);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(7, 9), 0);
    EXPECT_EQ(window.fallbackCodes, (std::vector<WORD>{1, 0, 9}));
    EXPECT_TRUE(window.fiveCodes.empty());
    DestroyWindow(hwnd);
}

TEST(WindowRouting, HandledMarkDecidesAboutDefaultProcessing) {
    RoutedWindow window;
    HWND hwnd = window.create();
    SetWindowTextW(hwnd, L"kept");
    wchar_t text[32] = {};
    DefWindowProcW(hwnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"routed");
    window.passSetTextOn = true;
    SetWindowTextW(hwnd, L"stored");
    DefWindowProcW(hwnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"stored");
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 1234);
    DestroyWindow(hwnd);
}

TEST(WindowRouting, NestedMessageKeepsItsMarkToItself) {
    RoutedWindow window;
    HWND hwnd = window.create();
    wchar_t text[32] = {};
    // The inner message clears its own mark; the outer one stays handled, so the
    // default procedure never stores the text.
    window.nestOnSetText = true;
    SetWindowTextW(hwnd, L"nested");
    DefWindowProcW(hwnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"routed");
    // And a handler that clears its mark still does so after a nested message.
    window.passSetTextOn = true;
    SetWindowTextW(hwnd, L"passed");
    DefWindowProcW(hwnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"passed");
    DestroyWindow(hwnd);
}

// ... and is reported to the user and written to the debug log, not swallowed.
TEST(WindowRouting, ExceptionInAHandlerStopsAtTheWindowProcedure) {
    zav::test::FakeModalUi ui;
    DeleteFileW(zav::debugLogPath().c_str());
    RoutedWindow window;
    HWND hwnd = window.create();
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(6, 0), 0), 0);
    EXPECT_TRUE(IsWindow(hwnd));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, L"Error");
    EXPECT_NE(ui.boxes[0].text.find(L"handler failed"), std::wstring::npos);
    std::ifstream log(zav::debugLogPath().c_str(), std::ios::binary);
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(logged.find("a window procedure: an exception (handler failed)"), std::string::npos);
    DestroyWindow(hwnd);
}

TEST(WindowRouting, FinalMessageComesOnceAfterDestruction) {
    RoutedWindow window;
    HWND hwnd = window.create();
    DestroyWindow(hwnd);
    EXPECT_EQ(window.finalMessages, 1);
    EXPECT_EQ(window.hwnd(), nullptr);
}

}  // namespace
