#pragma once
// The caption panel's row controls: a marker box, an edit box and a label per row,
// handed only to the rows that need them.
//
// Under Wine a control costs up to a millisecond to make or destroy and a tenth of
// one to move, so a panel of thousands of rows cannot keep three controls per row in
// step with every change. A row has controls while it is in the view, and for good
// once they were handed out (own) or used (focus, typing); the controls of any other
// row leaving the view pass to a row entering it. Controls are shown only while
// their row is in the view. Places, ids and texts of controls are brought up to
// date in update(), which the panel runs before it paints and before a control is
// handed out, so a run of operations (a text import adding rows one by one) moves
// each control once, not once per operation.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zav {

// One child control as the panel asks for it.
struct ControlRequest {
    DWORD exStyle;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
    int id;
};

// The part of the rows the panel shows, and the sizes the controls take.
struct RowView {
    int topRow = 0;
    int rows = 0;  // rows the client area has room for
    int editWidth = 0;
    int clientBottom = 0;
    // The row's height and the widths of its marker and label, at the panel's DPI
    // (RowControls' constants at 96 DPI).
    int rowHeight = 25;
    int markerWidth = 17;
    int labelWidth = 90;
    bool contains(int row) const noexcept { return row >= topRow && row < topRow + rows; }
};

// Sets a flag for the guard's lifetime (and restores what it was): while the panel
// writes into its controls, their notifications are neither a choice of row nor typing.
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

class RowControls {
public:
    // A row's height and the widths of its marker and label at 96 DPI.
    static constexpr int kRowHeight = 25;
    static constexpr int kMarkerWidth = 17;
    static constexpr int kLabelWidth = 90;
    using Factory = std::function<HWND(HWND parent, const ControlRequest&)>;

    // A marker box, an edit box and a label, showing one row or, while free, hidden
    // and kept for the next row that needs controls.
    struct ControlSet {
        HWND marker = nullptr;
        HWND edit = nullptr;
        HWND label = nullptr;
        int row = -1;              // the row shown; -1 while free
        int idRow = -1;            // the row whose control ids the controls carry
        bool settled = true;       // ids and texts are those of row (false after changing hands)
        bool stale = false;        // hidden, and its row's texts changed since they were written
        std::u16string editText;   // what the edit box holds, unless its row was edited
        std::u16string labelText;  // what the label holds
        bool visible = true;       // shown: the row is in view
        int y = 0;                 // where the controls were last placed
        int editWidth = 0;
        int rowHeight = 0;
    };

    // create makes the controls; filling is set while the controls are written to, so
    // that their notifications are not taken for the user's doing.
    RowControls(const Factory& create, bool& filling) : create_(create), filling_(filling) {}

    void setParent(HWND parent) noexcept { parent_ = parent; }

    static int markerId(int row) noexcept;
    static int editId(int row) noexcept;
    static int labelId(int row) noexcept;

    int rowCount() const noexcept { return static_cast<int>(rows_.size()); }
    // A new last row: it takes over the controls of a row leaving the view, or new
    // ones are made now, so that a failure is known at once. False when they could
    // not be made.
    bool appendRow(const RowView& view);
    // The last row goes with its controls; the others keep theirs.
    void removeLastRow();
    // Every row and every control; the newest controls go first.
    void removeAll();
    // Forgets every row and control without touching the windows (their parent is
    // being destroyed and takes them along).
    void forget() noexcept;

    // What the row's edit box and label show. An edited box is written even when the
    // text equals the one last shown: the box holds what was typed. The controls of
    // a row out of view are written only once they show again or are handed out:
    // after a sort, a user's evening of typed rows would otherwise cost thousands of
    // window calls for boxes nobody sees.
    void setEditText(int row, const std::u16string& text);
    void setLabelText(int row, const std::u16string& text);
    // The row's text as the user left it: a box that reported a change is read back.
    const std::u16string& storedText(int row);
    // What the row's edit box shows, typing not yet read back included, without
    // giving the row controls of its own.
    std::u16string shownText(int row) const;
    // Empties the undo buffer of the row's edit box, if it has one: what it holds
    // now is in the document's history, and the box's own undo must not reach past it.
    void forgetUndo(int row) const;

    // The row's controls, if it has any (nothing is made or brought up to date).
    const ControlSet* setOf(int row) const;
    // The row's controls, made or taken over first if need be, up to date and pinned.
    const ControlSet* own(int row, const RowView& view);
    // The row of an edit box, or -1 for any other window.
    int rowOfEdit(HWND edit) const;
    // A notification of the row's edit box: the row keeps its controls from now on,
    // and a change (EN_CHANGE) marks its text as edited.
    void noteUse(int row, bool changed, const RowView& view);

    // The view or the rows changed: update() has work to do.
    void markPending() noexcept { pending_ = true; }
    // Brings every control set up to date with its row and the view: ids, texts,
    // places; makes controls for rows in view that still have none.
    void update(const RowView& view);

private:
    // What one row shows, and which controls show it.
    struct Row {
        std::u16string text;   // what the row's edit box shows, unless the user edited it
        std::u16string label;  // what the row's label shows
        bool edited = false;   // the edit box reported a change since it was last read or set
        bool pinned = false;   // its controls were handed out or used: they stay this row's
        int set = -1;          // index into sets_, -1 while the row has no controls
    };

    // Rows out of view give up controls that are not pinned, and rows in view without
    // controls take free ones: bookkeeping only, the windows change in update().
    void passOn(const RowView& view);
    bool make(int row, const RowView& view);
    void settle(ControlSet& set);
    bool place(ControlSet& set, const RowView& view);
    void destroySet(int index);
    void destroyWindows(const ControlSet& set);
    void writeEditText(ControlSet& set, const std::u16string& text, bool force);
    void writeLabelText(ControlSet& set, const std::u16string& text);
    // Writes the texts a hidden set was spared while it was out of view.
    void flush(ControlSet& set);

    const Factory& create_;
    bool& filling_;
    HWND parent_ = nullptr;
    std::vector<Row> rows_;
    std::vector<ControlSet> sets_;  // in the order they were made
    bool pending_ = false;
};

}  // namespace zav
