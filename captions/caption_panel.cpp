#include "captions/caption_panel.h"

#include "app/modal_ui.h"
#include "resources/resource_ids.h"

#include <algorithm>

namespace zav {
namespace {

constexpr DWORD kRowExStyle = WS_EX_WINDOWEDGE;
constexpr DWORD kStaticStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr int kMarkerWidth = 17;
constexpr int kLabelWidth = 90;
constexpr int kEditWidthMargin = 127;

// Markers keep 800 + i below row 200 and labels 300 + i below row 500; from there
// on those ids would reach the edit boxes (1000 + i) and the markers, so later rows
// take ids from ranges of their own. Edit boxes stay below 20000 for any row count
// the system's window quota allows (about 3,300 rows), and every id fits the 16
// bits a WM_COMMAND carries.
constexpr int kFirstSharedMarkerRow = IDC_ROW_EDIT_BASE - IDC_ROW_MARKER_BASE;
constexpr int kFirstSharedLabelRow = IDC_ROW_MARKER_BASE - IDC_ROW_LABEL_BASE;
constexpr int kLateMarkerBase = 20000;
constexpr int kLateLabelBase = 40000;

const std::u16string kEmpty;

class FillingGuard {
public:
    explicit FillingGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FillingGuard() { flag_ = previous_; }
    FillingGuard(const FillingGuard&) = delete;
    FillingGuard& operator=(const FillingGuard&) = delete;

private:
    bool& flag_;
    bool previous_;
};

std::u16string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::u16string();
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &buffer[0], length + 1);
    buffer.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return fromWide(buffer);
}

}  // namespace

WindowClassSpec CaptionPanel::windowClass() {
    return WindowClassSpec{L"scrollwindow", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1))};
}

Table<CaptionPanel::MessageEntry> CaptionPanel::messageTable() {
    static const MessageEntry entries[] = {
        {WM_CREATE, &CaptionPanel::onCreate},
        {WM_DESTROY, &CaptionPanel::onDestroy},
        {WM_SIZE, &CaptionPanel::onSize},
        {WM_PAINT, &CaptionPanel::onPaint},
        {WM_ERASEBKGND, &CaptionPanel::onEraseBackground},
        {WM_SYSKEYDOWN, &CaptionPanel::onSysKeyDown},
        {WM_COMMAND, &CaptionPanel::onCommand},
        {WM_VSCROLL, &CaptionPanel::onVScroll},
        {WM_CTLCOLOREDIT, &CaptionPanel::onCtlColorEdit},
        {WM_CTLCOLORSTATIC, &CaptionPanel::onCtlColorStatic},
    };
    return tableOf(entries);
}

CaptionPanel::CaptionPanel() : createControl(&CaptionPanel::createChildControl) {}

CaptionPanel::~CaptionPanel() {
    if (hwnd()) DestroyWindow(hwnd());
}

HWND CaptionPanel::create(HWND parent, HINSTANCE instance) {
    instance_ = instance;
    return createWindow(instance, WS_EX_DLGMODALFRAME, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 310, 20,
                        880 - 310, 305 - 20, parent, nullptr);
}

HWND CaptionPanel::createChildControl(HWND parent, const ControlRequest& request) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    return CreateWindowExW(request.exStyle, request.className, request.text, request.style, request.x, request.y, request.width,
                           request.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(request.id)), instance,
                           nullptr);
}

int CaptionPanel::markerId(int row) noexcept {
    return row < kFirstSharedMarkerRow ? IDC_ROW_MARKER_BASE + row : kLateMarkerBase + row;
}
int CaptionPanel::editId(int row) noexcept { return IDC_ROW_EDIT_BASE + row; }
int CaptionPanel::labelId(int row) noexcept {
    return row < kFirstSharedLabelRow ? IDC_ROW_LABEL_BASE + row : kLateLabelBase + row;
}

HWND CaptionPanel::rowMarker(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].marker : nullptr;
}
HWND CaptionPanel::rowEdit(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].edit : nullptr;
}
HWND CaptionPanel::rowLabel(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].label : nullptr;
}

int CaptionPanel::rowOfEdit(HWND edit) const {
    if (!edit) return -1;
    const int row = GetDlgCtrlID(edit) - IDC_ROW_EDIT_BASE;
    if (row < 0 || row >= static_cast<int>(rows_.size()) || rows_[row].edit != edit) return -1;
    return row;
}

