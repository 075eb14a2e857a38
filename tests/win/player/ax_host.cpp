#include "tests/win/player/ax_host.h"

#include <vector>

namespace zav::test {

namespace {

constexpr wchar_t kFrameClass[] = L"ZavPlayerTestFrame";

// One visible top-level window for the whole test program: under Wine without a
// window manager, hiding or destroying a visible top-level window waits about two
// seconds for the X server, so each test only creates and destroys its host child.
HWND sharedFrame() {
    static HWND frame = nullptr;
    if (frame && IsWindow(frame)) return frame;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    static const HBRUSH background = CreateSolidBrush(kFrameColour);
    wc.hbrBackground = background;
    wc.lpszClassName = kFrameClass;
    RegisterClassExW(&wc);
    frame = CreateWindowExW(0, kFrameClass, L"player test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                            400, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return frame;
}

}  // namespace

AtlLibrary& AtlLibrary::instance() {
    static AtlLibrary library;
    return library;
}

AtlLibrary::AtlLibrary() {
    module_ = LoadLibraryW(L"atl.dll");
    if (!module_) return;
    auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(module_, "AtlAxWinInit")));
    createControl_ =
        reinterpret_cast<CreateControlFn>(reinterpret_cast<void*>(GetProcAddress(module_, "AtlAxCreateControl")));
    getControl_ = reinterpret_cast<GetControlFn>(reinterpret_cast<void*>(GetProcAddress(module_, "AtlAxGetControl")));
    if (!init || !init()) createControl_ = nullptr;
}

HRESULT AtlLibrary::createControl(const wchar_t* name, HWND window, IUnknown** container) const {
    return createControl_ ? createControl_(name, window, nullptr, container) : E_NOTIMPL;
}

HRESULT AtlLibrary::getControl(HWND window, IUnknown** control) const {
    return getControl_ ? getControl_(window, control) : E_NOTIMPL;
}

HostedPlayer::HostedPlayer(Creation how) {
    AtlLibrary& atl = AtlLibrary::instance();
    if (!atl.loaded()) {
        result = E_NOTIMPL;
        return;
    }
    frame = sharedFrame();
    if (how == Creation::HostWindowText) {
        host = CreateWindowExW(0, L"AtlAxWin", wmp::kClsidPlayerText, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 5, 0,
                               300, 230, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
        result = host ? S_OK : HRESULT_FROM_WIN32(GetLastError());
    } else {
        host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 5, 0, 300, 230, frame,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        result = atl.createControl(wmp::kClsidPlayerText, host, container.put());
    }
    if (FAILED(result)) return;
    ComPtr<IUnknown> control;
    result = atl.getControl(host, control.put());
    if (FAILED(result)) return;
    result = control.as(wmp::kIidPlayer4, player);
    if (FAILED(result)) return;
    result = player->get_controls(controls.put());
    if (FAILED(result)) return;
    controls.as(wmp::kIidControls3, controls3);
    result = player->get_settings(settings.put());
}

HostedPlayer::~HostedPlayer() {
    destroy();
}

void HostedPlayer::destroy() {
    settings.reset();
    controls3.reset();
    controls.reset();
    if (player) player->close();
    player.reset();
    container.reset();
    if (host) DestroyWindow(host);
    frame = nullptr;
    host = nullptr;
    pumpMessages(0);
}

bool showsPicture(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const HDC screen = GetDC(nullptr);
    int shown = 0;
    int samples = 0;
    for (int i = 1; i < 16; ++i) {
        for (int j = 1; j < 16; ++j) {
            const COLORREF c = GetPixel(screen, rect.left + (rect.right - rect.left) * i / 16,
                                        rect.top + (rect.bottom - rect.top) * j / 16);
            ++samples;
            if (c == CLR_INVALID || c == kFrameColour) continue;
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 90) ++shown;
        }
    }
    ReleaseDC(nullptr, screen);
    return shown * 20 > samples;
}

HWND HostedPlayer::videoWindow() const {
    return host ? FindWindowExW(host, nullptr, L"ZAVMediaPlayer", nullptr) : nullptr;
}

long HostedPlayer::publishedOpenState() const {
    const HWND window = videoWindow();
    return window ? static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(window, L"zav.openState"))) : -1;
}

void pumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (milliseconds == 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMilliseconds) return condition();
        pumpMessages(20);
    }
}

long openStateOf(IWMPPlayer4* player) {
    WMPOpenState state = wmposUndefined;
    return SUCCEEDED(player->get_openState(&state)) ? static_cast<long>(state) : -1;
}

long playStateOf(IWMPPlayer4* player) {
    WMPPlayState state = wmppsUndefined;
    return SUCCEEDED(player->get_playState(&state)) ? static_cast<long>(state) : -1;
}

double positionOf(IWMPControls* controls) {
    double seconds = -1.0;
    return SUCCEEDED(controls->get_currentPosition(&seconds)) ? seconds : -1.0;
}

double durationOf(IWMPPlayer4* player) {
    ComPtr<IWMPMedia> media;
    if (FAILED(player->get_currentMedia(media.put())) || !media) return -1.0;
    double seconds = -1.0;
    return SUCCEEDED(media->get_duration(&seconds)) ? seconds : -1.0;
}

HRESULT putUrl(IWMPPlayer4* player, const std::wstring& url) {
    BSTR text = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    const HRESULT hr = player->put_URL(text);
    SysFreeString(text);
    return hr;
}

std::wstring environmentPath(const wchar_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetEnvironmentVariableW(name, buffer.data(), needed);
    return std::wstring(buffer.data(), length);
}

}  // namespace zav::test
