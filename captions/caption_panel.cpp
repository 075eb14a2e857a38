#include "captions/caption_panel.h"

#include "resources/resource_ids.h"
#include "win/modal_ui.h"
#include "win/window_text.h"

#include <algorithm>

namespace zav {
namespace {

constexpr int kEditWidthMargin = 127;

const std::u16string kEmpty;

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

CaptionPanel::CaptionPanel() : createControl_(&CaptionPanel::createChildControl) {}

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

// The accessors are const for their callers: which windows exist is not part of the
// panel's state, only that asking for a row's control yields one that stays its own.
HWND CaptionPanel::rowMarker(int row) const {
    const RowControls::ControlSet* set = const_cast<CaptionPanel*>(this)->ownControls(row);
    return set ? set->marker : nullptr;
}
HWND CaptionPanel::rowEdit(int row) const {
    const RowControls::ControlSet* set = const_cast<CaptionPanel*>(this)->ownControls(row);
    return set ? set->edit : nullptr;
}
HWND CaptionPanel::rowLabel(int row) const {
    const RowControls::ControlSet* set = const_cast<CaptionPanel*>(this)->ownControls(row);
    return set ? set->label : nullptr;
}

std::u16string CaptionPanel::shownText(int row) const { return controls_.shownText(row); }

int CaptionPanel::rowOfEdit(HWND edit) const { return controls_.rowOfEdit(edit); }

bool CaptionPanel::isCaptionEdit(HWND window) const { return rowOfEdit(window) >= 0; }

void CaptionPanel::message(const wchar_t* text) { showMessage(hwnd(), text); }

// The edit width follows the window rectangle; the panel learns of every change
// through WM_SIZE, so the rows need not ask the window for it.
void CaptionPanel::updateGeometry() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    editWidth_ = (window.right - window.left) - px(kEditWidthMargin);
    RECT client{};
    GetClientRect(hwnd(), &client);
    clientBottom_ = client.bottom;
    const int height = rowHeight();
    viewRows_ = std::max(kVisibleRows, static_cast<int>((client.bottom + height - 1) / height));
}

bool CaptionPanel::moveView(int newTop) {
    if (topRow_ == newTop) return false;
    topRow_ = newTop;
    controls_.markPending();
    return true;
}

void CaptionPanel::scrollTo(int newTop) {
    if (moveView(newTop)) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Drawing the scroll bar at once costs several milliseconds under Wine, which made
// every added row slow; the bar is marked for the next paint instead.
bool CaptionPanel::changeScrollRange(int maximum) {
    int low = 0, high = 0;
    GetScrollRange(hwnd(), SB_VERT, &low, &high);
    if (low == 0 && high == maximum) return false;
    SetScrollRange(hwnd(), SB_VERT, 0, maximum, FALSE);
    return true;
}

bool CaptionPanel::changeScrollPosition(int position) {
    if (GetScrollPos(hwnd(), SB_VERT) == position) return false;
    SetScrollPos(hwnd(), SB_VERT, position, FALSE);
    return true;
}

void CaptionPanel::setScrollRange(int maximum) {
    if (changeScrollRange(maximum)) redrawFrame();
}

void CaptionPanel::setScrollPosition(int position) {
    if (changeScrollPosition(position)) redrawFrame();
}

// Only the frame, which holds the scroll bar, is marked: a mark on the whole window
// without its children would have the panel paint its background over rows that are
// not drawn again.
void CaptionPanel::redrawFrame() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&window), 2);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const UniqueRegion frame{CreateRectRgnIndirect(&window)};
    const UniqueRegion inside{CreateRectRgnIndirect(&client)};
    CombineRgn(frame.get(), frame.get(), inside.get(), RGN_DIFF);
    RedrawWindow(hwnd(), nullptr, frame.get(), RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

const std::u16string& CaptionPanel::labelTextOf(int row) const {
    const TimeEntry& entry = document_.times()[row];
    return entry.startMs > kNoTime ? entry.timeText : kEmpty;
}

bool CaptionPanel::addRow() {
    if (document_.languages().empty()) {
        message(L"You must create a language class to add an edit box.");
        return false;
    }
    document_.appendRow();
    if (!appendRowControls()) {
        deleteRow(rowCount() - 1);
        message(L"Unable to create the edit controls");
        return false;
    }
    return true;
}

bool CaptionPanel::appendRowControls() {
    const int count = rowCount();
    maxTopRow_ = count > kVisibleRows ? count - kVisibleRows : 0;
    // A text import adds thousands of rows before the panel paints again: the scroll
    // bar and the view are marked for that paint once per row, not once per change.
    bool redraw = changeScrollRange(maxTopRow_);

    // Beyond the twelfth row the view always moves to show the last twelve.
    if (count > kVisibleRows) redraw = moveView(count - kVisibleRows) || redraw;
    // The new row takes over the controls of a row leaving the view; only when there
    // are none are new ones made, now, so that a failure is reported here.
    const bool complete = controls_.appendRow(view());
    if (count > kVisibleRows) redraw = changeScrollPosition(topRow_) || redraw;
    if (redraw) RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return complete;
}

void CaptionPanel::takeDocument(CaptionDocument replacement) {
    deleteAllRows();
    // The languages come first, then the rows one by one with their controls, as
    // addRow would add them.
    document_ = CaptionDocument();
    for (const LanguageClass& language : replacement.languages())
        document_.appendLanguage(LanguageClass(language.className(), language.displayName(), language.langCode()));
    document_.setCurrentLanguage(replacement.currentLanguage());
    std::vector<std::u16string> texts(static_cast<std::size_t>(replacement.languageCount()));
    bool complete = true;
    for (int row = 0; complete && row < replacement.rowCount(); ++row) {
        for (int language = 0; language < replacement.languageCount(); ++language)
            texts[language] = replacement.text(language, row);
        document_.appendRow(replacement.times()[row], texts);
        complete = appendRowControls();
        if (!complete) deleteRow(row);
    }
    refreshRows();
    if (!complete) message(L"Unable to create the edit controls");
}

void CaptionPanel::documentChanged(const DocumentChange& change) {
    if (change.rows || change.times || change.texts || change.languages || change.shownLanguage || change.replaced)
        refreshRows();
    if (change.rows || change.selection || change.replaced) InvalidateRect(hwnd(), nullptr, TRUE);
}

bool CaptionPanel::deleteRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    storeEditTexts();
    document_.removeRow(row);

    // The controls of the last row go; the others keep their ids and show their
    // rows' new contents after the refresh.
    if (controls_.rowCount() > rowCount()) controls_.removeLastRow();
    refreshRows();

    const int count = rowCount();
    const int newMax = count > kVisibleRows ? count - kVisibleRows : 0;
    if (topRow_ > newMax) {
        scrollTo(topRow_ - 1);
        setScrollPosition(topRow_);
    }
    maxTopRow_ = newMax;
    setScrollRange(maxTopRow_);
    return true;
}