bool CaptionPanel::isCaptionEdit(HWND window) const { return rowOfEdit(window) >= 0; }

void CaptionPanel::message(const wchar_t* text) { modalUi().messageBox(hwnd(), text, L"", MB_OK); }

int CaptionPanel::windowWidth() const {
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    return rect.right - rect.left;
}

void CaptionPanel::updateGeometry() {
    editWidth_ = windowWidth() - kEditWidthMargin;
    RECT client{};
    GetClientRect(hwnd(), &client);
    viewRows_ = std::max(kVisibleRows, static_cast<int>((client.bottom + kRowHeight - 1) / kRowHeight));
}

// Rows outside the view are left where they were when they last left it, which is
// above or below the client area; only rows that enter or leave the view move.
// This keeps a scroll by one row at a few dozen moves whatever the row count.
void CaptionPanel::placeRow(int row) {
    RowControls& controls = rows_[row];
    const int y = (row - topRow) * kRowHeight;
    if (controls.y == y && controls.editWidth == editWidth_) return;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS;
    if (controls.marker) SetWindowPos(controls.marker, nullptr, 0, y, kMarkerWidth, kRowHeight, flags);
    if (controls.edit) SetWindowPos(controls.edit, nullptr, kMarkerWidth, y, editWidth_, kRowHeight, flags);
    if (controls.label)
        SetWindowPos(controls.label, nullptr, editWidth_ + kMarkerWidth, y, kLabelWidth, kRowHeight, flags);
    controls.y = y;
    controls.editWidth = editWidth_;
}

void CaptionPanel::placeRowsOfView(int top) {
    const int end = std::min(top + viewRows_, static_cast<int>(rows_.size()));
    for (int row = std::max(top, 0); row < end; ++row) placeRow(row);
}

