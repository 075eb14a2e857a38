#include "playback/timeline_window.h"

#include "captions/timing_commands.h"
#include "core/caption_document.h"
#include "win/ansi_code_page.h"
#include "win/dpi.h"
#include "win/settings.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshEveryMs = 40;
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 160;
constexpr int kEdgeTolerance = 4;  // pixels either side of a start edge that take a drag
constexpr int kDragThreshold = 2;  // pixels the mouse moves before a press becomes a drag
constexpr double kWheelZoom = 0.8;  // one notch up shows this much of the time shown
constexpr double kDefaultMsPerPixel = 30;

enum MenuId : UINT { kCancelDecoding = 1, kDecodeAgain };

const settings::ToolWindowMemory& memory() {
    static const settings::ToolWindowMemory kept(L"TimelineWindow");
    return kept;
}
const wchar_t kZoomValue[] = L"TimelineMicrosecondsPerPixel";

// The first place: under the main window, as wide as it, moved up as far as needed
// to stay on its monitor's work area.
RECT defaultPlace(HWND owner) {
    const UINT dpi = dpiOf(owner);
    RECT main{};
    GetWindowRect(owner, &main);
    RECT place{main.left, main.bottom, main.right, main.bottom + scaled(230, dpi)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor) &&
        place.bottom > monitor.rcWork.bottom) {
        const LONG up = std::min(place.bottom - monitor.rcWork.bottom, place.top - monitor.rcWork.top);
        place.top -= up;
        place.bottom -= up;
    }
    return place;
}

}  // namespace

TimelineWindow::~TimelineWindow() {
    if (hwnd()) DestroyWindow(hwnd());
}

WindowClassSpec TimelineWindow::windowClass() {
    return WindowClassSpec{L"ZAVCaptionTimeline", CS_DBLCLKS, nullptr};
}

Table<TimelineWindow::MessageEntry> TimelineWindow::messageTable() {
    static const MessageEntry entries[] = {
        {WM_CREATE, &TimelineWindow::onCreate},
        {WM_CLOSE, &TimelineWindow::onClose},
        {WM_DESTROY, &TimelineWindow::onDestroy},
        {WM_SIZE, &TimelineWindow::onSize},
        {WM_PAINT, &TimelineWindow::onPaint},
        {WM_ERASEBKGND, &TimelineWindow::onEraseBackground},
        {WM_TIMER, &TimelineWindow::onTimer},
        {WM_LBUTTONDOWN, &TimelineWindow::onLButtonDown},
        {WM_LBUTTONDBLCLK, &TimelineWindow::onLButtonDoubleClick},
        {WM_MOUSEMOVE, &TimelineWindow::onMouseMove},
        {WM_LBUTTONUP, &TimelineWindow::onLButtonUp},
        {WM_CAPTURECHANGED, &TimelineWindow::onCaptureChanged},
        {WM_MOUSEWHEEL, &TimelineWindow::onMouseWheel},
        {WM_HSCROLL, &TimelineWindow::onHScroll},
        {WM_KEYDOWN, &TimelineWindow::onKeyDown},
        {WM_SETCURSOR, &TimelineWindow::onSetCursor},
        {WM_CONTEXTMENU, &TimelineWindow::onContextMenu},
        {WM_GETMINMAXINFO, &TimelineWindow::onGetMinMaxInfo},
        {WM_DPICHANGED, &TimelineWindow::onDpiChanged},
    };
    return tableOf(entries);
}

bool TimelineWindow::wasOpen() { return memory().wasOpen(); }

void TimelineWindow::open(HWND owner) {
    if (!hwnd()) {
        const std::optional<RECT> place = memory().place();
        const RECT rect = place ? *place : defaultPlace(owner);
        view_.msPerPixel = settings::readNumber(kZoomValue, static_cast<DWORD>(kDefaultMsPerPixel * 1000)) / 1000.0;
        const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        if (!createWindow(instance, WS_EX_TOOLWINDOW, L"Timeline", WS_OVERLAPPEDWINDOW | WS_HSCROLL, rect.left,
                          rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, nullptr))
            return;
        editor_.addView(*this);
        rebuildSpans();
        mediaOpened();
    }
    memory().setOpen(true);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetFocus(hwnd());
}

void TimelineWindow::mediaOpened() {
    if (!hwnd()) return;
    sound_.load(transport_.mediaPath());
    setView(view_);
    refresh();
}

