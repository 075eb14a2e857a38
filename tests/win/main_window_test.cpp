// The main window in-process, over the scripted player control: creation, player
// references, layout, size limits, painting colours, the quit confirmation and the
// information dialogs.

#include "win/error_report.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "win/module.h"
#include "mediaplayer/scripted_player.h"
#include "resources/resource_ids.h"
#include "tests/win/fake_modal_ui.h"
#include "tests/win/main_window_fixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using zav::test::FakeModalUi;

using zav::test::childRect;
using zav::test::MainWindowFixture;
using zav::test::takeQuitMessage;

TEST_F(MainWindowFixture, CreationHostsThePlayerAndSetsItUp) {
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    ASSERT_EQ(player.createdCount(), 1);
    zav::player::ScriptedState& state = *player.last();
    EXPECT_TRUE(window->player());
    EXPECT_TRUE(window->controls());
    EXPECT_TRUE(window->positionControls());
    EXPECT_NE(window->eventCookie(), 0u);
    EXPECT_EQ(state.advised, 1);
    EXPECT_EQ(state.uiMode, L"none");
    EXPECT_TRUE(state.stretchToFit);
    EXPECT_EQ(state.url, L"ZAV Caption.jpg");
    EXPECT_EQ(window->mediaState(), 1);
    EXPECT_DOUBLE_EQ(window->playRate(), 1.0);
    EXPECT_FALSE(window->isMuted());
    EXPECT_TRUE(ui.boxes.empty());

    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    EXPECT_STREQ(title, L"ZAV Caption");
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x16CF0000, 0x16CF0000);
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetMenu(hwnd), window->menu());
    EXPECT_TRUE(GetMenuState(window->menu(), IDM_OPEN_TRANSCRIPT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(window->menu(), IDM_SAVE_TRANSCRIPT_AS, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(window->menu(), IDM_EXPORT_SAMI, MF_BYCOMMAND) & MF_GRAYED);

    EXPECT_EQ(GetDlgCtrlID(window->previewLine()), IDC_PREVIEW_LINE);
    EXPECT_EQ(GetDlgCtrlID(window->captionHeader()), IDC_CAPTION_HEADER);
    EXPECT_EQ(GetDlgCtrlID(window->startTimeHeader()), IDC_START_TIME_HEADER);
    const RECT preview = childRect(hwnd, window->previewLine());
    EXPECT_EQ(preview.left, 5);
    EXPECT_EQ(preview.top, 227);
    EXPECT_EQ(preview.right - preview.left, 300);
    EXPECT_EQ(preview.bottom - preview.top, 80);
    const RECT host = childRect(hwnd, window->playerHost());
    EXPECT_EQ(host.left, 5);
    EXPECT_EQ(host.top, 0);
    EXPECT_EQ(host.right - host.left, 300);
    EXPECT_EQ(host.bottom - host.top, 230);
    const RECT commands = childRect(hwnd, window->commandPanel());
    EXPECT_EQ(commands.left, 310);
    EXPECT_EQ(commands.top, 323);
    const RECT transport = childRect(hwnd, window->transportPanel());
    EXPECT_EQ(transport.left, 0);
    EXPECT_EQ(transport.top, 310);
}

TEST_F(MainWindowFixture, PositionsFallBackToTheBaseControlsWithoutControls3) {
    player.defaults().missing = zav::player::kMissingControls3 | zav::player::kMissingEventsPoint;
    ASSERT_TRUE(create());
    EXPECT_TRUE(window->positionControls());
    EXPECT_EQ(window->positionControls(), window->controls());
    // Advised on the dispatch event interface instead.
    EXPECT_NE(window->eventCookie(), 0u);
    EXPECT_EQ(player.last()->advised, 1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowFixture, FailingPlayerCreationIsReportedAndEndsTheRun) {
    player.defaults().missing = zav::player::kMissingPlayer4;
    create();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error code = 80004002");
    EXPECT_EQ(ui.boxes[0].caption, L"Error");
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(ui.boxes[0].owner, nullptr);
    EXPECT_FALSE(window->player());
    int code = -1;
    EXPECT_TRUE(takeQuitMessage(&code));
    EXPECT_EQ(code, 0);
}

TEST_F(MainWindowFixture, NoEventConnectionPointIsReported) {
    player.defaults().missing = zav::player::kMissingEventsPoint | zav::player::kMissingOcxEventsPoint;
    create();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind(L"Error code = 8", 0), 0u);
    EXPECT_TRUE(takeQuitMessage());
}

TEST_F(MainWindowFixture, LayoutFollowsTheClientWidth) {
    ASSERT_TRUE(create());
    for (int wanted : {898, 1200}) {
        const int w = setClientWidth(wanted);
        ASSERT_EQ(w, wanted);
        HWND hwnd = window->hwnd();
        const RECT time = childRect(hwnd, window->startTimeHeader());
        EXPECT_EQ(time.left, w - 107) << w;
        EXPECT_EQ(time.right - time.left, 90);
        EXPECT_EQ(time.bottom - time.top, 20);
        const RECT caption = childRect(hwnd, window->captionHeader());
        EXPECT_EQ(caption.left, 310);
        EXPECT_EQ(caption.right - caption.left, w - 417) << w;
        const RECT panel = childRect(hwnd, window->captionPanel().hwnd());
        EXPECT_EQ(panel.left, 310);
        EXPECT_EQ(panel.top, 20);
        EXPECT_EQ(panel.right - panel.left, w - 310) << w;
        EXPECT_EQ(panel.bottom - panel.top, 305);
        const RECT host = childRect(hwnd, window->playerHost());
        EXPECT_EQ(host.left, 5);
        EXPECT_EQ(host.right - host.left, 300);
    }
}

TEST_F(MainWindowFixture, SizeLimitsKeepTheMinimumAndTheHeight) {
    ASSERT_TRUE(create());
    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 4000};
    info.ptMaxSize = {1300, 1000};
    SendMessageW(window->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 898);
    EXPECT_EQ(info.ptMinTrackSize.y, 540);
    EXPECT_EQ(info.ptMaxTrackSize.y, 540);
    EXPECT_EQ(info.ptMaxTrackSize.x, 5000);
    EXPECT_EQ(info.ptMaxSize.x, 1300);
}

