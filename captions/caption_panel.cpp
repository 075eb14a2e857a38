#include "captions/caption_panel.h"

#include "resources/resource_ids.h"
#include "win/modal_ui.h"
#include "win/window_text.h"

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
// take ids from ranges of their own. Edit boxes stay below 20000 for the first
// 19,000 rows, and every id fits the 16 bits a WM_COMMAND carries up to row 25,535.
constexpr int kFirstSharedMarkerRow = IDC_ROW_EDIT_BASE - IDC_ROW_MARKER_BASE;
constexpr int kFirstSharedLabelRow = IDC_ROW_MARKER_BASE - IDC_ROW_LABEL_BASE;
constexpr int kLateMarkerBase = 20000;
constexpr int kLateLabelBase = 40000;

const std::u16string kEmpty;

// Controls are moved, shown and hidden without drawing, and without Wine erasing the
// panel after every single move; the panel is drawn once when they are all in place.
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_DEFERERASE;

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

// The accessors are const for their callers: which windows exist is not part of the
// panel's state, only that asking for a row's control yields one that stays its own.
HWND CaptionPanel::rowMarker(int row) const {
    const ControlSet* set = const_cast<CaptionPanel*>(this)->ownControls(row);
    return set ? set->marker : nullptr;
}
HWND CaptionPanel::rowEdit(int row) const {
    const ControlSet* set = const_cast<CaptionPanel*>(this)->ownControls(row);
    return set ? set->edit : nullptr;
}
HWND CaptionPanel::rowLabel(int row) const {
    const ControlSet* set = const_cast<CaptionPanel*>(this)->ownControls(row);
    return set ? set->label : nullptr;
}

std::u16string CaptionPanel::shownText(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return std::u16string();
    const ControlSet* set = setOf(row);
    // Controls still to take over the row show its text only after updateControls;
    // until then the row's own record is what it shows.
    if (!set || !set->settled || !set->edit) return rows_[row].text;
    return fromWide(windowText(set->edit));
}

const CaptionPanel::ControlSet* CaptionPanel::setOf(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || rows_[row].set < 0) return nullptr;
    return &sets_[rows_[row].set];
}

// Controls about to change hands carry their old ids until updateControls, so the
// edit box is also looked for among the sets.
int CaptionPanel::rowOfEdit(HWND edit) const {
    if (!edit) return -1;
    const int row = GetDlgCtrlID(edit) - IDC_ROW_EDIT_BASE;
    const ControlSet* set = setOf(row);
    if (set && set->edit == edit) return row;
    for (const ControlSet& other : sets_) {
        if (other.edit == edit) return other.row;
    }
    return -1;
}

bool CaptionPanel::isCaptionEdit(HWND window) const { return rowOfEdit(window) >= 0; }

void CaptionPanel::message(const wchar_t* text) { showMessage(hwnd(), text); }

// The edit width follows the window rectangle; the panel learns of every change
// through WM_SIZE, so the rows need not ask the window for it.
void CaptionPanel::updateGeometry() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    editWidth_ = (window.right - window.left) - kEditWidthMargin;
    RECT client{};
    GetClientRect(hwnd(), &client);
    clientBottom_ = client.bottom;
    viewRows_ = std::max(kVisibleRows, static_cast<int>((client.bottom + kRowHeight - 1) / kRowHeight));
}