LRESULT TimelineWindow::onCreate(WPARAM, LPARAM) {
    dpi_ = dpiOf(hwnd());
    makeFont();
    RECT client{};
    GetClientRect(hwnd(), &client);
    layout_ = timelineLayout(client, dpi_);
    view_.width = std::max(1, static_cast<int>(client.right));
    SetTimer(hwnd(), kRefreshTimer, kRefreshEveryMs, nullptr);
    return 0;
}

void TimelineWindow::makeFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) font = metrics.lfMessageFont;
    else wcscpy_s(font.lfFaceName, L"Tahoma");
    font.lfHeight = -scaled(11, dpi_);
    font_.reset(CreateFontIndirectW(&font));
}

// Closed by the user, it stays closed at the next start; destroyed with the program,
// it opens again.
LRESULT TimelineWindow::onClose(WPARAM, LPARAM) {
    memory().setOpen(false);
    DestroyWindow(hwnd());
    return 0;
}

LRESULT TimelineWindow::onDestroy(WPARAM, LPARAM) {
    KillTimer(hwnd(), kRefreshTimer);
    memory().keepPlace(hwnd());
    settings::writeNumber(kZoomValue, static_cast<DWORD>(std::lround(view_.msPerPixel * 1000)));
    editor_.removeView(*this);
    return 0;
}

LRESULT TimelineWindow::onSize(WPARAM, LPARAM) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    layout_ = timelineLayout(client, dpi_);
    TimelineView view = view_;
    view.width = std::max(1, static_cast<int>(client.right));
    setView(view);
    return 0;
}

LRESULT TimelineWindow::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi_ = HIWORD(wParam);
    makeFont();
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT TimelineWindow::onGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = scaled(kMinWidth, dpi_);
    info->ptMinTrackSize.y = scaled(kMinHeight, dpi_);
    return 0;
}

double TimelineWindow::filmMs() const {
    double film = transport_.mediaDurationMs();
    if (film <= 0) film = sound_.durationMs();
    if (film <= 0) film = sound_.decodedMs();
    if (film <= 0) {
        // No film: as far as the captions reach, and at least a minute.
        film = 60'000;
        if (!spans_.empty()) film = std::max(film, spans_.back().startMs + kLastSpanMs);
    }
    return film;
}

void TimelineWindow::setView(const TimelineView& view) {
    view_ = clampedView(view, filmMs());
    updateScrollBar();
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void TimelineWindow::updateScrollBar() {
    if (!hwnd()) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::ceil(filmMs() / view_.msPerPixel));
    info.nPage = static_cast<UINT>(view_.width);
    info.nPos = static_cast<int>(std::lround(view_.startMs / view_.msPerPixel));
    SetScrollInfo(hwnd(), SB_HORZ, &info, TRUE);
}

