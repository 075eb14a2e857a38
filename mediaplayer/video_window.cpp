#include "mediaplayer/video_window.h"

namespace zav::player {

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMilliseconds = 100;

// The module holding this code: the DLL, or the test program the scripted control is
// linked into.
HINSTANCE codeModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&codeModule), &module);
    return module;
}

}  // namespace

bool VideoWindow::create(HWND parent, const RECT& rect) {
    if (window_) return true;
    const HINSTANCE instance = codeModule();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, kVideoWindowClass, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &VideoWindow::windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.lpszClassName = kVideoWindowClass;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    }
    // WM_NCCREATE binds the window to this object and sets window_.
    CreateWindowExW(0, kVideoWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
                    rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, this);
    if (!window_) return false;
    SetPropW(window_, kOpenStateProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(openState_)));
    core_->attachWindow(window_);
    RECT client{};
    GetClientRect(window_, &client);
    core_->layout(client);
    return true;
}

void VideoWindow::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

void VideoWindow::move(const RECT& rect) {
    if (window_) MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void VideoWindow::show(bool visible) {
    if (window_) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void VideoWindow::setOpenState(long openState) {
    openState_ = openState;
    if (window_) SetPropW(window_, kOpenStateProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(openState)));
}

void VideoWindow::invalidate() {
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void VideoWindow::unregisterClass() {
    UnregisterClassW(kVideoWindowClass, codeModule());
}

LRESULT CALLBACK VideoWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<VideoWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<VideoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT VideoWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
    case WM_CREATE:
        SetTimer(window, kPollTimer, kPollMilliseconds, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kPollTimer) core_->poll();
        return 0;
    case WM_SIZE: {
        RECT client{};
        GetClientRect(window, &client);
        core_->layout(client);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_DESTROY:
        // The engine lets go of the window first: a video renderer must not be left
        // owned by a destroyed window, whoever destroys it.
        core_->attachWindow(nullptr);
        KillTimer(window, kPollTimer);
        RemovePropW(window, kOpenStateProperty);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void VideoWindow::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    core_->paint(dc, client);
    EndPaint(window_, &ps);
}

}  // namespace zav::player