// Ends exactly as deleting the rows one by one from the last would (no rows, the
// view at the top, selectedRow_ untouched), without refreshing and scrolling the
// remaining rows after every single deletion.
void CaptionPanel::deleteAllRows() {
    if (rowCount() == 0) return;
    document_.removeAllRows();
    // The newest controls first, as deleting the rows from the last would.
    controls_.removeAll();
    topRow_ = 0;
    setScrollPosition(0);
    maxTopRow_ = 0;
    setScrollRange(0);
}

void CaptionPanel::refreshRows() {
    const int remembered = selectedRow_;
    {
        FillingGuard guard(fillingControls_);
        const bool hasLanguage = document_.hasCurrentLanguage();
        const int count = std::min(rowCount(), controls_.rowCount());
        for (int row = 0; row < count; ++row) {
            controls_.setEditText(row, hasLanguage ? document_.text(document_.currentLanguage(), row) : kEmpty);
            controls_.setLabelText(row, labelTextOf(row));
        }
    }
    selectedRow_ = remembered;
}

void CaptionPanel::storeEditTexts() {
    if (!document_.hasCurrentLanguage()) return;
    const int language = document_.currentLanguage();
    const int count = std::min(rowCount(), controls_.rowCount());
    for (int row = 0; row < count; ++row) document_.setText(language, row, controls_.storedText(row));
}

void CaptionPanel::clearAllTimes() {
    document_.clearAllTimes();
    FillingGuard guard(fillingControls_);
    for (int row = 0; row < controls_.rowCount(); ++row) controls_.setLabelText(row, kEmpty);
}

bool CaptionPanel::clearCurrentTexts() {
    if (!document_.hasCurrentLanguage()) return false;
    const int language = document_.currentLanguage();
    for (int row = 0; row < rowCount(); ++row) {
        // WM_CLEAR removes only the selected part of an edit box's text; a change it
        // makes is reported like typing. Only boxes that were used can hold a
        // selection, and those are settled.
        const RowControls::ControlSet* set = controls_.setOf(row);
        if (set && set->settled) SendMessageW(set->edit, WM_CLEAR, 0, 0);
        document_.setText(language, row, u"");
    }
    return true;
}