void TimelineWindow::documentChanged(const DocumentChange& change) {
    if (!hwnd()) return;
    if (change.rows || change.times || change.texts || change.shownLanguage || change.replaced || change.languages)
        rebuildSpans();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void TimelineWindow::rebuildSpans() {
    const CaptionDocument& document = editor_.document();
    static const std::vector<std::u16string> kNoTexts;
    const std::vector<std::u16string>& texts =
        document.hasCurrentLanguage() ? document.language(document.currentLanguage()).texts() : kNoTexts;
    spans_ = timelineSpans(document.times(), texts, filmMs());
}

std::wstring TimelineWindow::spanLabel(const TimelineSpan& span) const {
    std::wstring label = std::to_wstring(span.row + 1) + L"  ";
    label += toWide(captionTextOf(editor_.panel().shownText(span.row)));
    return label;
}

bool TimelineWindow::playerPosition(double& ms) const {
    IWMPControls* controls = transport_.positionControls();
    double seconds = 0;
    if (!controls || controls->get_currentPosition(&seconds) != S_OK || !std::isfinite(seconds)) return false;
    ms = std::max(0.0, seconds * 1000);
    return true;
}

LRESULT TimelineWindow::onTimer(WPARAM, LPARAM) {
    refresh();
    return 0;
}

void TimelineWindow::refresh() {
    if (!hwnd()) return;
    bool redraw = false;
    double position = -1;
    if (transport_.mediaState() == Transport::kMediaOpen && playerPosition(position) &&
        std::fabs(position - cursorMs_) >= view_.msPerPixel / 2) {
        cursorMs_ = position;
        redraw = true;
        if (transport_.isPlaying() && drag_.row < 0) {
            const TimelineView followed = followingCursor(view_, cursorMs_, filmMs());
            if (followed.startMs != view_.startMs) setView(followed);
        }
    }
    const int state = static_cast<int>(sound_.state());
    const double decoded = sound_.decodedMs();
    if (state != shownState_ || std::fabs(decoded - shownDecodedMs_) >= view_.msPerPixel) {
        // The decoded part grows: the waveform draws it, the title says how far.
        if (state != shownState_ || (decoded >= view_.startMs && shownDecodedMs_ <= view_.endMs())) redraw = true;
        if (state != shownState_) updateScrollBar();
        shownState_ = state;
        shownDecodedMs_ = decoded;
        speech_ = sound_.speech();
        updateTitle();
    }
    if (redraw) InvalidateRect(hwnd(), nullptr, FALSE);
}

void TimelineWindow::updateTitle() {
    std::wstring title = L"Timeline";
    if (sound_.state() == MovieSound::State::Decoding) {
        const double total = sound_.durationMs();
        title += L" - reading the sound";
        if (total > 0)
            title += L" " + std::to_wstring(std::clamp(static_cast<int>(sound_.decodedMs() * 100 / total), 0, 100)) +
                     L"%";
        title += L" (Esc stops)";
    }
    wchar_t shown[128] = {};
    GetWindowTextW(hwnd(), shown, 128);
    if (title != shown) SetWindowTextW(hwnd(), title.c_str());
}

LRESULT TimelineWindow::onPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Drawn into a bitmap first, then copied, so that nothing flickers.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
    const HGDIOBJ old = SelectObject(memory, bitmap);

    const std::shared_ptr<const AudioEnvelope> envelope = sound_.envelope();
    TimelinePicture picture;
    picture.view = view_;
    picture.layout = layout_;
    picture.dpi = dpi_;
    picture.font = font_.get();
    picture.spans = &spans_;
    picture.label = [this](const TimelineSpan& span) { return spanLabel(span); };
    picture.selectedRow = editor_.panel().hasSelection() ? editor_.panel().selectedRow() : -1;
    picture.envelope = envelope.get();
    picture.speech = &speech_;
    picture.cursorMs = transport_.mediaState() == Transport::kMediaOpen ? cursorMs_ : -1;
    picture.dragMs = drag_.row >= 0 && drag_.moved ? drag_.toMs : -1;
    switch (sound_.state()) {
    case MovieSound::State::None: picture.note = transport_.mediaPath().empty() ? L"No film is open." : L""; break;
    case MovieSound::State::Decoding: picture.note = envelope ? L"" : L"Reading the film's sound..."; break;
    case MovieSound::State::Cancelled: picture.note = L"Reading the sound was stopped (right-click to read it again)."; break;
    case MovieSound::State::Failed: picture.note = L"The film's sound could not be read."; break;
    case MovieSound::State::Done: break;
    }
    paintTimeline(memory, picture);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd(), &ps);
    return 0;
}

void TimelineWindow::seekTo(double ms) {
    IWMPControls* controls = transport_.positionControls();
    if (!controls || transport_.mediaState() != Transport::kMediaOpen) return;
    ms = std::clamp(ms, 0.0, filmMs());
    controls->put_currentPosition(ms / 1000);
    cursorMs_ = ms;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT TimelineWindow::onLButtonDown(WPARAM, LPARAM lParam) {
    SetFocus(hwnd());
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (y >= layout_.captions.top) {
        if (const auto edge = startEdgeAt(spans_, view_, x, scaled(kEdgeTolerance, dpi_))) {
            drag_ = Drag{spans_[*edge].row, spans_[*edge].startMs, spans_[*edge].startMs, x, false};
            SetCapture(hwnd());
            return 0;
        }
    }
    seekTo(view_.msAt(x));
    return 0;
}

LRESULT TimelineWindow::onLButtonDoubleClick(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (y < layout_.captions.top || y >= layout_.captions.bottom) return onLButtonDown(0, lParam);
    const auto span = spanAt(spans_, view_, x);
    if (!span) return 0;
    CaptionPanel& panel = editor_.panel();
    const int row = spans_[*span].row;
    if (row >= panel.rowCount()) return 0;
    panel.selectRow(row);
    panel.ensureRowVisible(row);
    InvalidateRect(panel.hwnd(), nullptr, TRUE);
    InvalidateRect(hwnd(), nullptr, FALSE);
    return 0;
}

LRESULT TimelineWindow::onMouseMove(WPARAM, LPARAM lParam) {
    if (drag_.row < 0) return 0;
    const int x = GET_X_LPARAM(lParam);
    if (!drag_.moved && std::abs(x - drag_.startX) < scaled(kDragThreshold, dpi_)) return 0;
    drag_.moved = true;
    drag_.toMs = std::clamp(std::round(drag_.fromMs + (x - drag_.startX) * view_.msPerPixel), 0.0, filmMs());
    InvalidateRect(hwnd(), nullptr, FALSE);
    return 0;
}

LRESULT TimelineWindow::onLButtonUp(WPARAM, LPARAM) {
    endDrag(true);
    return 0;
}

LRESULT TimelineWindow::onCaptureChanged(WPARAM, LPARAM) {
    endDrag(false);
    return 0;
}

void TimelineWindow::endDrag(bool apply) {
    if (drag_.row < 0) return;
    const Drag drag = drag_;
    drag_ = Drag{};
    if (GetCapture() == hwnd()) ReleaseCapture();
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (apply && drag.moved) moveStartTime(editor_, drag.row, drag.toMs);
}

void TimelineWindow::zoomAt(double x, double factor) {
    setView(zoomedAround(view_, x, factor, filmMs()));
}

LRESULT TimelineWindow::onMouseWheel(WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(hwnd(), &point);
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (notches != 0) zoomAt(point.x, std::pow(kWheelZoom, notches));
    return 0;
}

LRESULT TimelineWindow::onHScroll(WPARAM wParam, LPARAM) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd(), SB_HORZ, &info);
    double x = view_.startMs / view_.msPerPixel;
    const double page = view_.width;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: x -= page / 10; break;
    case SB_LINERIGHT: x += page / 10; break;
    case SB_PAGELEFT: x -= page * 0.9; break;
    case SB_PAGERIGHT: x += page * 0.9; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: x = info.nTrackPos; break;
    case SB_LEFT: x = 0; break;
    case SB_RIGHT: x = info.nMax; break;
    default: return 0;
    }
    TimelineView view = view_;
    view.startMs = x * view_.msPerPixel;
    setView(view);
    return 0;
}