void CaptionPanel::scrollTo(int newTop) {
    const int oldTop = topRow;
    topRow = newTop;
    if (oldTop == newTop) return;
    placeRowsOfView(oldTop);
    placeRowsOfView(newTop);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Drawing the scroll bar at once costs several milliseconds under Wine, which made
// every added row slow; the bar is marked for the next paint instead.
void CaptionPanel::setScrollRange(int maximum) {
    int low = 0, high = 0;
    GetScrollRange(hwnd(), SB_VERT, &low, &high);
    if (low == 0 && high == maximum) return;
    SetScrollRange(hwnd(), SB_VERT, 0, maximum, FALSE);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void CaptionPanel::setScrollPosition(int position) {
    if (GetScrollPos(hwnd(), SB_VERT) == position) return;
    SetScrollPos(hwnd(), SB_VERT, position, FALSE);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void CaptionPanel::setEditText(RowControls& controls, const std::u16string& text) {
    if (!controls.edit) return;
    if (controls.edited || controls.shownText != text) SetWindowTextW(controls.edit, toWide(text).c_str());
    controls.shownText = text;
    controls.edited = false;
}

void CaptionPanel::setLabelText(RowControls& controls, const std::u16string& text) {
    if (!controls.label || controls.shownLabel == text) return;
    SetWindowTextW(controls.label, toWide(text).c_str());
    controls.shownLabel = text;
}

const std::u16string& CaptionPanel::labelTextOf(int row) const {
    const TimeEntry& entry = document.times[row];
    return entry.startMs > kNoTime ? entry.timeText : kEmpty;
}

bool CaptionPanel::addRow() {
    if (document.languages.empty()) {
        message(L"You must create a language class to add an edit box.");
        return false;
    }
    document.appendRow();
    const int count = rowCount();
    const int row = count - 1;
    maxTopRow = count > kVisibleRows ? count - kVisibleRows : 0;
    setScrollRange(maxTopRow);
    editWidth_ = windowWidth() - kEditWidthMargin;

    // Beyond the twelfth row the view always moves to show the last twelve.
    if (count > kVisibleRows) scrollTo(count - kVisibleRows);
    const int y = (row - topRow) * kRowHeight;
    RowControls controls;
    controls.y = y;
    controls.editWidth = editWidth_;
    {
        FillingGuard guard(fillingControls_);
        controls.marker = createControl(
            hwnd(), ControlRequest{kRowExStyle, L"STATIC", L" >", kStaticStyle, 0, y, kMarkerWidth, kRowHeight, markerId(row)});
        controls.edit = createControl(
            hwnd(), ControlRequest{kRowExStyle, L"EDIT", L"", kEditStyle, kMarkerWidth, y, editWidth_, kRowHeight, editId(row)});
        controls.label = createControl(hwnd(), ControlRequest{kRowExStyle, L"STATIC", L"", kStaticStyle,
                                                           editWidth_ + kMarkerWidth, y, kLabelWidth, kRowHeight,
                                                           labelId(row)});
    }
    const bool complete = controls.marker && controls.edit && controls.label;
    rows_.push_back(std::move(controls));
    if (count > kVisibleRows) setScrollPosition(topRow);
    if (!complete) {
        deleteRow(row);
        message(L"Unable to create the edit controls");
        return false;
    }
    return true;
}

bool CaptionPanel::deleteRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    storeEditTexts();
    document.removeRow(row);

    // The controls of the last row go; the others keep their ids and show their
    // rows' new contents after the refresh.
    if (!rows_.empty() && static_cast<int>(rows_.size()) > rowCount()) {
        const RowControls last = std::move(rows_.back());
        rows_.pop_back();
        FillingGuard guard(fillingControls_);
        if (last.edit) DestroyWindow(last.edit);
        if (last.label) DestroyWindow(last.label);
        if (last.marker) DestroyWindow(last.marker);
    }
    refreshRows();

    const int count = rowCount();
    const int newMax = count > kVisibleRows ? count - kVisibleRows : 0;
    if (topRow > newMax) {
        scrollTo(topRow - 1);
        setScrollPosition(topRow);
    }
    maxTopRow = newMax;
    setScrollRange(maxTopRow);
    return true;
}

// Ends exactly as deleting the rows one by one from the last would (no rows, the
// view at the top, selectedRow untouched), without refreshing and scrolling the
// remaining rows after every single deletion.
void CaptionPanel::deleteAllRows() {
    if (rowCount() == 0) return;
    document.removeAllRows();
    std::vector<RowControls> gone = std::move(rows_);
    rows_.clear();
    {
        FillingGuard guard(fillingControls_);
        for (auto controls = gone.rbegin(); controls != gone.rend(); ++controls) {
            if (controls->edit) DestroyWindow(controls->edit);
            if (controls->label) DestroyWindow(controls->label);
            if (controls->marker) DestroyWindow(controls->marker);
        }
    }
    topRow = 0;
    setScrollPosition(0);
    maxTopRow = 0;
    setScrollRange(0);
}

void CaptionPanel::refreshRows() {
    const int remembered = selectedRow;
    {
        FillingGuard guard(fillingControls_);
        const bool hasLanguage = document.hasCurrentLanguage();
        const int count = std::min(rowCount(), static_cast<int>(rows_.size()));
        for (int row = 0; row < count; ++row) {
            setEditText(rows_[row], hasLanguage ? document.text(document.currentLanguage, row) : kEmpty);
            setLabelText(rows_[row], labelTextOf(row));
        }
    }
    selectedRow = remembered;
}

// Only edit boxes that reported a change are read back; every other one still
// holds what the panel last put into it or read from it.
void CaptionPanel::storeEditTexts() {
    if (!document.hasCurrentLanguage()) return;
    const int language = document.currentLanguage;
    const int count = std::min(rowCount(), static_cast<int>(rows_.size()));
    for (int row = 0; row < count; ++row) {
        RowControls& controls = rows_[row];
        if (!controls.edit) continue;
        if (controls.edited) {
            controls.shownText = windowText(controls.edit);
            controls.edited = false;
        }
        document.setText(language, row, controls.shownText);
    }
}

void CaptionPanel::clearAllTimes() {
    document.clearAllTimes();
    FillingGuard guard(fillingControls_);
    for (RowControls& controls : rows_) setLabelText(controls, kEmpty);
}

bool CaptionPanel::clearCurrentTexts() {
    if (!document.hasCurrentLanguage()) return false;
    const int language = document.currentLanguage;
    for (int row = 0; row < rowCount(); ++row) {
        // WM_CLEAR removes only the selected part of an edit box's text; a change it
        // makes is reported like typing.
        if (row < static_cast<int>(rows_.size()) && rows_[row].edit) SendMessageW(rows_[row].edit, WM_CLEAR, 0, 0);
        document.languages[language].texts[row].clear();
    }
    return true;
}

bool CaptionPanel::selectRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    selectedRow = row;
    // The focus change notifies the edit box losing the focus as well; the row asked
    // for stays the selected one.
    if (HWND edit = rowEdit(row)) SetFocus(edit);
    selectedRow = row;
    return true;
}

void CaptionPanel::ensureRowVisible(int row) {
    if (row >= topRow && row < topRow + kVisibleRows) return;
    const int newTop = row >= topRow + kVisibleRows ? row - (kVisibleRows - 1) : row;
    scrollTo(newTop);
    setScrollPosition(topRow);
}

void CaptionPanel::focusSelectedRow() {
    if (!hasSelection()) return;
    if (HWND edit = rowEdit(selectedRow)) SetFocus(edit);
}

void CaptionPanel::layoutRows() {
    if (rows_.empty()) return;
    updateGeometry();
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Every row in view, and every row left where a taller panel would now show it,
    // goes to its place; the rest stay out of sight until they enter the view.
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const bool inView = row >= topRow && row < topRow + viewRows_;
        const int y = rows_[row].y;
        if (inView || (y > -kRowHeight && y < client.bottom)) placeRow(row);
    }
}

