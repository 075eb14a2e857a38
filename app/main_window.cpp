#include "app/main_window.h"

#include "app/command_panel.h"
#include "playback/speech_commands.h"
#include "playback/transport_panel.h"
#include "resources/resource_ids.h"
#include "win/dpi.h"
#include "win/modeless_panel.h"
#include "win/modal_ui.h"
#include "win/module.h"

#include <algorithm>

namespace zav {

WindowClassSpec MainWindow::windowClass() noexcept {
    // No class styles, arrow cursor, no icon; the background is never erased.
    return WindowClassSpec{L"ZAV:MainWindow", 0, nullptr};
}

Table<MainWindow::MessageEntry> MainWindow::messageTable() noexcept {
    static const MessageEntry entries[] = {
        {WM_CREATE, &MainWindow::onCreate},
        {WM_KEYDOWN, &MainWindow::onKeyDown},
        {WM_DESTROY, &MainWindow::onDestroy},
        {WM_SIZE, &MainWindow::onSize},
        {WM_ERASEBKGND, &MainWindow::onEraseBackground},
        {WM_CONTEXTMENU, &MainWindow::onContextMenu},
        {WM_PAINT, &MainWindow::onPaint},
        {WM_HSCROLL, &MainWindow::onTransportScroll},
        {WM_CTLCOLORSTATIC, &MainWindow::onCtlColorStatic},
        {WM_GETMINMAXINFO, &MainWindow::onGetMinMaxInfo},
        {WM_CLOSE, &MainWindow::onClose},
        {WM_COMMAND, &MainWindow::onCommand},
        {WM_INITMENUPOPUP, &MainWindow::onInitMenuPopup},
        {WM_DPICHANGED, &MainWindow::onDpiChanged},
        {WM_TIMER, &MainWindow::onTimer},
        {kOfferRecoveryMessage, &MainWindow::onOfferRecovery},
    };
    return tableOf(entries);
}

HWND MainWindow::create(HINSTANCE instance, HMENU menu) {
    instance_ = instance;
    menu_ = menu;
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
    // The first size at the system's DPI; WM_CREATE then takes the window's own.
    dpi_ = dpiOf(nullptr);
    return createWindow(instance, WS_EX_APPWINDOW, L"ZAV Caption", style, 0, 0, px(898), px(540), GetDesktopWindow(),
                        menu);
}

LRESULT MainWindow::onCreate(WPARAM, LPARAM) {
    transcriptWindow_ = nullptr;
    dpi_ = dpiOf(hwnd());
    captionPanel_.setDpi(dpi_);
    ensureAxHostClass();
    playerHost_ = createPlayerHostWindow(instance_, hwnd());
    // Without the player the quit message ends the run.
    if (!playerHost_ || FAILED(transport_.createPlayer(playerHost_))) {
        PostQuitMessage(0);
        return 0;
    }
    createChildren();
    return 0;
}

void MainWindow::createChildren() {
    HWND transportPanel = createTransportPanel(instance_, hwnd());
    if (transportPanel) ShowWindow(transportPanel, SW_SHOWNORMAL);

    previewLine_ = CreateWindowExW(0, L"STATIC", L" ", WS_CHILD | WS_VISIBLE, px(5), px(227), px(300), px(80), hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PREVIEW_LINE)), instance_, nullptr);
    transport_.attach(hwnd(), transportPanel, previewLine_);

    commandPanel_ = createCommandPanel(instance_, hwnd());
    if (commandPanel_) ShowWindow(commandPanel_, SW_SHOWNORMAL);
    editor_.attach(hwnd(), commandPanel_ ? GetDlgItem(commandPanel_, IDC_LANGUAGE_COMBO) : nullptr);

    if (HWND panel = captionPanel_.create(hwnd(), instance_)) ShowWindow(panel, SW_SHOWNORMAL);

    RECT client{};
    GetClientRect(hwnd(), &client);
    const int w = client.right;
    const DWORD headerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER;
    captionHeader_ = CreateWindowExW(WS_EX_WINDOWEDGE, L"STATIC", L"Caption Edit Area", headerStyle, px(310), 0,
                                     w - px(400), px(20), hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CAPTION_HEADER)),
                                     instance_, nullptr);
    startTimeHeader_ = CreateWindowExW(WS_EX_WINDOWEDGE, L"STATIC", L"Start Time", headerStyle, w - px(90), 0, w, px(20),
                                       hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_START_TIME_HEADER)),
                                       instance_, nullptr);
    transport_.showSplash();
    previewBrush_.reset(CreateSolidBrush(RGB(0, 0, 0)));
    editor_.onHistoryChanged = [this] { updateEditMenu(); };
    SendMessageW(hwnd(), WM_COMMAND, IDM_NEW_CAPTION_FILE, 0);
    // The start-up document is where undo ends.
    editor_.clearHistory();
    // The tool windows that were open when the program last ended open again.
    if (CheckWindow::wasOpen()) checkWindow_.open(hwnd());
    transport_.setOnMediaOpened([this] { mediaOpened(); });
    CheckMenuItem(menu_, IDM_SNAP_TO_SPEECH, MF_BYCOMMAND | (snapToSpeechEnabled() ? MF_CHECKED : MF_UNCHECKED));
    if (TimelineWindow::wasOpen()) timeline_.open(hwnd());
    startRecovery();
}

