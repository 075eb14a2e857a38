#pragma once
// CaptionPanel: the scrolling child window of caption rows. Row i is a marker box,
// an edit box with the row's text in the current language and a label with its
// start time; twelve rows are visible and the view moves by whole rows. The panel
// holds the caption document and keeps its rows and controls in step.

#include "app/window_base.h"
#include "captions/ansi_code_page.h"
#include "captions/caption_document.h"
#include "playback/wmp_interfaces.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace zav {

struct BrushDeleter {
    void operator()(HBRUSH brush) const noexcept {
        if (brush) DeleteObject(brush);
    }
};
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

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
    HWND rowMarker(int row) const;
    HWND rowEdit(int row) const;
    HWND rowLabel(int row) const;

    static int markerId(int row) noexcept;
    static int editId(int row) noexcept;
    static int labelId(int row) noexcept;

private:
    struct RowControls {
        HWND marker = nullptr;
        HWND edit = nullptr;
        HWND label = nullptr;
        std::u16string shownText;   // what the edit box holds, unless edited
        std::u16string shownLabel;  // what the label shows
        bool edited = false;        // the edit box reported a change since it was last read or set
        int y = 0;                  // where the row's controls were last placed
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
    int windowWidth() const;
    void updateGeometry();
    // Moves the view to newTop: only rows entering or leaving the view are moved.
    void scrollTo(int newTop);
    void placeRow(int row);
    void placeRowsOfView(int top);
    void setScrollRange(int maximum);
    void setScrollPosition(int position);
    void setEditText(RowControls& controls, const std::u16string& text);
    void setLabelText(RowControls& controls, const std::u16string& text);
    const std::u16string& labelTextOf(int row) const;

    std::vector<RowControls> rows_;
    HINSTANCE instance_ = nullptr;
    int editWidth_ = 0;
    int viewRows_ = kVisibleRows;
    // Set while the panel itself writes into its controls: their notifications are
    // neither a choice of row nor typing.
    bool fillingControls_ = false;
};

}  // namespace zav
