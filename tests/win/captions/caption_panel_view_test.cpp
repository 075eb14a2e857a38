// What the caption panel shows once it paints. Rows pass their controls on while the
// view moves, so the child windows are read as they are (not through rowEdit and the
// like, which would give the rows controls of their own): every row in view must
// show its own ids and texts at its place, and the pixels must be those a full
// repaint draws.
#include "tests/win/captions/panel_fixture.h"
#include "tests/win/window_pixels.h"

#include "captions/language_commands.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace zav::test {
namespace {

struct ShownRow {
    HWND marker = nullptr;
    HWND edit = nullptr;
    HWND label = nullptr;
};

class PanelViewTest : public PanelTest {
protected:
    // Lets the panel bring its controls up to date as it does before painting.
    void paint() { SendMessageW(panel.hwnd(), WM_PAINT, 0, 0); }

    // The rows whose controls lie in the client area, by the row their place shows;
    // a second control at a place already taken is a fault.
    std::map<int, ShownRow> shownRows() {
        std::map<int, ShownRow> shown;
        RECT client{};
        GetClientRect(panel.hwnd(), &client);
        for (HWND child = GetWindow(panel.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
            const RECT rect = rectInPanel(child);
            if (rect.bottom <= 0 || rect.top >= client.bottom) continue;
            EXPECT_EQ(rect.top % CaptionPanel::kRowHeight, 0) << "a control between two rows";
            ShownRow& row = shown[panel.topRow() + rect.top / CaptionPanel::kRowHeight];
            HWND& slot = rect.left == 0 ? row.marker : rect.left == 17 ? row.edit : row.label;
            EXPECT_EQ(slot, nullptr) << "two controls at one place";
            slot = child;
        }
        return shown;
    }

    // Every row of the view, and only those, shows its ids, texts and places.
    void expectViewShowsTheDocument() {
        const std::map<int, ShownRow> shown = shownRows();
        const int end = std::min(panel.topRow() + CaptionPanel::kVisibleRows, panel.rowCount());
        ASSERT_EQ(static_cast<int>(shown.size()), end - panel.topRow()) << "top " << panel.topRow();
        RECT window{};
        GetWindowRect(panel.hwnd(), &window);
        const int editWidth = window.right - window.left - 127;
        for (const auto& [row, controls] : shown) {
            ASSERT_TRUE(controls.marker && controls.edit && controls.label) << row;
            EXPECT_GE(row, panel.topRow());
            EXPECT_LT(row, end);
            EXPECT_EQ(GetDlgCtrlID(controls.marker), CaptionPanel::markerId(row));
            EXPECT_EQ(GetDlgCtrlID(controls.edit), CaptionPanel::editId(row));
            EXPECT_EQ(GetDlgCtrlID(controls.label), CaptionPanel::labelId(row));
            EXPECT_EQ(textOf(controls.marker), L" >");
            EXPECT_EQ(textOf(controls.edit), toWide(panel.document().text(0, row))) << row;
            const TimeEntry& time = panel.document().times()[row];
            EXPECT_EQ(textOf(controls.label), time.startMs > -1 ? toWide(time.timeText) : L"") << row;
            const RECT edit = rectInPanel(controls.edit);
            EXPECT_EQ(edit.right - edit.left, editWidth) << row;
            EXPECT_EQ(rectInPanel(controls.label).left, editWidth + 17) << row;
        }
    }

    // Fills every row with a text and a time the way a text import does: rows added
    // one by one, the document written, then one refresh.
    void importRows(int count) {
        growTo(count);
        for (int row = 0; row < count; ++row) {
            zav::CaptionPanelProbe::document(panel).setText(0, row, u"caption " + fromWide(std::to_wstring(row)));
            panel.setStartTime(row, 1000.0 * row);
        }
        panel.refreshRows();
    }

    // Runs the messages a shown panel gets, its paints among them.
    static void pumpMessages() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // The pixels of the panel's window as drawn so far, frame and scroll bar included.
    std::vector<std::uint32_t> drawnPixels() { return zav::test::windowPixels(panel.hwnd(), true).pixels; }

    // After the panel painted what changed, it looks as if drawn afresh.
    void expectDrawnAsAfresh(const char* after) {
        pumpMessages();
        const std::vector<std::uint32_t> drawn = drawnPixels();
        RedrawWindow(panel.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpMessages();
        EXPECT_TRUE(drawn == drawnPixels()) << "the panel is not drawn right after " << after;
    }

    int childCount() {
        int count = 0;
        for (HWND child = GetWindow(panel.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
        return count;
    }
};

TEST_F(PanelViewTest, EveryRowEnteringTheViewShowsItsOwnContents) {
    reset();
    importRows(300);
    paint();
    expectViewShowsTheDocument();
    // To the top and back to the bottom, by whole views and by single lines, with and
    // without a paint between the moves.
    panel.ensureRowVisible(0);
    paint();
    expectViewShowsTheDocument();
    panel.ensureRowVisible(299);
    panel.ensureRowVisible(150);
    paint();
    expectViewShowsTheDocument();
    for (int i = 0; i < 5; ++i) SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    paint();
    expectViewShowsTheDocument();
    for (int i = 0; i < 20; ++i) {
        SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEUP, 0);
        paint();
    }
    expectViewShowsTheDocument();
    EXPECT_EQ(panel.topRow(), 135);
    // A refresh reaches the rows in view at once, and the others once they enter it.
    zav::CaptionPanelProbe::document(panel).setText(0, 140, u"changed in view");
    zav::CaptionPanelProbe::document(panel).setText(0, 10, u"changed out of view");
    panel.refreshRows();
    EXPECT_EQ(textOf(shownRows()[140].edit), L"changed in view");
    panel.ensureRowVisible(10);
    paint();
    expectViewShowsTheDocument();
    // Nothing of the rows that came and went is left over for a new document.
    reset();
    EXPECT_EQ(childCount(), 36);
    expectViewShowsTheDocument();
}

TEST_F(PanelViewTest, RowsWithoutControlsKeepTheirTextsForStoringAndDeleting) {
    reset();
    importRows(100);
    type(3, L"typed out of view");
    type(97, L"typed in view");
    panel.storeEditTexts();
    EXPECT_EQ(panel.document().text(0, 3), u"typed out of view");
    EXPECT_EQ(panel.document().text(0, 97), u"typed in view");
    EXPECT_EQ(panel.document().text(0, 50), u"caption 50");
    EXPECT_EQ(panel.document().text(0, 96), u"caption 96");

    type(60, L"typed, then deleted before");
    ASSERT_TRUE(panel.deleteRow(10));
    EXPECT_EQ(panel.rowCount(), 99);
    EXPECT_EQ(panel.document().text(0, 3), u"typed out of view");
    EXPECT_EQ(panel.document().text(0, 10), u"caption 11");
    EXPECT_EQ(panel.document().text(0, 59), u"typed, then deleted before");
    EXPECT_EQ(panel.document().text(0, 96), u"typed in view");
    EXPECT_EQ(panel.document().text(0, 98), u"caption 99");
    EXPECT_EQ(labelText(50), L"00:00:51:000");
    EXPECT_EQ(editText(50), L"caption 51");
    panel.ensureRowVisible(0);
    paint();
    expectViewShowsTheDocument();
    panel.ensureRowVisible(98);
    paint();
    expectViewShowsTheDocument();
}

TEST_F(PanelViewTest, ReadingWhatARowShowsGivesItNoControls) {
    reset();
    importRows(100);
    type(97, L"typed, not stored");
    paint();
    int children = 0;
    for (HWND child = GetWindow(panel.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;

    // Rows out of view read from the document, rows in view from their boxes.
    for (int row = 0; row < 100; ++row) {
        if (row == 97) continue;
        EXPECT_EQ(panel.shownText(row), u"caption " + fromWide(std::to_wstring(row))) << row;
    }
    EXPECT_EQ(panel.shownText(97), u"typed, not stored");
    EXPECT_EQ(panel.shownText(100), u"");
    EXPECT_EQ(panel.shownText(-1), u"");

    int after = 0;
    for (HWND child = GetWindow(panel.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++after;
    EXPECT_EQ(after, children);
}

TEST_F(PanelViewTest, AUsedRowKeepsItsControlsWhileTheViewMoves) {
    reset();
    importRows(40);
    paint();
    // Focus and typing reach row 30's edit box as a click would, without rowEdit.
    HWND edit = GetDlgItem(panel.hwnd(), IDC_ROW_EDIT_BASE + 30);
    ASSERT_TRUE(edit);
    SetFocus(edit);
    EXPECT_EQ(panel.selectedRow(), 30);
    SendMessageW(edit, EM_SETSEL, 100, 100);
    SendMessageW(edit, WM_CHAR, L'x', 1);
    panel.ensureRowVisible(0);
    paint();
    expectViewShowsTheDocument();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetDlgCtrlID(edit), IDC_ROW_EDIT_BASE + 30);
    EXPECT_EQ(textOf(edit), L"caption 30x");
    panel.storeEditTexts();
    EXPECT_EQ(panel.document().text(0, 30), u"caption 30x");
    EXPECT_EQ(panel.rowEdit(30), edit);
    panel.ensureRowVisible(30);
    paint();
    expectViewShowsTheDocument();
    EXPECT_EQ(shownRows()[30].edit, edit);
}

// Until the panel paints again, boxes can still show rows they no longer belong to;
// focus reaching one (a click on what the screen still shows) selects the row whose
// id it carries by then, and the box stays that row's.
TEST_F(PanelViewTest, ABoxFocusedBeforeThePanelPaintedAgainSelectsTheRowItCarries) {
    reset();
    importRows(40);
    paint();
    HWND shownAt33 = GetDlgItem(panel.hwnd(), IDC_ROW_EDIT_BASE + 33);
    ASSERT_TRUE(shownAt33);
    panel.ensureRowVisible(0);
    SetFocus(shownAt33);
    EXPECT_EQ(panel.selectedRow(), 33);
    EXPECT_EQ(panel.rowEdit(33), shownAt33);

    // A row added takes over the box of the row leaving the view at once.
    panel.ensureRowVisible(39);
    paint();
    HWND shownAt28 = GetDlgItem(panel.hwnd(), IDC_ROW_EDIT_BASE + 28);
    ASSERT_TRUE(shownAt28);
    ASSERT_TRUE(panel.addRow());
    SetFocus(shownAt28);
    EXPECT_EQ(panel.selectedRow(), 40);
    EXPECT_EQ(GetDlgCtrlID(shownAt28), IDC_ROW_EDIT_BASE + 40);
    EXPECT_EQ(textOf(shownAt28), L"");
    EXPECT_EQ(panel.rowEdit(40), shownAt28);
    paint();
    expectViewShowsTheDocument();
    EXPECT_EQ(GetFocus(), shownAt28);
}

TEST_F(PanelViewTest, ATallerPanelShowsMoreRowsAndAShorterOneHidesThemAgain) {
    reset();
    importRows(40);
    panel.ensureRowVisible(0);
    RECT window{};
    GetWindowRect(panel.hwnd(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    MoveWindow(panel.hwnd(), 310, 20, width + 50, height + 8 * CaptionPanel::kRowHeight, TRUE);
    std::map<int, ShownRow> shown = shownRows();
    ASSERT_EQ(shown.size(), 20u);
    for (const auto& [row, controls] : shown) {
        EXPECT_EQ(GetDlgCtrlID(controls.edit), IDC_ROW_EDIT_BASE + row);
        EXPECT_EQ(textOf(controls.edit), L"caption " + std::to_wstring(row));
        EXPECT_EQ(rectInPanel(controls.edit).right - rectInPanel(controls.edit).left, width + 50 - 127);
    }
    MoveWindow(panel.hwnd(), 310, 20, width, height, TRUE);
    expectViewShowsTheDocument();
}

TEST_F(PanelViewTest, AShownPanelDrawsEveryChangeOfTheView) {
    reset();
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    importRows(60);
    // The caret blinks: the focus stays off the rows while pixels are compared.
    SetFocus(combo);
    expectDrawnAsAfresh("a run of added rows");
    panel.ensureRowVisible(0);
    expectDrawnAsAfresh("a jump to the top");
    panel.setSelectedRow(11);
    for (int row = 12; row < 15; ++row) {
        panel.setSelectedRow(row);
        panel.ensureRowVisible(row);
        expectDrawnAsAfresh("a move by one row");
    }
    SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEUP, 0);
    expectDrawnAsAfresh("a line up");
    type(40, L"a row typed into out of view");
    zav::CaptionPanelProbe::document(panel).setText(0, 2, u"changed while in view");
    panel.refreshRows();
    expectDrawnAsAfresh("a refresh");
    panel.ensureRowVisible(40);
    SetFocus(combo);
    expectDrawnAsAfresh("the typed row coming into view");
    ASSERT_TRUE(panel.deleteRow(35));
    expectDrawnAsAfresh("a deletion");
    reset();
    SetFocus(combo);
    expectDrawnAsAfresh("a new document");
}

}  // namespace
}  // namespace zav::test
