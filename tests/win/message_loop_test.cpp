// The message loop: refreshes before every message, the key table, consumed keys,
// and modal loops keeping keys away from the table.

#include "app/message_loop.h"
#include "win/module.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zav::KeyAction;

class RecordingTarget final : public zav::LoopTarget {
public:
    void refreshPlayerState() override { log += "S"; }
    void refreshPosition() override { log += "P"; }
    void togglePlayPause() override { actions += "tab "; }
    void stepBack() override { actions += "f11 "; }
    void stepForward() override { actions += "f12 "; }
    void stampNextCaption() override { actions += "enter "; }
    void selectPreviousRow() override { actions += "up "; }
    void selectNextRow() override { actions += "down "; }
    bool isCaptionEdit(HWND window) const override { return window && window == captionEdit; }
    int captionRowCount() const override { return rows; }
    HWND mainWindow() const override { return main; }

    std::string log;
    std::string actions;
    HWND captionEdit = nullptr;
    HWND main = nullptr;
    int rows = 12;
};

// An edit box that counts the key-down messages that reach it.
struct KeyCountingEdit {
    HWND hwnd = nullptr;
    WNDPROC original = nullptr;
    int keyDowns = 0;
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<KeyCountingEdit*>(GetPropW(hwnd, L"zav.test.edit"));
        if (message == WM_KEYDOWN) self->keyDowns++;
        return CallWindowProcW(self->original, hwnd, message, wParam, lParam);
    }
    explicit KeyCountingEdit(HWND parent, int id) {
        hwnd = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), zav::Module::instance(), nullptr);
        SetPropW(hwnd, L"zav.test.edit", this);
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyCountingEdit::proc)));
    }
};

struct LoopFixture : testing::Test {
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 zav::Module::instance(), nullptr);
        target.main = parent;
    }
    void TearDown() override { DestroyWindow(parent); }
    // Posts a key to a window, then the quit message, and runs the loop to its end.
    int pressAndRun(HWND window, std::initializer_list<WPARAM> keys, int exitCode = 0) {
        for (WPARAM key : keys) PostMessageW(window, WM_KEYDOWN, key, 0);
        PostQuitMessage(exitCode);
        return zav::runMessageLoop(target);
    }
    HWND parent = nullptr;
    RecordingTarget target;
};

TEST(KeyTable, TransportKeysActEverywhereCaptionKeysOnlyInARow) {
    for (bool inRow : {false, true}) {
        EXPECT_EQ(zav::keyActionFor(VK_TAB, inRow), KeyAction::TogglePlayPause);
        EXPECT_EQ(zav::keyActionFor(VK_F11, inRow), KeyAction::StepBack);
        EXPECT_EQ(zav::keyActionFor(VK_F12, inRow), KeyAction::StepForward);
        EXPECT_EQ(zav::keyActionFor('A', inRow), KeyAction::None);
        EXPECT_EQ(zav::keyActionFor(VK_DELETE, inRow), KeyAction::None);
    }
    EXPECT_EQ(zav::keyActionFor(VK_RETURN, true), KeyAction::StampNextCaption);
    EXPECT_EQ(zav::keyActionFor(VK_UP, true), KeyAction::SelectPreviousRow);
    EXPECT_EQ(zav::keyActionFor(VK_DOWN, true), KeyAction::SelectNextRow);
    EXPECT_EQ(zav::keyActionFor(VK_INSERT, true), KeyAction::ReturnFocus);
    for (WPARAM key : {VK_RETURN, VK_UP, VK_DOWN, VK_INSERT}) EXPECT_EQ(zav::keyActionFor(key, false), KeyAction::None);
}

TEST_F(LoopFixture, RefreshesRunBeforeEveryMessageAndTheExitCodeComesBack) {
    PostMessageW(parent, WM_NULL, 0, 0);
    PostMessageW(parent, WM_NULL, 0, 0);
    EXPECT_EQ(pressAndRun(parent, {}, 7), 7);
    // Two messages, each preceded by both refreshes in order; the quit message ends
    // the loop before any refresh.
    EXPECT_EQ(target.log.substr(target.log.size() - 4), "SPSP");
    EXPECT_EQ(target.log.size() % 2, 0u);
}