LRESULT MainWindow::onKeyDown(WPARAM, LPARAM) {
    // Keys are handled in the message loop; nothing reaches default processing.
    return 0;
}

LRESULT MainWindow::onDestroy(WPARAM, LPARAM) {
    KillTimer(hwnd(), kRecoveryTimer);
    recovery_.stop();
    transport_.release();
    previewBrush_.reset();
    setHandled(false);
    return 0;
}

void MainWindow::onFinalMessage() { PostQuitMessage(0); }

LRESULT MainWindow::onSize(WPARAM, LPARAM) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    if (playerHost_) MoveWindow(playerHost_, px(5), 0, px(300), px(230), TRUE);
    if (!transcriptWindow_) {
        if (captionPanel_.hwnd())
            MoveWindow(captionPanel_.hwnd(), px(310), px(20), std::max(w - px(890), 0) + px(580), px(305), TRUE);
        if (captionHeader_) MoveWindow(captionHeader_, px(310), 0, w - px(417), px(20), TRUE);
        if (startTimeHeader_) MoveWindow(startTimeHeader_, w - px(107), 0, px(90), px(20), TRUE);
    } else {
        MoveWindow(transcriptWindow_, px(310), 0, w - px(310), h, TRUE);
    }
    return 0;
}

LRESULT MainWindow::onEraseBackground(WPARAM, LPARAM) { return 0; }

LRESULT MainWindow::onContextMenu(WPARAM wParam, LPARAM lParam) {
    ComPtr<IUnknown> control = hostedControl(playerHost_);
    ComPtr<IOleInPlaceObjectWindowless> windowless;
    if (IWMPPlayer4* player = transport_.player())
        player->QueryInterface(IID_IOleInPlaceObjectWindowless, windowless.putVoid());
    if (!windowless && control) control.as(IID_IOleInPlaceObjectWindowless, windowless);
    if (!windowless) return 0;
    LRESULT result = 0;
    windowless->OnWindowMessage(WM_CONTEXTMENU, wParam, lParam, &result);
    return result;
}

LRESULT MainWindow::onPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    SetBkColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    const RECT square{0, 0, px(310), px(310)};
    SetBkColor(dc, RGB(0, 0, 0));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &square, L"", 0, nullptr);

    if (const UniqueBitmap bitmap{LoadBitmapW(instance_, MAKEINTRESOURCEW(IDB_PANEL_ICON))}) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap.get());
        // The panel's icon, 30 x 25 at 96 DPI, stretched to the window's DPI.
        if (dpi_ == 96) {
            BitBlt(dc, 207, 329, 30, 25, memory, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, px(207), px(329), px(30), px(25), memory, 0, 0, 30, 25, SRCCOPY);
        }
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        showMessage(hwnd(), L"Icon failed to load");
    }
    EndPaint(hwnd(), &ps);
    return 0;
}

LRESULT MainWindow::onCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == previewLine_ && previewLine_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(previewBrush_.get());
    }
    // The column headers keep the system's colours.
    return 0;
}

// Moved to a monitor of another DPI: the window takes the size Windows suggests, and
// every child its 96-DPI place scaled anew (the panels' own sizes follow their dialog
// units).
LRESULT MainWindow::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi_ = HIWORD(wParam);
    captionPanel_.setDpi(dpi_);
    if (previewLine_) MoveWindow(previewLine_, px(5), px(227), px(300), px(80), TRUE);
    if (HWND panel = transport_.panel()) placePanelAt(panel, 0, 310);
    if (commandPanel_) placePanelAt(commandPanel_, 310, 323);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
}

LRESULT MainWindow::onGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = px(898);
    info->ptMinTrackSize.y = px(540);
    info->ptMaxTrackSize.y = px(540);
    return 0;
}

LRESULT MainWindow::onClose(WPARAM, LPARAM) {
    const int answer = showMessage(
        hwnd(), L"If you haven't saved your work, hit cancel and do so before quitting.  Hit OK to quit.", L"Reminder",
        MB_OKCANCEL);
    if (answer == IDCANCEL) return 0;
    quitConfirmed();
    return 1;
}

LRESULT MainWindow::onCommand(WPARAM wParam, LPARAM lParam) { return routeCommand(wParam, lParam); }

LRESULT MainWindow::onTransportScroll(WPARAM wParam, LPARAM lParam) {
    transport_.onScroll(wParam, lParam);
    return 0;
}

