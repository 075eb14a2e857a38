#pragma once
// CaptionPanel: the scrolling child window of caption rows. Row i is a marker box,
// an edit box with the row's text in the current language and a label with its
// start time; twelve rows are visible and the view moves by whole rows. The panel
// holds the caption document and keeps its rows and controls in step; which rows
// have controls at all is the business of its RowControls.

#include "captions/caption_source.h"
#include "captions/document_view.h"
#include "captions/row_controls.h"
#include "core/caption_document.h"
#include "win/ansi_code_page.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/window_base.h"
#include "win/wmp_interfaces.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace zav {

class CaptionPanel : public Window<CaptionPanel>, public DocumentView, public CaptionSource {
public:
    static constexpr int kRowHeight = RowControls::kRowHeight;
    static constexpr int kVisibleRows = 12;
    static constexpr COLORREF kHighlightColor = RGB(135, 206, 250);

    static WindowClassSpec windowClass();
    static Table<MessageEntry> messageTable();

    CaptionPanel();
    ~CaptionPanel() override;

    // Creates the panel window as a child of parent at (310, 20)-(880, 305).
    HWND create(HWND parent, HINSTANCE instance);
    // The DPI the rows are sized for (their 96-DPI sizes scaled); the rows are laid
    // out again when it changes.
    void setDpi(UINT dpi);
    // A row's height at the panel's DPI.
    int rowHeight() const noexcept { return px(kRowHeight); }

    // The document the panel shows. Only the caption editor changes it, inside a
    // change, and the panel's own row operations.
    const CaptionDocument& document() const noexcept { return document_; }
    // The first row in view, and the largest it can be.
    int topRow() const noexcept { return topRow_; }
    int maxTopRow() const noexcept { return maxTopRow_; }
    // The selected row (it may be stale after rows were deleted); setting it moves
    // neither the focus nor the view.
    int selectedRow() const noexcept { return selectedRow_; }
    void setSelectedRow(int row) noexcept { selectedRow_ = row; }
    // Conversion of names and times; the system's ANSI code page unless set.
    const CodePageConverter& codePage() const noexcept { return *codePage_; }
    void setCodePage(const CodePageConverter& codePage) noexcept { codePage_ = &codePage; }
    // Makes the row controls; tests replace it to make creation fail.
    using ControlFactory = std::function<HWND(HWND parent, const ControlRequest&)>;
    void setControlFactory(ControlFactory factory) { createControl_ = std::move(factory); }
    static HWND createChildControl(HWND parent, const ControlRequest& request);
    // The brush of the selected row's edit box and label.
    HBRUSH highlightBrush() const noexcept { return highlightBrush_.get(); }

    bool addRow();
    bool deleteRow(int row);
    void deleteAllRows();
    // Puts the document in place of the panel's, its rows coming one by one as
    // addRow adds them (so the view ends as after adding them); its current
    // language is shown. Rows whose controls cannot be made are dropped, and that
    // is said once.
    void takeDocument(CaptionDocument replacement);
    // The panel as a view of its document: the rows show their texts in the shown
    // language and their times, and the highlight follows the selection.
    void documentChanged(const DocumentChange& change) override;
    void refreshRows();
    void storeEditTexts();
    void clearAllTimes();
    bool clearCurrentTexts();
    bool selectRow(int row);
    void ensureRowVisible(int row);
    // Moves the view so that it starts at row top, as far as the rows allow.
    void showRowsFrom(int top);
    void focusSelectedRow();
    void layoutRows();
    void selectPreviousRow();
    void selectNextRow();

    int rowCount() const noexcept { return document_.rowCount(); }
    // selectedRow names a row (it may be stale after rows were deleted).
    bool hasSelection() const noexcept { return selectedRow_ >= 0 && selectedRow_ < rowCount(); }
    // document.setStartTime through the panel's code page; the label follows when the
    // views are told of the change (or at refreshRows).
    void setStartTime(int row, double ms);
    // True only for the edit box of one of the panel's rows.
    bool isCaptionEdit(HWND window) const;
    // The row whose edit box the window is, or -1 for any other window.
    int rowOfEdit(HWND edit) const;
    // The row's controls, made first if the row has none; from then on they are the
    // row's own. Null for a row that does not exist (or whose controls cannot be made).
    HWND rowMarker(int row) const;
    HWND rowEdit(int row) const;
    HWND rowLabel(int row) const;
    // What the row's edit box shows, typing not yet stored included, without giving
    // the row controls of its own (the caption preview reads every row it passes).
    // Empty for a row that does not exist.
    std::u16string shownText(int row) const override;
    const std::vector<TimeEntry>& captionTimes() const override { return document_.times(); }
    // The row's edit box forgets its own undo (see RowControls::forgetUndo).
    void forgetTypingUndo(int row) const { controls_.forgetUndo(row); }

    static int markerId(int row) noexcept { return RowControls::markerId(row); }
    static int editId(int row) noexcept { return RowControls::editId(row); }
    static int labelId(int row) noexcept { return RowControls::labelId(row); }

private:
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
    // Controls for the document's last row, and the view moved as a new row moves
    // it. False when the controls could not be made.
    bool appendRowControls();
    void updateGeometry();
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

    RowView view() const noexcept {
        return RowView{topRow_,         viewRows_,           editWidth_,         clientBottom_,
                       px(kRowHeight), px(RowControls::kMarkerWidth), px(RowControls::kLabelWidth)};
    }
    int px(int size96) const noexcept { return scaled(size96, dpi_); }
    const RowControls::ControlSet* ownControls(int row) { return controls_.own(row, view()); }
    void updateControls() { controls_.update(view()); }
    const std::u16string& labelTextOf(int row) const;

    // The editor hands the document out for a change; the unit tests reach it to set
    // up what they look at.
    friend class CaptionEditor;
    friend struct CaptionPanelProbe;

    CaptionDocument document_;
    int topRow_ = 0;
    int maxTopRow_ = 0;
    int selectedRow_ = -1;
    UniqueBrush highlightBrush_;
    const CodePageConverter* codePage_ = &ansiCodePage();
    ControlFactory createControl_;
    HINSTANCE instance_ = nullptr;
    int editWidth_ = 0;
    UINT dpi_ = 96;
    int clientBottom_ = 0;
    int viewRows_ = kVisibleRows;
    // Set while the panel itself writes into its controls: their notifications are
    // neither a choice of row nor typing.
    bool fillingControls_ = false;
    RowControls controls_{createControl_, fillingControls_};
};

}  // namespace zav