TEST_F(LoopFixture, CaptionKeysInARowActAndNeverReachTheEditBox) {
    KeyCountingEdit row(parent, IDC_ROW_EDIT_BASE + 0);
    target.captionEdit = row.hwnd;
    pressAndRun(row.hwnd, {VK_RETURN, VK_UP, VK_DOWN, VK_TAB, VK_F11, VK_F12, 'A'});
    EXPECT_EQ(target.actions, "enter up down tab f11 f12 ");
    EXPECT_EQ(row.keyDowns, 1);  // only 'A'
}

TEST_F(LoopFixture, CaptionKeysOutsideARowReachTheControl) {
    // The combo box's edit field carries id 1001: inside the row id range, yet not a
    // caption row.
    KeyCountingEdit comboEdit(parent, 1001);
    KeyCountingEdit otherRow(parent, IDC_ROW_EDIT_BASE + 3);
    pressAndRun(comboEdit.hwnd, {VK_RETURN, VK_UP, VK_DOWN, VK_INSERT, VK_TAB});
    EXPECT_EQ(target.actions, "tab ");
    EXPECT_EQ(comboEdit.keyDowns, 4);
    pressAndRun(otherRow.hwnd, {VK_DOWN});
    EXPECT_EQ(otherRow.keyDowns, 1);
}

TEST_F(LoopFixture, WithoutRowsOnlyTransportKeysAct) {
    KeyCountingEdit row(parent, IDC_ROW_EDIT_BASE + 0);
    target.captionEdit = row.hwnd;
    target.rows = 0;
    pressAndRun(row.hwnd, {VK_RETURN, VK_DOWN, VK_F12});
    EXPECT_EQ(target.actions, "f12 ");
    EXPECT_EQ(row.keyDowns, 2);
}

TEST_F(LoopFixture, InsertInARowSendsTheFocusRequestToTheMainWindow) {
    struct ScrollSpy {
        static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_HSCROLL) {
                SetPropW(hwnd, L"zav.test.wparam", reinterpret_cast<HANDLE>(wParam + 100));
                return 0;
            }
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
    };
    SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ScrollSpy::proc));
    KeyCountingEdit row(parent, IDC_ROW_EDIT_BASE + 0);
    target.captionEdit = row.hwnd;
    pressAndRun(row.hwnd, {VK_INSERT});
    EXPECT_EQ(reinterpret_cast<WPARAM>(GetPropW(parent, L"zav.test.wparam")), 101u);
    EXPECT_EQ(row.keyDowns, 0);
    RemovePropW(parent, L"zav.test.wparam");
}

TEST_F(LoopFixture, NothingActsWhileAModalDialogIsOpen) {
    struct Modal {
        static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM, LPARAM) {
            if (message == WM_INITDIALOG) {
                // Keys pressed while the dialog runs its own loop, then close it.
                PostMessageW(dialog, WM_KEYDOWN, VK_TAB, 0);
                PostMessageW(dialog, WM_KEYDOWN, VK_F12, 0);
                PostMessageW(dialog, WM_KEYDOWN, VK_F11, 0);
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                return TRUE;
            }
            if (message == WM_COMMAND) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            return FALSE;
        }
        static LRESULT CALLBACK owner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_USER + 1) {
                return DialogBoxParamW(zav::Module::instance(), MAKEINTRESOURCEW(IDD_QUICK_KEY_REFERENCE), hwnd,
                                       &Modal::proc, 0);
            }
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
    };
    SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Modal::owner));
    PostMessageW(parent, WM_USER + 1, 0, 0);
    pressAndRun(parent, {});
    EXPECT_EQ(target.actions, "");
}

}  // namespace