void TimelineWindow::nudgeSelected(double deltaMs) {
    CaptionPanel& panel = editor_.panel();
    if (!panel.hasSelection()) return;
    const int row = panel.selectedRow();
    const double start = editor_.document().times()[row].startMs;
    if (start == kNoTime) return;
    moveStartTime(editor_, row, start + deltaMs);
}

LRESULT TimelineWindow::onKeyDown(WPARAM wParam, LPARAM) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    TimelineView view = view_;
    switch (wParam) {
    case VK_LEFT: nudgeSelected(shift ? -100 : -10); break;
    case VK_RIGHT: nudgeSelected(shift ? 100 : 10); break;
    case VK_ADD:
    case VK_OEM_PLUS: zoomAt(view_.width / 2.0, kWheelZoom); break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: zoomAt(view_.width / 2.0, 1 / kWheelZoom); break;
    case VK_PRIOR:
    case VK_NEXT:
        view.startMs += (wParam == VK_NEXT ? 0.9 : -0.9) * view_.width * view_.msPerPixel;
        setView(view);
        break;
    case VK_ESCAPE:
        if (drag_.row >= 0) {
            endDrag(false);
        } else if (sound_.state() == MovieSound::State::Decoding) {
            sound_.cancel();
        }
        break;
    default: break;
    }
    return 0;
}

LRESULT TimelineWindow::onSetCursor(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd()) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(hwnd(), &point);
        const bool onEdge = drag_.row >= 0 || (point.y >= layout_.captions.top &&
                                               startEdgeAt(spans_, view_, point.x, scaled(kEdgeTolerance, dpi_)));
        SetCursor(LoadCursorW(nullptr, onEdge ? IDC_SIZEWE : IDC_ARROW));
        return TRUE;
    }
    return DefWindowProcW(hwnd(), WM_SETCURSOR, wParam, lParam);
}

LRESULT TimelineWindow::onContextMenu(WPARAM, LPARAM lParam) {
    HMENU menu = CreatePopupMenu();
    const bool decoding = sound_.state() == MovieSound::State::Decoding;
    AppendMenuW(menu, decoding ? MF_STRING : MF_STRING | MF_GRAYED, kCancelDecoding, L"&Stop Reading the Sound");
    AppendMenuW(menu, !decoding && !sound_.path().empty() ? MF_STRING : MF_STRING | MF_GRAYED, kDecodeAgain,
                L"&Read the Sound Again");
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (point.x == -1 && point.y == -1) {
        point = POINT{0, 0};
        ClientToScreen(hwnd(), &point);
    }
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen == kCancelDecoding) sound_.cancel();
    if (chosen == kDecodeAgain) sound_.reload();
    refresh();
    return 0;
}

}  // namespace zav
