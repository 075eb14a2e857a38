#include "tests/win/captions/panel_fixture.h"

#include "captions/language_commands.h"
#include "resources/resource_ids.h"

#include <set>

namespace zav::test {
namespace {

int scrollPos(HWND panel) { return GetScrollPos(panel, SB_VERT); }
int scrollMax(HWND panel) {
    int low = 0, high = 0;
    GetScrollRange(panel, SB_VERT, &low, &high);
    return high;
}
std::wstring classOf(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

TEST_F(PanelTest, WindowHasItsClassStylesAndPlace) {
    WNDCLASSW wc{};
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"scrollwindow", &wc));
    EXPECT_EQ(wc.style, UINT(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // The scroll bar shows only while the range is not empty.
    const LONG style = GetWindowLongW(panel.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), WS_CHILD | WS_VISIBLE | WS_BORDER);
    EXPECT_TRUE(GetWindowLongW(panel.hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT rect{};
    GetWindowRect(panel.hwnd(), &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 310);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 880);
    EXPECT_EQ(rect.bottom, 305);
    EXPECT_EQ(panel.selectedRow(), -1);
    EXPECT_EQ(panel.rowCount(), 0);
    EXPECT_TRUE(panel.highlightBrush() != nullptr);
}

TEST_F(PanelTest, StartUpDocumentHasTwelveRowsAndRowZeroAtTimeZero) {
    reset();
    const CaptionDocument& document = panel.document();
    ASSERT_EQ(document.languageCount(), 1);
    EXPECT_EQ(document.languages()[0].className(), "US English");
    EXPECT_EQ(document.languages()[0].displayName(), "US English");
    EXPECT_EQ(document.languages()[0].langCode(), "en-us");
    EXPECT_EQ(document.currentLanguage(), 0);
    EXPECT_EQ(comboCount(), 1);
    EXPECT_EQ(comboEntry(0), L"US English");
    EXPECT_EQ(comboSelection(), 0);
    ASSERT_EQ(panel.rowCount(), 12);
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(GetFocus(), panel.rowEdit(0));
    EXPECT_EQ(document.times()[0].startMs, 0);
    EXPECT_EQ(labelText(0), L"00:00:00:000");
    RECT window{};
    GetWindowRect(panel.hwnd(), &window);
    const int w = window.right - window.left;
    for (int row = 0; row < 12; ++row) {
        if (row > 0) {
            EXPECT_EQ(document.times()[row].startMs, -1);
            EXPECT_EQ(labelText(row), L"");
        }
        EXPECT_EQ(editText(row), L"");
        EXPECT_EQ(GetDlgCtrlID(panel.rowMarker(row)), 800 + row);
        EXPECT_EQ(GetDlgCtrlID(panel.rowEdit(row)), 1000 + row);
        EXPECT_EQ(GetDlgCtrlID(panel.rowLabel(row)), 300 + row);
        EXPECT_EQ(classOf(panel.rowEdit(row)), L"Edit");
        EXPECT_EQ(textOf(panel.rowMarker(row)), L" >");
        const RECT marker = rectInPanel(panel.rowMarker(row));
        const RECT edit = rectInPanel(panel.rowEdit(row));
        const RECT label = rectInPanel(panel.rowLabel(row));
        EXPECT_EQ(marker.left, 0);
        EXPECT_EQ(marker.right - marker.left, 17);
        EXPECT_EQ(edit.left, 17);
        EXPECT_EQ(edit.top, row * 25);
        EXPECT_EQ(edit.bottom - edit.top, 25);
        EXPECT_EQ(edit.right - edit.left, w - 127);
        EXPECT_EQ(label.left, w - 110);
        EXPECT_EQ(label.right - label.left, 90);
        EXPECT_EQ(label.top, row * 25);
    }
    EXPECT_EQ(panel.maxTopRow(), 0);
    EXPECT_EQ(scrollMax(panel.hwnd()), 0);
    EXPECT_TRUE(document.isConsistent());
}

TEST_F(PanelTest, RowControlsAreAskedForWithTheirStyles) {
    reset();
    std::vector<ControlRequest> asked;
    panel.setControlFactory([&asked](HWND parent, const ControlRequest& request) {
        asked.push_back(request);
        return CaptionPanel::createChildControl(parent, request);
    });
    ASSERT_TRUE(panel.addRow());
    ASSERT_EQ(asked.size(), 3u);
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_BORDER;
    EXPECT_EQ(std::wstring(asked[0].className), L"STATIC");
    EXPECT_EQ(std::wstring(asked[0].text), L" >");
    EXPECT_EQ(asked[0].style, common);
    EXPECT_EQ(asked[0].id, 812);
    EXPECT_EQ(std::wstring(asked[1].className), L"EDIT");
    EXPECT_EQ(asked[1].style, common | WS_TABSTOP | ES_AUTOHSCROLL);
    EXPECT_EQ(asked[1].id, 1012);
    EXPECT_EQ(std::wstring(asked[2].className), L"STATIC");
    EXPECT_EQ(asked[2].style, common);
    EXPECT_EQ(asked[2].id, 312);
    for (const ControlRequest& request : asked) {
        EXPECT_EQ(request.exStyle, DWORD(WS_EX_WINDOWEDGE));
        EXPECT_EQ(request.y, 11 * 25);
        EXPECT_EQ(request.height, 25);
    }
    EXPECT_TRUE(GetWindowLongW(panel.hwnd(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(PanelTest, ThirteenthRowScrollsToShowRowsOneToTwelve) {
    reset();
    ASSERT_TRUE(panel.addRow());
    EXPECT_EQ(panel.maxTopRow(), 1);
    EXPECT_EQ(panel.topRow(), 1);
    EXPECT_EQ(scrollMax(panel.hwnd()), 1);
    EXPECT_EQ(scrollPos(panel.hwnd()), 1);
    EXPECT_EQ(topOf(panel.rowEdit(1)), 0);
    EXPECT_EQ(topOf(panel.rowEdit(12)), 11 * 25);
    EXPECT_EQ(topOf(panel.rowLabel(12)), 11 * 25);
    EXPECT_EQ(topOf(panel.rowMarker(12)), 11 * 25);
    EXPECT_LT(topOf(panel.rowEdit(0)), 0);
    // Adding moves neither the selection nor the focus.
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(GetFocus(), panel.rowEdit(0));
}

TEST_F(PanelTest, DeletingFromThirteenRowsAtTopRowOneScrollsBack) {
    reset();
    ASSERT_TRUE(panel.addRow());
    ASSERT_EQ(panel.topRow(), 1);
    for (int row = 0; row < 13; ++row) type(row, L"row " + std::to_wstring(row));
    ASSERT_TRUE(panel.deleteRow(5));
    EXPECT_EQ(panel.rowCount(), 12);
    EXPECT_EQ(panel.topRow(), 0);
    EXPECT_EQ(panel.maxTopRow(), 0);
    EXPECT_EQ(scrollPos(panel.hwnd()), 0);
    EXPECT_EQ(scrollMax(panel.hwnd()), 0);
    EXPECT_EQ(topOf(panel.rowEdit(0)), 0);
    EXPECT_EQ(topOf(panel.rowEdit(11)), 11 * 25);
    EXPECT_EQ(panel.rowEdit(12), nullptr);
    // The rows below the deleted one show their texts one row up; the time moved too.
    EXPECT_EQ(editText(4), L"row 4");
    EXPECT_EQ(editText(5), L"row 6");
    EXPECT_EQ(editText(11), L"row 12");
    EXPECT_EQ(labelText(0), L"00:00:00:000");
    EXPECT_EQ(panel.document().text(0, 5), u"row 6");
    EXPECT_FALSE(panel.deleteRow(12));
    EXPECT_FALSE(panel.deleteRow(-1));
}

TEST_F(PanelTest, EnsureRowVisibleMovesTheViewByWholeRows) {
    reset();
    growTo(20);
    panel.ensureRowVisible(0);
    ASSERT_EQ(panel.topRow(), 0);
    panel.ensureRowVisible(19);
    EXPECT_EQ(panel.topRow(), 8);
    EXPECT_EQ(scrollPos(panel.hwnd()), 8);
    EXPECT_EQ(topOf(panel.rowEdit(19)), 11 * 25);
    panel.ensureRowVisible(10);
    EXPECT_EQ(panel.topRow(), 8);
    panel.ensureRowVisible(3);
    EXPECT_EQ(panel.topRow(), 3);
    EXPECT_EQ(topOf(panel.rowEdit(3)), 0);
    EXPECT_EQ(topOf(panel.rowLabel(14)), 11 * 25);
    // Rows out of view are never inside the client area.
    RECT client{};
    GetClientRect(panel.hwnd(), &client);
    for (int row = 0; row < 20; ++row) {
        if (row >= 3 && row < 15) continue;
        const RECT edit = rectInPanel(panel.rowEdit(row));
        EXPECT_TRUE(edit.bottom <= 0 || edit.top >= client.bottom) << row;
    }
}

TEST_F(PanelTest, UpAndDownMoveTheSelectionWithinTheRows) {
    reset();
    growTo(14);
    panel.selectRow(0);
    panel.ensureRowVisible(0);
    panel.selectPreviousRow();
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(panel.topRow(), 0);
    for (int i = 0; i < 12; ++i) panel.selectNextRow();
    EXPECT_EQ(panel.selectedRow(), 12);
    EXPECT_EQ(panel.topRow(), 1);
    EXPECT_EQ(GetFocus(), panel.rowEdit(12));
    panel.selectNextRow();
    ASSERT_EQ(panel.selectedRow(), 13);
    EXPECT_EQ(panel.topRow(), 2);
    panel.selectNextRow();
    EXPECT_EQ(panel.selectedRow(), 13);
    EXPECT_EQ(panel.topRow(), 2);
    panel.selectPreviousRow();
    EXPECT_EQ(panel.selectedRow(), 12);
    panel.setSelectedRow(-1);
    panel.selectNextRow();
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(panel.topRow(), 0);
}

TEST_F(PanelTest, ScrollBarLinesMoveTheViewWithinItsRange) {
    reset();
    growTo(14);
    SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(panel.topRow(), 2);
    for (int i = 0; i < 3; ++i) SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(panel.topRow(), 0);
    EXPECT_EQ(scrollPos(panel.hwnd()), 0);
    EXPECT_EQ(topOf(panel.rowEdit(0)), 0);
    SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(panel.topRow(), 1);
    EXPECT_EQ(scrollPos(panel.hwnd()), 1);
    EXPECT_EQ(topOf(panel.rowEdit(1)), 0);
    SendMessageW(panel.hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(panel.topRow(), 1);
}

TEST_F(PanelTest, RefreshKeepsTheSelectionAndShowsTheDocument) {
    reset();
    panel.setSelectedRow(3);
    for (int row = 0; row < 12; ++row) zav::CaptionPanelProbe::document(panel).setText(0, row, u"text " + std::u16string(1, u'a' + row));
    panel.setStartTime(7, 61002.5);
    panel.refreshRows();
    EXPECT_EQ(panel.selectedRow(), 3);
    EXPECT_EQ(editText(11), L"text l");
    EXPECT_EQ(labelText(7), L"00:01:01:002");
    panel.setStartTime(7, -2);
    panel.refreshRows();
    EXPECT_EQ(labelText(7), L"");
}

TEST_F(PanelTest, StoringKeepsAtMost199CharactersOfWhatWasTyped) {
    reset();
    type(2, std::wstring(250, L'w'));
    type(3, L"short");
    EXPECT_EQ(panel.document().text(0, 2), u"");
    panel.storeEditTexts();
    EXPECT_EQ(panel.document().text(0, 2), std::u16string(199, u'w'));
    EXPECT_EQ(panel.document().text(0, 3), u"short");
    // The edit box keeps everything typed until the next refresh.
    EXPECT_EQ(editText(2).size(), 250u);
    panel.refreshRows();
    EXPECT_EQ(editText(2).size(), 199u);
}

TEST_F(PanelTest, SelectionFollowsFocusAndTyping) {
    reset();
    SetFocus(panel.rowEdit(5));
    EXPECT_EQ(panel.selectedRow(), 5);
    SendMessageW(panel.rowEdit(7), WM_CHAR, L'x', 1);
    EXPECT_EQ(panel.selectedRow(), 7);
    panel.storeEditTexts();
    EXPECT_EQ(panel.document().text(0, 7), u"x");
}

TEST_F(PanelTest, OnlyTheSelectedRowIsPaintedLightBlue) {
    reset();
    panel.selectRow(4);
    HDC dc = CreateCompatibleDC(nullptr);
    auto colour = [&](UINT message, HWND control) {
        return SendMessageW(panel.hwnd(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    };
    EXPECT_EQ(colour(WM_CTLCOLOREDIT, panel.rowEdit(4)), reinterpret_cast<LRESULT>(panel.highlightBrush()));
    EXPECT_EQ(GetBkColor(dc), RGB(135, 206, 250));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(colour(WM_CTLCOLORSTATIC, panel.rowLabel(4)), reinterpret_cast<LRESULT>(panel.highlightBrush()));
    EXPECT_EQ(colour(WM_CTLCOLOREDIT, panel.rowEdit(5)), 0);
    EXPECT_EQ(colour(WM_CTLCOLORSTATIC, panel.rowLabel(5)), 0);
    EXPECT_EQ(colour(WM_CTLCOLORSTATIC, panel.rowMarker(4)), 0);
    panel.selectRow(5);
    EXPECT_EQ(colour(WM_CTLCOLOREDIT, panel.rowEdit(4)), 0);
    EXPECT_EQ(colour(WM_CTLCOLOREDIT, panel.rowEdit(5)), reinterpret_cast<LRESULT>(panel.highlightBrush()));
    DeleteDC(dc);
}

TEST_F(PanelTest, AddingARowWithoutLanguageIsRefused) {
    ASSERT_FALSE(panel.addRow());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"You must create a language class to add an edit box.");
    EXPECT_EQ(ui.boxes[0].owner, panel.hwnd());
    EXPECT_FALSE(ui.boxes[0].nullCaption);
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(ui.boxes[0].type, UINT(MB_OK));
    EXPECT_EQ(panel.rowCount(), 0);
}

TEST_F(PanelTest, RowsPastTwoHundredKeepThreeDistinctControls) {
    reset();
    growTo(250);
    std::set<HWND> handles;
    std::set<int> ids;
    for (int row = 0; row < 250; ++row) {
        for (HWND control : {panel.rowMarker(row), panel.rowEdit(row), panel.rowLabel(row)}) {
            ASSERT_TRUE(control) << row;
            EXPECT_EQ(GetParent(control), panel.hwnd());
            handles.insert(control);
            ids.insert(GetDlgCtrlID(control));
        }
        EXPECT_EQ(GetDlgCtrlID(panel.rowEdit(row)), 1000 + row);
        EXPECT_TRUE(panel.isCaptionEdit(panel.rowEdit(row)));
        EXPECT_FALSE(panel.isCaptionEdit(panel.rowMarker(row)));
        EXPECT_FALSE(panel.isCaptionEdit(panel.rowLabel(row)));
    }
    EXPECT_EQ(handles.size(), 750u);
    EXPECT_EQ(ids.size(), 750u);
    EXPECT_EQ(GetDlgCtrlID(panel.rowMarker(199)), 999);

    // Selection by focus works past row 100 and row 200.
    panel.ensureRowVisible(150);
    SetFocus(panel.rowEdit(150));
    EXPECT_EQ(panel.selectedRow(), 150);
    panel.ensureRowVisible(230);
    SetFocus(panel.rowEdit(230));
    EXPECT_EQ(panel.selectedRow(), 230);
    panel.setStartTime(230, 1234);
    zav::CaptionPanelProbe::document(panel).setText(0, 230, u"two thirty");
    panel.refreshRows();
    EXPECT_EQ(labelText(230), L"00:00:01:234");
    EXPECT_EQ(textOf(panel.rowMarker(230)), L" >");
    EXPECT_EQ(editText(230), L"two thirty");
    EXPECT_EQ(labelText(30), L"");
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SendMessageW(panel.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(panel.rowLabel(230))),
              reinterpret_cast<LRESULT>(panel.highlightBrush()));
    EXPECT_EQ(SendMessageW(panel.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(panel.rowMarker(230))),
              0);
    DeleteDC(dc);
    // Deleting a row past 200 keeps the rest in step.
    ASSERT_TRUE(panel.deleteRow(210));
    EXPECT_EQ(labelText(229), L"00:00:01:234");
    EXPECT_EQ(editText(229), L"two thirty");
    EXPECT_TRUE(panel.document().isConsistent());
}

TEST_F(PanelTest, FailedControlCreationRemovesTheHalfMadeRow) {
    reset();
    for (int row = 0; row < 12; ++row) type(row, L"kept " + std::to_wstring(row));
    int calls = 0;
    panel.setControlFactory([&calls](HWND parent, const ControlRequest& request) -> HWND {
        // The edit box of the next row cannot be made.
        if (++calls == 2) return nullptr;
        return CaptionPanel::createChildControl(parent, request);
    });
    ASSERT_FALSE(panel.addRow());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Unable to create the edit controls");
    EXPECT_EQ(ui.boxes[0].owner, panel.hwnd());
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_EQ(panel.rowCount(), 12);
    EXPECT_TRUE(panel.document().isConsistent());
    EXPECT_EQ(panel.topRow(), 0);
    EXPECT_EQ(panel.maxTopRow(), 0);
    EXPECT_EQ(scrollMax(panel.hwnd()), 0);
    EXPECT_EQ(panel.rowMarker(12), nullptr);
    int children = 0;
    for (HWND child = GetWindow(panel.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 36);
    EXPECT_EQ(panel.document().text(0, 11), u"kept 11");
    EXPECT_EQ(editText(11), L"kept 11");
    EXPECT_EQ(topOf(panel.rowEdit(0)), 0);
    // Once controls can be made again, rows are added as before.
    panel.setControlFactory(&CaptionPanel::createChildControl);
    ASSERT_TRUE(panel.addRow());
    EXPECT_EQ(panel.topRow(), 1);
    EXPECT_EQ(editText(12), L"");
}

TEST_F(PanelTest, ClearingTimesEmptiesEveryLabel) {
    reset();
    panel.setStartTime(3, 5025.9);
    panel.refreshRows();
    EXPECT_EQ(labelText(3), L"00:00:05:025");
    EXPECT_EQ(panel.document().times()[3].startMs, 5025.9);
    type(3, L"stays");
    panel.clearAllTimes();
    for (int row = 0; row < 12; ++row) {
        EXPECT_EQ(labelText(row), L"");
        EXPECT_EQ(panel.document().times()[row].startMs, -1);
    }
    EXPECT_EQ(editText(3), L"stays");
}

TEST_F(PanelTest, ClearingTheCurrentTextsEmptiesTheLanguage) {
    EXPECT_FALSE(panel.clearCurrentTexts());
    reset();
    zav::CaptionPanelProbe::document(panel).setText(0, 1, u"old");
    ASSERT_TRUE(panel.clearCurrentTexts());
    EXPECT_EQ(panel.document().text(0, 1), u"");
}

TEST_F(PanelTest, OnlyRowEditBoxesCountAsCaptionEdits) {
    reset();
    HWND comboEdit = GetWindow(combo, GW_CHILD);
    ASSERT_TRUE(comboEdit);
    ASSERT_EQ(GetDlgCtrlID(comboEdit), 1001);
    EXPECT_FALSE(panel.isCaptionEdit(comboEdit));
    EXPECT_TRUE(panel.isCaptionEdit(panel.rowEdit(1)));
    EXPECT_FALSE(panel.isCaptionEdit(nullptr));
    EXPECT_FALSE(panel.isCaptionEdit(panel.hwnd()));
    // A notification of the combo box's edit field does not select a row either.
    SendMessageW(panel.hwnd(), WM_COMMAND, MAKEWPARAM(1001, EN_SETFOCUS), reinterpret_cast<LPARAM>(comboEdit));
    EXPECT_EQ(panel.selectedRow(), 0);
}

TEST_F(PanelTest, WiderPanelWidensEveryRowInView) {
    reset();
    growTo(20);
    MoveWindow(panel.hwnd(), 310, 20, 700, 305, TRUE);
    EXPECT_EQ(rectInPanel(panel.rowEdit(19)).right - rectInPanel(panel.rowEdit(19)).left, 700 - 127);
    EXPECT_EQ(rectInPanel(panel.rowLabel(19)).left, 700 - 110);
    panel.ensureRowVisible(0);
    EXPECT_EQ(rectInPanel(panel.rowEdit(0)).right - rectInPanel(panel.rowEdit(0)).left, 700 - 127);
}

}  // namespace
}  // namespace zav::test
