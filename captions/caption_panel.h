#pragma once
// CaptionPanel: the scrolling child window of caption rows. Row i is a marker box,
// an edit box with the row's text in the current language and a label with its
// start time; twelve rows are visible and the view moves by whole rows. The panel
// holds the caption document and keeps its rows and controls in step.
//
// Under Wine a control costs up to a millisecond to make or destroy and a tenth of
// one to move, so a panel of thousands of rows cannot keep three controls per row in
// step with every change. A row has controls while it is in the view, and for good
// once they were handed out (rowEdit and the like) or used (focus, typing); the
// controls of any other row leaving the view pass to a row entering it. Controls are
// shown only while their row is in the view. Places, ids and texts of controls are
// brought up to date before the panel paints and before a control is handed out, so
// a run of operations (a text import adding rows one by one) moves each control
// once, not once per operation.

#include "core/caption_document.h"
#include "win/ansi_code_page.h"
#include "win/handles.h"
#include "win/window_base.h"
#include "win/wmp_interfaces.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>
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

class CaptionPanel : public Window<CaptionPanel> {
public:
    static constexpr int kRowHeight = 25;
    static constexpr int kVisibleRows = 12;
    static constexpr COLORREF kHighlightColor = RGB(135, 206, 250);

    static WindowClassSpec windowClass();
    static Table<MessageEntry> messageTable();

    CaptionPanel();
    ~CaptionPanel() override;

    // Creates the panel window as a child of parent at (310, 20)-(880, 305).
    HWND create(HWND parent, HINSTANCE instance);

    CaptionDocument document;
    IWMPControls* playerControls = nullptr;  // not owned: IWMPControls3 when offered, else its base
    int topRow = 0;
    int maxTopRow = 0;
    int selectedRow = -1;
    UniqueBrush highlightBrush;
    // Conversion of names and times; the system's ANSI code page.
    const CodePageConverter* codePage = &ansiCodePage();
    // Makes the row controls; tests replace it to make creation fail.
    std::function<HWND(HWND parent, const ControlRequest&)> createControl;
    static HWND createChildControl(HWND parent, const ControlRequest& request);

    bool addRow();
    bool deleteRow(int row);
    void deleteAllRows();
    void refreshRows();
    void storeEditTexts();
    void clearAllTimes();
    bool clearCurrentTexts();
    bool selectRow(int row);
    void ensureRowVisible(int row);
    void focusSelectedRow();
    void layoutRows();
    void selectPreviousRow();
    void selectNextRow();

    int rowCount() const noexcept { return document.rowCount(); }
    // selectedRow names a row (it may be stale after rows were deleted).
    bool hasSelection() const noexcept { return selectedRow >= 0 && selectedRow < rowCount(); }
    // document.setStartTime through the panel's code page; the label is not touched.
    void setStartTime(int row, double ms);
    // Sets the row's label from its time, as refreshRows does for every row.
    void showRowTime(int row);
    // True only for the edit box of one of the panel's rows.
    bool isCaptionEdit(HWND window) const;
    // The row's controls, made first if the row has none; from then on they are the
    // row's own. Null for a row that does not exist (or whose controls cannot be made).
    HWND rowMarker(int row) const;
    HWND rowEdit(int row) const;
    HWND rowLabel(int row) const;
    // What the row's edit box shows, typing not yet stored included, without giving
    // the row controls of its own (the caption preview reads every row it passes).
    // Empty for a row that does not exist.
    std::u16string shownText(int row) const;

    static int markerId(int row) noexcept;
    static int editId(int row) noexcept;
    static int labelId(int row) noexcept;

private:
    // What one row shows, and which controls show it.
    struct Row {
        std::u16string text;   // what the row's edit box shows, unless the user edited it
        std::u16string label;  // what the row's label shows
        bool edited = false;   // the edit box reported a change since it was last read or set
        bool pinned = false;   // its controls were handed out or used: they stay this row's
        int set = -1;          // index into sets_, -1 while the row has no controls
    };
    // A marker box, an edit box and a label, showing one row or, while free, hidden
    // and kept for the next row that needs controls.
    struct ControlSet {
        HWND marker = nullptr;
        HWND edit = nullptr;
        HWND label = nullptr;
        int row = -1;               // the row shown; -1 while free
        int idRow = -1;             // the row whose control ids the controls carry
        bool settled = true;        // ids and texts are those of row (false after changing hands)
        std::u16string editText;    // what the edit box holds, unless its row was edited
        std::u16string labelText;   // what the label holds
        bool visible = true;        // shown: the row is in view
        int y = 0;                  // where the controls were last placed
        int editWidth = 0;
    };

    LRESULT onCreate(WPARAM, LPARAM);
    LRESULT onDestroy(WPARAM, LPARAM);
    LRESULT onSize(WPARAM, LPARAM);
    LRESULT onPaint(WPARAM, LPARAM);
    LRESULT onEraseBackground(WPARAM, LPARAM);
    LRESULT onSysKeyDown(WPARAM, LPARAM);
    LRESULT onCommand(WPARAM, LPARAM);
    LRESULT onVScroll(WPARAM, LPARAM);
    LRESULT onCtlColorEdit(WPARAM, LPARAM);
    LRESULT onCtlColorStatic(WPARAM, LPARAM);

    void message(const wchar_t* text);
    int rowOfEdit(HWND edit) const;
    void updateGeometry();
    bool inView(int row) const noexcept { return row >= topRow && row < topRow + viewRows_; }
    // Moves the view to newTop; the controls follow in updateControls. moveView
    // leaves the drawing to its caller and returns whether the view moved.
    bool moveView(int newTop);
    void scrollTo(int newTop);
    // The change... functions set the scroll bar without drawing it and return
    // whether anything changed; the set... functions also mark it for the next paint.
    bool changeScrollRange(int maximum);
    bool changeScrollPosition(int position);
    void setScrollRange(int maximum);
    void setScrollPosition(int position);
    void redrawFrame();

    // The controls of row, if it has any (nothing is made or brought up to date).
    const ControlSet* setOf(int row) const;
    // The row's controls, made or taken over first if need be, up to date and pinned.
    const ControlSet* ownControls(int row);
    // Rows out of view give up controls that are not pinned, and rows in view without
    // controls take free ones: bookkeeping only, the windows change in updateControls.
    void passOnControls();
    // Brings every control set up to date with its row and the view: ids, texts,
    // places; makes controls for rows in view that still have none.
    void updateControls();
    bool makeControls(int row, int y);
    void settle(ControlSet& set);
    bool place(ControlSet& set);
    void destroyControls(int index);
    void destroyWindows(const ControlSet& set);
    void setEditText(int row, const std::u16string& text);
    void setLabelText(int row, const std::u16string& text);
    void writeEditText(ControlSet& set, const std::u16string& text, bool force);
    void writeLabelText(ControlSet& set, const std::u16string& text);
    const std::u16string& labelTextOf(int row) const;

    std::vector<Row> rows_;
    std::vector<ControlSet> sets_;  // in the order they were made
    HINSTANCE instance_ = nullptr;
    int editWidth_ = 0;
    int clientBottom_ = 0;
    int viewRows_ = kVisibleRows;
    // The view or the rows changed since updateControls last ran.
    bool controlsPending_ = false;
    // Set while the panel itself writes into its controls: their notifications are
    // neither a choice of row nor typing.
    bool fillingControls_ = false;
};

}  // namespace zav