void MainWindow::showTranscriptMode() {
    // A transcript window that exists already keeps its text.
    if (!transcriptWindow_) {
        // WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL
        constexpr DWORD kTranscriptStyle = 0x50A10044;
        RECT outer{};
        GetWindowRect(hwnd(), &outer);
        const int width = std::max<int>(outer.right - outer.left - px(310), 0);
        const int height = std::max<int>(outer.bottom - outer.top - px(50), 0);
        transcriptWindow_ = CreateWindowExW(WS_EX_WINDOWEDGE, L"EDIT", L"", kTranscriptStyle, px(310), 0, width, height,
                                            hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TRANSCRIPT_WINDOW)),
                                            instance_, nullptr);
    }
    for (HWND window : {commandPanel_, captionPanel_.hwnd(), captionHeader_, startTimeHeader_}) {
        if (window) ShowWindow(window, SW_HIDE);
    }
    enableCaptionCommands(false);
    updateEditMenu();
}

// The caption file commands are offered in caption mode, the transcript commands in
// transcript mode.
void MainWindow::enableCaptionCommands(bool enable) {
    const UINT caption = MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED);
    const UINT transcript = MF_BYCOMMAND | (enable ? MF_GRAYED : MF_ENABLED);
    EnableMenuItem(menu_, IDM_SAVE_TRANSCRIPT_AS, transcript);
    EnableMenuItem(menu_, IDM_OPEN_TRANSCRIPT, transcript);
    for (UINT id : {IDM_EXPORT_SAMI, IDM_IMPORT_TEXT_SCRIPT, IDM_IMPORT_SAMI, IDM_OPEN_PRODUCER_MOVIE,
                    IDM_EXPORT_TO_PRODUCER, IDM_EXPORT_SUBRIP, IDM_EXPORT_WEBVTT, IDM_IMPORT_CUE_FILE,
                    IDM_ADD_CUE_LANGUAGE, IDM_EXPORT_TTML, IDM_EXPORT_TTML_ALL, IDM_CHECK_CAPTIONS, IDM_TIMELINE,
                    IDM_SNAP_TO_SPEECH, IDM_SNAP_SELECTED, IDM_SNAP_ALL}) {
        EnableMenuItem(menu_, id, caption);
    }
}

void MainWindow::updateEditMenu() {
    // The caption document's history is not the transcript's: in transcript mode
    // neither item is offered.
    const bool captionMode = transcriptWindow_ == nullptr;
    const auto setItem = [this](UINT id, const wchar_t* verb, const std::u16string& step, bool enabled,
                                const wchar_t* key) {
        std::wstring label = verb;
        if (enabled && !step.empty()) label += L" " + std::wstring(step.begin(), step.end());
        label += key;
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING | MIIM_STATE;
        item.dwTypeData = label.data();
        item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
        SetMenuItemInfoW(menu_, id, FALSE, &item);
    };
    setItem(IDM_UNDO, L"&Undo", editor_.undoName(), captionMode && editor_.canUndo(), L"\tCtrl+Z");
    setItem(IDM_REDO, L"&Redo", editor_.redoName(), captionMode && editor_.canRedo(), L"\tCtrl+Y");
    if (hwnd()) DrawMenuBar(hwnd());
}

// Opening a menu shows typing that no command has stored as a step of its own.
LRESULT MainWindow::onInitMenuPopup(WPARAM, LPARAM) {
    if (!transcriptWindow_) editor_.recordTyping();
    return 0;
}

bool MainWindow::historyKey(HWND focus, bool redo) {
    if (transcriptWindow_) return false;
    const int row = captionPanel_.rowOfEdit(focus);
    if (row < 0) {
        // Any other edit box (a dialog's, the combo box's) keeps its own undo.
        wchar_t className[16] = {};
        GetClassNameW(focus, className, 16);
        if (focus && _wcsicmp(className, L"Edit") == 0) return false;
    } else if (!redo && editor_.hasUnstoredTyping(row) && SendMessageW(focus, EM_CANUNDO, 0, 0)) {
        // Typing not yet stored is undone first, as the edit box itself would; its
        // undo buffer is emptied so that the next Ctrl+Z goes on to the history
        // instead of redoing the typing.
        SendMessageW(focus, EM_UNDO, 0, 0);
        SendMessageW(focus, EM_EMPTYUNDOBUFFER, 0, 0);
        return true;
    }
    SendMessageW(hwnd(), WM_COMMAND, redo ? IDM_REDO : IDM_UNDO, 0);
    return true;
}

void MainWindow::showCaptionMode() {
    if (transcriptWindow_) {
        SendMessageW(transcriptWindow_, WM_CLOSE, 0, 0);
        transcriptWindow_ = nullptr;
        transcriptName_.clear();
    }
    updateEditMenu();
    for (HWND window : {commandPanel_, captionPanel_.hwnd(), captionHeader_, startTimeHeader_}) {
        if (window) ShowWindow(window, SW_SHOW);
    }
}

}  // namespace zav