void CaptionPanel::selectPreviousRow() {
    if (!hasSelection() || selectedRow == 0) return;
    selectRow(selectedRow - 1);
    ensureRowVisible(selectedRow);
}

void CaptionPanel::selectNextRow() {
    if (rowCount() == 0) return;
    if (!hasSelection()) {
        selectRow(0);
    } else {
        if (selectedRow == rowCount() - 1) return;
        selectRow(selectedRow + 1);
    }
    ensureRowVisible(selectedRow);
}

void CaptionPanel::setStartTime(int row, double ms) { document.setStartTime(row, ms, *codePage); }

void CaptionPanel::showRowTime(int row) {
    if (row < 0 || row >= rowCount() || row >= static_cast<int>(rows_.size())) return;
    setLabelText(rows_[row], labelTextOf(row));
}

LRESULT CaptionPanel::onCreate(WPARAM, LPARAM) {
    SetScrollRange(hwnd(), SB_VERT, 0, 0, FALSE);
    topRow = 0;
    maxTopRow = 0;
    SetScrollPos(hwnd(), SB_VERT, 0, TRUE);
    selectedRow = -1;
    document.currentLanguage = 0;
    highlightBrush.reset(CreateSolidBrush(kHighlightColor));
    updateGeometry();
    return 0;
}

LRESULT CaptionPanel::onDestroy(WPARAM, LPARAM) {
    // The child controls are destroyed after this; their last notifications find no row.
    rows_.clear();
    document = CaptionDocument();
    highlightBrush.reset();
    return 0;
}

LRESULT CaptionPanel::onSize(WPARAM, LPARAM) {
    layoutRows();
    return 0;
}

LRESULT CaptionPanel::onPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(hwnd(), &paint);
    return 0;
}

LRESULT CaptionPanel::onEraseBackground(WPARAM, LPARAM) { return 0; }

LRESULT CaptionPanel::onSysKeyDown(WPARAM, LPARAM) { return 0; }

// Any notification of a row's edit box (focus gained or lost, text changed) makes
// that row the selected one.
LRESULT CaptionPanel::onCommand(WPARAM wParam, LPARAM lParam) {
    const int row = rowOfEdit(reinterpret_cast<HWND>(lParam));
    if (row < 0 || fillingControls_) return 0;
    if (HIWORD(wParam) == EN_CHANGE) rows_[row].edited = true;
    selectedRow = row;
    InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
}

LRESULT CaptionPanel::onVScroll(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        if (topRow > 0) scrollTo(topRow - 1);
        break;
    case SB_LINEDOWN:
        if (topRow < maxTopRow) scrollTo(topRow + 1);
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(hwnd(), SB_VERT, &info);
        scrollTo(info.nTrackPos);
        setScrollPosition(topRow);
        return 0;
    }
    default:
        return 0;
    }
    if (GetScrollPos(hwnd(), SB_VERT) != topRow) setScrollPosition(topRow);
    return 0;
}

LRESULT CaptionPanel::onCtlColorEdit(WPARAM wParam, LPARAM lParam) {
    if (!hasSelection() || reinterpret_cast<HWND>(lParam) != rowEdit(selectedRow)) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kHighlightColor);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(highlightBrush.get());
}

LRESULT CaptionPanel::onCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    if (!hasSelection() || reinterpret_cast<HWND>(lParam) != rowLabel(selectedRow)) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kHighlightColor);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(highlightBrush.get());
}

}  // namespace zav