TEST_F(MainWindowFixture, PreviewLineIsWhiteOnBlackOtherStaticsKeepTheirColours) {
    ASSERT_TRUE(create());
    HDC dc = GetDC(window->previewLine());
    const LRESULT brush = SendMessageW(window->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(window->previewLine()));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageW(window->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(window->captionHeader())),
              0);
    ReleaseDC(window->previewLine(), dc);
    // Painting finds bitmap 209 and so shows no box.
    InvalidateRect(window->hwnd(), nullptr, FALSE);
    UpdateWindow(window->hwnd());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(SendMessageW(window->hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
}

TEST(ReportErrorCode, FormatsFailuresAndIgnoresSuccess) {
    FakeModalUi ui;
    EXPECT_FALSE(zav::ReportErrorCode(S_OK));
    EXPECT_FALSE(zav::ReportErrorCode(S_FALSE));
    EXPECT_FALSE(zav::ReportErrorCode(0x7FFFFFFF));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(zav::ReportErrorCode(E_FAIL));
    EXPECT_TRUE(zav::ReportErrorCode(static_cast<HRESULT>(0x8000000A)));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, L"Error code = 80004005");
    EXPECT_EQ(ui.boxes[0].caption, L"Error");
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(ui.boxes[1].text, L"Error code = 8000000A");
}

TEST(OkCancelDialogProc, OkEndsWithOneCancelWithZero) {
    FakeModalUi ui;
    ui.dialogScripts.push_back([](HWND dialog) { zav::test::clickButton(dialog, IDOK); });
    ui.dialogScripts.push_back([](HWND dialog) { zav::test::clickButton(dialog, IDCANCEL); });
    ui.dialogScripts.push_back([](HWND dialog) {
        // Another id does nothing; the dialog stays until Cancel.
        zav::test::clickButton(dialog, 4242);
        EXPECT_TRUE(IsWindow(dialog));
        zav::test::clickButton(dialog, IDCANCEL);
    });
    HINSTANCE instance = zav::Module::instance();
    EXPECT_EQ(ui.dialogBox(instance, IDD_HELP_CONTENTS, nullptr, zav::OkCancelDialogProc, 0), 1);
    EXPECT_EQ(ui.dialogBox(instance, IDD_HELP_CONTENTS, nullptr, zav::OkCancelDialogProc, 0), 0);
    EXPECT_EQ(ui.dialogBox(instance, IDD_ABOUT, nullptr, zav::OkCancelDialogProc, 0), 0);
}

TEST_F(MainWindowFixture, HelpCommandsRunTheirDialogsOwnedByTheMainWindow) {
    ASSERT_TRUE(create());
    for (int i = 0; i < 3; ++i) ui.dialogScripts.push_back([](HWND d) { zav::test::clickButton(d, IDOK); });
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_ABOUT, 0);
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_QUICK_KEY_REFERENCE, 0);
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_HELP_CONTENTS, 0);
    ASSERT_EQ(ui.dialogs.size(), 3u);
    EXPECT_EQ(ui.dialogs[0].templateId, IDD_ABOUT);
    EXPECT_EQ(ui.dialogs[1].templateId, IDD_QUICK_KEY_REFERENCE);
    EXPECT_EQ(ui.dialogs[2].templateId, IDD_HELP_CONTENTS);
    for (const auto& d : ui.dialogs) EXPECT_EQ(d.owner, window->hwnd());
    EXPECT_TRUE(IsWindow(window->hwnd()));
}