bool CaptionPanel::moveView(int newTop) {
    if (topRow == newTop) return false;
    topRow = newTop;
    controlsPending_ = true;
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

const CaptionPanel::ControlSet* CaptionPanel::ownControls(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    updateControls();
    Row& owner = rows_[row];
    if (owner.set < 0) {
        // A row out of view: it takes free controls or gets new ones, hidden where the
        // rows out of view are, above or below the client area.
        const auto free = std::find_if(sets_.begin(), sets_.end(), [](const ControlSet& set) { return set.row < 0; });
        if (free != sets_.end()) {
            free->row = row;
            free->settled = false;
            owner.set = static_cast<int>(free - sets_.begin());
            FillingGuard guard(fillingControls_);
            settle(*free);
            place(*free);
        } else if (!makeControls(row, (row - topRow) * kRowHeight)) {
            return nullptr;
        }
    }
    owner.pinned = true;
    return &sets_[owner.set];
}

void CaptionPanel::passOnControls() {
    for (ControlSet& set : sets_) {
        if (set.row < 0 || inView(set.row) || rows_[set.row].pinned) continue;
        rows_[set.row].set = -1;
        set.row = -1;
    }
    const int end = std::min(topRow + viewRows_, static_cast<int>(rows_.size()));
    std::size_t next = 0;
    for (int row = std::max(topRow, 0); row < end; ++row) {
        if (rows_[row].set >= 0) continue;
        while (next < sets_.size() && sets_[next].row >= 0) ++next;
        if (next == sets_.size()) return;
        sets_[next].row = row;
        sets_[next].settled = false;
        rows_[row].set = static_cast<int>(next);
    }
}

void CaptionPanel::updateControls() {
    if (!controlsPending_) return;
    controlsPending_ = false;
    passOnControls();
    const int end = std::min(topRow + viewRows_, static_cast<int>(rows_.size()));
    for (int row = std::max(topRow, 0); row < end; ++row) {
        // A row whose controls cannot be made shows nothing; addRow has reported the
        // failure for rows that could not be added.
        if (rows_[row].set < 0) makeControls(row, (row - topRow) * kRowHeight);
    }
    FillingGuard guard(fillingControls_);
    bool moved = false;
    for (ControlSet& set : sets_) {
        if (set.row >= 0) {
            settle(set);
            moved = place(set) || moved;
        } else if (set.visible) {
            // Free controls are hidden and carry no row's id until they show a row again.
            const UINT flags = kMoveFlags | SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE;
            for (HWND control : {set.marker, set.edit, set.label}) {
                SetWindowPos(control, nullptr, 0, 0, 0, 0, flags);
                SetWindowLongPtrW(control, GWLP_ID, 0);
            }
            set.idRow = -1;
            set.visible = false;
            moved = true;
        }
    }
    // Controls were moved without drawing; the whole view is drawn once at the end.
    if (moved) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Controls of a row out of view are made hidden, like those of rows leaving the view.
bool CaptionPanel::makeControls(int row, int y) {
    ControlSet set;
    set.row = row;
    set.idRow = row;
    set.y = y;
    set.editWidth = editWidth_;
    set.visible = inView(row);
    const DWORD hidden = set.visible ? 0 : WS_VISIBLE;
    {
        FillingGuard guard(fillingControls_);
        set.marker = createControl(hwnd(), ControlRequest{kRowExStyle, L"STATIC", L" >", kStaticStyle & ~hidden, 0, y,
                                                          kMarkerWidth, kRowHeight, markerId(row)});
        set.edit = createControl(hwnd(), ControlRequest{kRowExStyle, L"EDIT", L"", kEditStyle & ~hidden, kMarkerWidth, y,
                                                        editWidth_, kRowHeight, editId(row)});
        set.label = createControl(hwnd(), ControlRequest{kRowExStyle, L"STATIC", L"", kStaticStyle & ~hidden,
                                                         editWidth_ + kMarkerWidth, y, kLabelWidth, kRowHeight, labelId(row)});
        if (!set.marker || !set.edit || !set.label) {
            for (HWND control : {set.edit, set.label, set.marker}) {
                if (control) DestroyWindow(control);
            }
            return false;
        }
        // A row made after it was filled (one out of view) shows its texts at once.
        writeEditText(set, rows_[row].text, false);
        writeLabelText(set, rows_[row].label);
    }
    rows_[row].set = static_cast<int>(sets_.size());
    sets_.push_back(std::move(set));
    return true;
}

// Controls that changed hands take the ids and texts of their new row.
void CaptionPanel::settle(ControlSet& set) {
    if (set.settled) return;
    const int row = set.row;
    if (set.idRow != row) {
        SetWindowLongPtrW(set.marker, GWLP_ID, markerId(row));
        SetWindowLongPtrW(set.edit, GWLP_ID, editId(row));
        SetWindowLongPtrW(set.label, GWLP_ID, labelId(row));
        set.idRow = row;
    }
    writeEditText(set, rows_[row].text, false);
    writeLabelText(set, rows_[row].label);
    set.settled = true;
}

// Rows in view are shown at their place. Rows out of view are hidden, above or below
// the client area: a row leaving the view is hidden where the move takes it, and a
// hidden row is moved again only if it lies in the client area (the panel grew, or
// the controls were free). Returns whether anything moved.
bool CaptionPanel::place(ControlSet& set) {
    const int y = (set.row - topRow) * kRowHeight;
    UINT flags = kMoveFlags;
    if (inView(set.row)) {
        if (set.visible && set.y == y && set.editWidth == editWidth_) return false;
        if (!set.visible) flags |= SWP_SHOWWINDOW;
    } else {
        if (!set.visible && (set.y <= -kRowHeight || set.y >= clientBottom_)) return false;
        if (set.visible) flags |= SWP_HIDEWINDOW;
    }
    SetWindowPos(set.marker, nullptr, 0, y, kMarkerWidth, kRowHeight, flags);
    SetWindowPos(set.edit, nullptr, kMarkerWidth, y, editWidth_, kRowHeight, flags);
    SetWindowPos(set.label, nullptr, editWidth_ + kMarkerWidth, y, kLabelWidth, kRowHeight, flags);
    set.y = y;
    set.editWidth = editWidth_;
    set.visible = inView(set.row);
    return true;
}

// Destroys the controls of a set and drops it; the later sets move up by one.
void CaptionPanel::destroyControls(int index) {
    if (sets_[index].row >= 0) rows_[sets_[index].row].set = -1;
    destroyWindows(sets_[index]);
    sets_.erase(sets_.begin() + index);
    for (auto later = sets_.begin() + index; later != sets_.end(); ++later) {
        if (later->row >= 0) rows_[later->row].set -= 1;
    }
}

void CaptionPanel::destroyWindows(const ControlSet& set) {
    FillingGuard guard(fillingControls_);
    DestroyWindow(set.edit);
    DestroyWindow(set.label);
    DestroyWindow(set.marker);
}

void CaptionPanel::writeEditText(ControlSet& set, const std::u16string& text, bool force) {
    if (force || set.editText != text) SetWindowTextW(set.edit, toWide(text).c_str());
    set.editText = text;
}

void CaptionPanel::writeLabelText(ControlSet& set, const std::u16string& text) {
    if (set.labelText == text) return;
    SetWindowTextW(set.label, toWide(text).c_str());
    set.labelText = text;
}

// An edited box is written even when the text equals the one last shown: the box
// holds what was typed. Controls that have yet to take over the row get the text in
// updateControls.
void CaptionPanel::setEditText(int row, const std::u16string& text) {
    Row& target = rows_[row];
    const bool edited = target.edited;
    target.text = text;
    target.edited = false;
    if (target.set >= 0 && sets_[target.set].settled) writeEditText(sets_[target.set], text, edited);
}

void CaptionPanel::setLabelText(int row, const std::u16string& text) {
    Row& target = rows_[row];
    target.label = text;
    if (target.set >= 0 && sets_[target.set].settled) writeLabelText(sets_[target.set], text);
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
    // A text import adds thousands of rows before the panel paints again: the scroll
    // bar and the view are marked for that paint once per row, not once per change.
    bool redraw = changeScrollRange(maxTopRow);

    // Beyond the twelfth row the view always moves to show the last twelve.
    if (count > kVisibleRows) redraw = moveView(count - kVisibleRows) || redraw;
    rows_.emplace_back();
    // The new row takes over the controls of a row leaving the view; only when there
    // are none are new ones made, now, so that a failure is reported here.
    passOnControls();
    const bool complete = rows_[row].set >= 0 || makeControls(row, (row - topRow) * kRowHeight);
    controlsPending_ = true;
    if (count > kVisibleRows) redraw = changeScrollPosition(topRow) || redraw;
    if (redraw) RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
    if (static_cast<int>(rows_.size()) > rowCount()) {
        if (rows_.back().set >= 0) destroyControls(rows_.back().set);
        rows_.pop_back();
        controlsPending_ = true;
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
    // The newest controls first, as deleting the rows from the last would; under Wine
    // this order is also much faster than the order of making.
    for (auto set = sets_.rbegin(); set != sets_.rend(); ++set) destroyWindows(*set);
    sets_.clear();
    rows_.clear();
    controlsPending_ = false;
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
            setEditText(row, hasLanguage ? document.text(document.currentLanguage, row) : kEmpty);
            setLabelText(row, labelTextOf(row));
        }
    }
    selectedRow = remembered;
}

// Only edit boxes that reported a change are read back; every other row's text is
// what the panel last put into its box or read from it.
void CaptionPanel::storeEditTexts() {
    if (!document.hasCurrentLanguage()) return;
    const int language = document.currentLanguage;
    const int count = std::min(rowCount(), static_cast<int>(rows_.size()));
    for (int row = 0; row < count; ++row) {
        Row& target = rows_[row];
        if (target.edited && target.set >= 0) {
            ControlSet& set = sets_[target.set];
            set.editText = fromWide(windowText(set.edit));
            target.text = set.editText;
            target.edited = false;
        }
        document.setText(language, row, target.text);
    }
}

void CaptionPanel::clearAllTimes() {
    document.clearAllTimes();
    FillingGuard guard(fillingControls_);
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) setLabelText(row, kEmpty);
}

