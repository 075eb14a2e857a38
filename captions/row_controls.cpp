#include "captions/row_controls.h"

#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/window_text.h"

#include <algorithm>

namespace zav {
namespace {

constexpr DWORD kRowExStyle = WS_EX_WINDOWEDGE;
constexpr DWORD kStaticStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

// Markers keep 800 + i below row 200 and labels 300 + i below row 500; from there
// on those ids would reach the edit boxes (1000 + i) and the markers, so later rows
// take ids from ranges of their own. Edit boxes stay below 20000 for the first
// 19,000 rows, and every id fits the 16 bits a WM_COMMAND carries up to row 25,535.
constexpr int kFirstSharedMarkerRow = IDC_ROW_EDIT_BASE - IDC_ROW_MARKER_BASE;
constexpr int kFirstSharedLabelRow = IDC_ROW_MARKER_BASE - IDC_ROW_LABEL_BASE;
constexpr int kLateMarkerBase = 20000;
constexpr int kLateLabelBase = 40000;

// Controls are moved, shown and hidden without drawing, and without Wine erasing the
// panel after every single move; the panel is drawn once when they are all in place.
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_DEFERERASE;

int topOf(int row, const RowView& view) { return (row - view.topRow) * view.rowHeight; }

}  // namespace

int RowControls::markerId(int row) noexcept {
    return row < kFirstSharedMarkerRow ? IDC_ROW_MARKER_BASE + row : kLateMarkerBase + row;
}
int RowControls::editId(int row) noexcept { return IDC_ROW_EDIT_BASE + row; }
int RowControls::labelId(int row) noexcept {
    return row < kFirstSharedLabelRow ? IDC_ROW_LABEL_BASE + row : kLateLabelBase + row;
}

bool RowControls::appendRow(const RowView& view) {
    rows_.emplace_back();
    const int row = rowCount() - 1;
    passOn(view);
    const bool complete = rows_[row].set >= 0 || make(row, view);
    pending_ = true;
    return complete;
}

void RowControls::removeLastRow() {
    if (rows_.empty()) return;
    if (rows_.back().set >= 0) destroySet(rows_.back().set);
    rows_.pop_back();
    pending_ = true;
}

void RowControls::removeAll() {
    // Under Wine this order is also much faster than the order of making.
    for (auto set = sets_.rbegin(); set != sets_.rend(); ++set) destroyWindows(*set);
    sets_.clear();
    rows_.clear();
    pending_ = false;
}

void RowControls::forget() noexcept {
    rows_.clear();
    sets_.clear();
}

// Controls that have yet to take over the row get the text in update().
void RowControls::setEditText(int row, const std::u16string& text) {
    Row& target = rows_[row];
    const bool edited = target.edited;
    target.text = text;
    target.edited = false;
    if (target.set < 0 || !sets_[target.set].settled) return;
    ControlSet& set = sets_[target.set];
    if (set.visible && !set.stale) {
        writeEditText(set, text, edited);
    } else {
        set.stale = true;
    }
}

void RowControls::setLabelText(int row, const std::u16string& text) {
    Row& target = rows_[row];
    target.label = text;
    if (target.set < 0 || !sets_[target.set].settled) return;
    ControlSet& set = sets_[target.set];
    if (set.visible && !set.stale) {
        writeLabelText(set, text);
    } else {
        set.stale = true;
    }
}

void RowControls::flush(ControlSet& set) {
    if (!set.stale || set.row < 0) return;
    FillingGuard guard(filling_);
    // Forced: the box may still hold typing the row's text has replaced since.
    writeEditText(set, rows_[set.row].text, true);
    writeLabelText(set, rows_[set.row].label);
    set.stale = false;
}

// Only edit boxes that reported a change are read back; every other row's text is
// what the panel last put into its box or read from it.
const std::u16string& RowControls::storedText(int row) {
    Row& target = rows_[row];
    if (target.edited && target.set >= 0 && !sets_[target.set].stale) {
        ControlSet& set = sets_[target.set];
        set.editText = fromWide(windowText(set.edit));
        target.text = set.editText;
        target.edited = false;
        SendMessageW(set.edit, EM_EMPTYUNDOBUFFER, 0, 0);
    }
    return target.text;
}

void RowControls::forgetUndo(int row) const {
    const ControlSet* set = setOf(row);
    if (set && set->edit) SendMessageW(set->edit, EM_EMPTYUNDOBUFFER, 0, 0);
}

std::u16string RowControls::shownText(int row) const {
    if (row < 0 || row >= rowCount()) return std::u16string();
    const ControlSet* set = setOf(row);
    // Controls still to take over the row show its text only after update(); until
    // then the row's own record is what it shows.
    if (!set || !set->settled || set->stale || !set->edit) return rows_[row].text;
    return fromWide(windowText(set->edit));
}

const RowControls::ControlSet* RowControls::setOf(int row) const {
    if (row < 0 || row >= rowCount() || rows_[row].set < 0) return nullptr;
    return &sets_[rows_[row].set];
}

const RowControls::ControlSet* RowControls::own(int row, const RowView& view) {
    if (row < 0 || row >= rowCount()) return nullptr;
    update(view);
    Row& owner = rows_[row];
    if (owner.set < 0) {
        // A row out of view: it takes free controls or gets new ones, hidden where the
        // rows out of view are, above or below the client area.
        const auto free = std::find_if(sets_.begin(), sets_.end(), [](const ControlSet& set) { return set.row < 0; });
        if (free != sets_.end()) {
            free->row = row;
            free->settled = false;
            owner.set = static_cast<int>(free - sets_.begin());
            FillingGuard guard(filling_);
            settle(*free);
            place(*free, view);
        } else if (!make(row, view)) {
            return nullptr;
        }
    }
    owner.pinned = true;
    flush(sets_[owner.set]);
    return &sets_[owner.set];
}

// Controls about to change hands carry their old ids until update(), so the edit box
// is also looked for among the sets.
int RowControls::rowOfEdit(HWND edit) const {
    if (!edit) return -1;
    const int row = GetDlgCtrlID(edit) - IDC_ROW_EDIT_BASE;
    const ControlSet* set = setOf(row);
    if (set && set->edit == edit) return row;
    for (const ControlSet& other : sets_) {
        if (other.edit == edit) return other.row;
    }
    return -1;
}

void RowControls::noteUse(int row, bool changed, const RowView& view) {
    // A click can reach controls that changed hands before the panel painted again.
    if (!sets_[rows_[row].set].settled) update(view);
    rows_[row].pinned = true;
    if (changed) rows_[row].edited = true;
}

void RowControls::passOn(const RowView& view) {
    for (ControlSet& set : sets_) {
        if (set.row < 0 || view.contains(set.row) || rows_[set.row].pinned) continue;
        rows_[set.row].set = -1;
        set.row = -1;
    }
    const int end = std::min(view.topRow + view.rows, rowCount());
    std::size_t next = 0;
    for (int row = std::max(view.topRow, 0); row < end; ++row) {
        if (rows_[row].set >= 0) continue;
        while (next < sets_.size() && sets_[next].row >= 0) ++next;
        if (next == sets_.size()) return;
        sets_[next].row = row;
        sets_[next].settled = false;
        rows_[row].set = static_cast<int>(next);
    }
}

void RowControls::update(const RowView& view) {
    if (!pending_) return;
    pending_ = false;
    passOn(view);
    const int end = std::min(view.topRow + view.rows, rowCount());
    for (int row = std::max(view.topRow, 0); row < end; ++row) {
        // A row whose controls cannot be made shows nothing; the panel has reported the
        // failure for rows that could not be added.
        if (rows_[row].set < 0) make(row, view);
    }
    FillingGuard guard(filling_);
    bool moved = false;
    for (ControlSet& set : sets_) {
        if (set.row >= 0) {
            settle(set);
            moved = place(set, view) || moved;
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
    if (moved) RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Controls of a row out of view are made hidden, like those of rows leaving the view.
bool RowControls::make(int row, const RowView& view) {
    const int y = topOf(row, view);
    const int editWidth = view.editWidth;
    ControlSet set;
    set.row = row;
    set.idRow = row;
    set.y = y;
    set.editWidth = editWidth;
    set.rowHeight = view.rowHeight;
    set.visible = view.contains(row);
    const DWORD hidden = set.visible ? 0 : WS_VISIBLE;
    {
        FillingGuard guard(filling_);
        set.marker = create_(parent_, ControlRequest{kRowExStyle, L"STATIC", L" >", kStaticStyle & ~hidden, 0, y,
                                                      view.markerWidth, view.rowHeight, markerId(row)});
        set.edit = create_(parent_, ControlRequest{kRowExStyle, L"EDIT", L"", kEditStyle & ~hidden, view.markerWidth,
                                                    y, editWidth, view.rowHeight, editId(row)});
        set.label = create_(parent_, ControlRequest{kRowExStyle, L"STATIC", L"", kStaticStyle & ~hidden,
                                                     editWidth + view.markerWidth, y, view.labelWidth, view.rowHeight,
                                                     labelId(row)});
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
void RowControls::settle(ControlSet& set) {
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
    set.stale = false;
}

// Rows in view are shown at their place. Rows out of view are hidden, above or below
// the client area: a row leaving the view is hidden where the move takes it, and a
// hidden row is moved again only if it lies in the client area (the panel grew, or
// the controls were free). Returns whether anything moved.
bool RowControls::place(ControlSet& set, const RowView& view) {
    const int y = topOf(set.row, view);
    const int editWidth = view.editWidth;
    if (view.contains(set.row)) flush(set);
    UINT flags = kMoveFlags;
    if (view.contains(set.row)) {
        if (set.visible && set.y == y && set.editWidth == editWidth && set.rowHeight == view.rowHeight) return false;
        if (!set.visible) flags |= SWP_SHOWWINDOW;
    } else {
        if (!set.visible && (set.y <= -view.rowHeight || set.y >= view.clientBottom)) return false;
        if (set.visible) flags |= SWP_HIDEWINDOW;
    }
    SetWindowPos(set.marker, nullptr, 0, y, view.markerWidth, view.rowHeight, flags);
    SetWindowPos(set.edit, nullptr, view.markerWidth, y, editWidth, view.rowHeight, flags);
    SetWindowPos(set.label, nullptr, editWidth + view.markerWidth, y, view.labelWidth, view.rowHeight, flags);
    set.y = y;
    set.editWidth = editWidth;
    set.rowHeight = view.rowHeight;
    set.visible = view.contains(set.row);
    return true;
}

// Destroys the controls of a set and drops it; the later sets move up by one.
void RowControls::destroySet(int index) {
    if (sets_[index].row >= 0) rows_[sets_[index].row].set = -1;
    destroyWindows(sets_[index]);
    sets_.erase(sets_.begin() + index);
    for (auto later = sets_.begin() + index; later != sets_.end(); ++later) {
        if (later->row >= 0) rows_[later->row].set -= 1;
    }
}

void RowControls::destroyWindows(const ControlSet& set) {
    FillingGuard guard(filling_);
    DestroyWindow(set.edit);
    DestroyWindow(set.label);
    DestroyWindow(set.marker);
}

void RowControls::writeEditText(ControlSet& set, const std::u16string& text, bool force) {
    // A box rewritten from the document starts its own undo afresh, as Wine's edit
    // box does on WM_SETTEXT; said here so that no system leaves it to chance.
    if (force || set.editText != text) {
        SetWindowTextW(set.edit, toWide(text).c_str());
        SendMessageW(set.edit, EM_EMPTYUNDOBUFFER, 0, 0);
    }
    set.editText = text;
}

void RowControls::writeLabelText(ControlSet& set, const std::u16string& text) {
    if (set.labelText == text) return;
    SetWindowTextW(set.label, toWide(text).c_str());
    set.labelText = text;
}

}  // namespace zav