bool CaptionPanel::selectRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    selectedRow_ = row;
    // The focus change notifies the edit box losing the focus as well; the row asked
    // for stays the selected one.
    if (const RowControls::ControlSet* set = ownControls(row)) SetFocus(set->edit);
    selectedRow_ = row;
    return true;
}

void CaptionPanel::showRowsFrom(int top) {
    scrollTo(std::max(0, std::min(top, maxTopRow_)));
    setScrollPosition(topRow_);
}

void CaptionPanel::ensureRowVisible(int row) {
    if (row >= topRow_ && row < topRow_ + kVisibleRows) return;
    const int newTop = row >= topRow_ + kVisibleRows ? row - (kVisibleRows - 1) : row;
    scrollTo(newTop);
    setScrollPosition(topRow_);
}

void CaptionPanel::focusSelectedRow() {
    if (!hasSelection()) return;
    if (const RowControls::ControlSet* set = ownControls(selectedRow_)) SetFocus(set->edit);
}

void CaptionPanel::setDpi(UINT dpi) {
    if (dpi == 0 || dpi == dpi_) return;
    dpi_ = dpi;
    if (hwnd()) layoutRows();
}

void CaptionPanel::layoutRows() {
    updateGeometry();
    if (controls_.rowCount() == 0) return;
    controls_.markPending();
    updateControls();
}

void CaptionPanel::selectPreviousRow() {
    if (!hasSelection() || selectedRow_ == 0) return;
    selectRow(selectedRow_ - 1);
    ensureRowVisible(selectedRow_);
}

void CaptionPanel::selectNextRow() {
    if (rowCount() == 0) return;
    if (!hasSelection()) {
        selectRow(0);
    } else {
        if (selectedRow_ == rowCount() - 1) return;
        selectRow(selectedRow_ + 1);
    }
    ensureRowVisible(selectedRow_);
}

void CaptionPanel::setStartTime(int row, double ms) { document_.setStartTime(row, ms, *codePage_); }

LRESULT CaptionPanel::onCreate(WPARAM, LPARAM) {
    controls_.setParent(hwnd());
    SetScrollRange(hwnd(), SB_VERT, 0, 0, FALSE);
    topRow_ = 0;
    maxTopRow_ = 0;
    SetScrollPos(hwnd(), SB_VERT, 0, TRUE);
    selectedRow_ = -1;
    document_.setCurrentLanguage(0);
    highlightBrush_.reset(CreateSolidBrush(kHighlightColor));
    updateGeometry();
    return 0;
}

LRESULT CaptionPanel::onDestroy(WPARAM, LPARAM) {
    // The child controls are destroyed after this; their last notifications find no row.
    controls_.forget();
    document_ = CaptionDocument();
    highlightBrush_.reset();
    return 0;
}

LRESULT CaptionPanel::onSize(WPARAM, LPARAM) {
    layoutRows();
    return 0;
}

LRESULT CaptionPanel::onPaint(WPARAM, LPARAM) {
    // Whatever changed since the last paint reaches the controls before anything is drawn.
    updateControls();
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
// that row the selected one, and the row keeps its controls from then on.
LRESULT CaptionPanel::onCommand(WPARAM wParam, LPARAM lParam) {
    if (fillingControls_) return 0;
    const int row = rowOfEdit(reinterpret_cast<HWND>(lParam));
    if (row < 0) return 0;
    controls_.noteUse(row, HIWORD(wParam) == EN_CHANGE, view());
    selectedRow_ = row;
    InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
}

LRESULT CaptionPanel::onVScroll(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        if (topRow_ > 0) scrollTo(topRow_ - 1);
        break;
    case SB_LINEDOWN:
        if (topRow_ < maxTopRow_) scrollTo(topRow_ + 1);
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(hwnd(), SB_VERT, &info);
        scrollTo(info.nTrackPos);
        setScrollPosition(topRow_);
        return 0;
    }
    default:
        return 0;
    }
    if (GetScrollPos(hwnd(), SB_VERT) != topRow_) setScrollPosition(topRow_);
    return 0;
}

LRESULT CaptionPanel::onCtlColorEdit(WPARAM wParam, LPARAM lParam) {
    const RowControls::ControlSet* set = hasSelection() ? controls_.setOf(selectedRow_) : nullptr;
    if (!set || reinterpret_cast<HWND>(lParam) != set->edit) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kHighlightColor);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(highlightBrush_.get());
}

LRESULT CaptionPanel::onCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    const RowControls::ControlSet* set = hasSelection() ? controls_.setOf(selectedRow_) : nullptr;
    if (!set || reinterpret_cast<HWND>(lParam) != set->label) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kHighlightColor);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(highlightBrush_.get());
}

}  // namespace zav