TEST_F(MainWindowFixture, CancelKeepsTheProgramForExitAndForAClose) {
    ASSERT_TRUE(create());
    HWND hwnd = window->hwnd();
    ui.boxAnswers = {IDCANCEL, IDCANCEL};
    SendMessageW(hwnd, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(hwnd));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text,
              L"If you haven't saved your work, hit cancel and do so before quitting. Hit OK to quit.");
    EXPECT_EQ(ui.boxes[1].text,
              L"If you haven't saved your work, hit cancel and do so before quitting.  Hit OK to quit.");
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.caption, L"Reminder");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(box.owner, hwnd);
    }
    EXPECT_FALSE(takeQuitMessage());
    EXPECT_EQ(player.last()->closeCalls, 0);
}

TEST_F(MainWindowFixture, OkEndsTheRunWithExitCodeZeroAndReleasesThePlayer) {
    ASSERT_TRUE(create());
    HWND hwnd = window->hwnd();
    ui.boxAnswers = {IDOK};
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(zav::runMessageLoop(*window), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(window->player());
    zav::player::ScriptedState& state = *player.last();
    EXPECT_GE(state.closeCalls, 1);
    EXPECT_EQ(state.unadvised, state.advised);
}

TEST_F(MainWindowFixture, ExitWithAFailedBoxCountsAsOk) {
    ASSERT_TRUE(create());
    ui.boxAnswers = {0};
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(window->hwnd()));
    int code = -1;
    EXPECT_TRUE(takeQuitMessage(&code));
    EXPECT_EQ(code, 0);
}

HWND comboEdit(HWND combo) {
    // The drop-down combo box's edit field, which carries the system's id 1001.
    for (HWND child = GetWindow(combo, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, L"Edit") == 0) return child;
    }
    return nullptr;
}

TEST_F(MainWindowFixture, StartsWithTheDefaultDocumentAndTheFallbackSwitchesOnlyOnCode1) {
    ASSERT_TRUE(create());
    zav::CaptionDocument& document = zav::CaptionPanelProbe::document(window->captionPanel());
    ASSERT_EQ(document.languageCount(), 1);
    EXPECT_EQ(document.languages()[0].className(), "US English");
    EXPECT_EQ(document.rowCount(), 12);
    EXPECT_EQ(window->captionPanel().selectedRow(), 0);

    ui.dialogScripts.push_back([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_CLASS_NAME, L"French");
        zav::test::clickButton(dialog, IDOK);
    });
    SendMessageW(window->hwnd(), WM_COMMAND, IDC_ADD_LANGUAGE, 0);
    ASSERT_EQ(document.languageCount(), 2);
    EXPECT_EQ(document.currentLanguage(), 0);

    HWND combo = GetDlgItem(window->commandPanel(), IDC_LANGUAGE_COMBO);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    for (WORD code : {0, 2, 3, 9}) {
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_COMBO, code), 0);
        EXPECT_EQ(document.currentLanguage(), 0) << code;
    }
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_COMBO, CBN_SELCHANGE), 0);
    EXPECT_EQ(document.currentLanguage(), 1);
}

TEST_F(MainWindowFixture, KeysInTheLanguageComboNeverMoveTheCaptions) {
    ASSERT_TRUE(create());
    zav::CaptionPanel& panel = window->captionPanel();
    HWND combo = GetDlgItem(window->commandPanel(), IDC_LANGUAGE_COMBO);
    HWND edit = comboEdit(combo);
    ASSERT_TRUE(edit);
    ASSERT_EQ(GetDlgCtrlID(edit), 1001);
    EXPECT_FALSE(window->isCaptionEdit(edit));
    ASSERT_EQ(panel.selectedRow(), 0);
    for (WPARAM key : {VK_DOWN, VK_UP, VK_RETURN}) {
        MSG msg{edit, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_FALSE(zav::processKeyDown(*window, msg));
    }
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(panel.rowCount(), 12);

    // The same key in a caption row moves the selection.
    MSG down{panel.rowEdit(0), WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_TRUE(zav::processKeyDown(*window, down));
    EXPECT_EQ(panel.selectedRow(), 1);
    EXPECT_EQ(GetFocus(), panel.rowEdit(1));
    // INSERT only gives the focus back to the selected row.
    SetFocus(combo);
    MSG insert{panel.rowEdit(1), WM_KEYDOWN, VK_INSERT, 0, 0, {}};
    EXPECT_TRUE(zav::processKeyDown(*window, insert));
    EXPECT_EQ(GetFocus(), panel.rowEdit(1));
}

TEST_F(MainWindowFixture, NewCaptionFileLaterKeepsRateAndMenuStates) {
    ASSERT_TRUE(create());
    EnableMenuItem(window->menu(), IDM_EXPORT_SAMI, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(window->menu(), IDM_OPEN_TRANSCRIPT, MF_BYCOMMAND | MF_ENABLED);
    SendMessageW(window->hwnd(), WM_COMMAND, IDM_NEW_CAPTION_FILE, 0);
    EXPECT_FALSE(GetMenuState(window->menu(), IDM_EXPORT_SAMI, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(window->menu(), IDM_OPEN_TRANSCRIPT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(window->captionPanel().document().rowCount(), 12);
    EXPECT_TRUE(IsWindowVisible(window->commandPanel()));
    EXPECT_TRUE(IsWindowVisible(window->captionPanel().hwnd()));
}

}  // namespace