bool CaptionPanel::clearCurrentTexts() {
    if (!document.hasCurrentLanguage()) return false;
    const int language = document.currentLanguage;
    for (int row = 0; row < rowCount(); ++row) {
        // WM_CLEAR removes only the selected part of an edit box's text; a change it
        // makes is reported like typing. Only boxes that were used can hold a
        // selection, and those are settled.
        const ControlSet* set = setOf(row);
        if (set && set->settled) SendMessageW(set->edit, WM_CLEAR, 0, 0);
        document.languages[language].texts[row].clear();
    }
    return true;
}

bool CaptionPanel::selectRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    selectedRow = row;
    // The focus change notifies the edit box losing the focus as well; the row asked
    // for stays the selected one.
    if (const ControlSet* set = ownControls(row)) SetFocus(set->edit);
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
    if (const ControlSet* set = ownControls(selectedRow)) SetFocus(set->edit);
}

void CaptionPanel::layoutRows() {
    updateGeometry();
    if (rows_.empty()) return;
    controlsPending_ = true;
    updateControls();
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
    FillingGuard guard(fillingControls_);
    setLabelText(row, labelTextOf(row));
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
    sets_.clear();
    document = CaptionDocument();
    highlightBrush.reset();
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
    // A click can reach controls that changed hands before the panel painted again.
    if (!sets_[rows_[row].set].settled) updateControls();
    rows_[row].pinned = true;
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
    const ControlSet* set = hasSelection() ? setOf(selectedRow) : nullptr;
    if (!set || reinterpret_cast<HWND>(lParam) != set->edit) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kHighlightColor);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(highlightBrush.get());
}

LRESULT CaptionPanel::onCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    const ControlSet* set = hasSelection() ? setOf(selectedRow) : nullptr;
    if (!set || reinterpret_cast<HWND>(lParam) != set->label) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kHighlightColor);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(highlightBrush.get());
}

}  // namespace zav
