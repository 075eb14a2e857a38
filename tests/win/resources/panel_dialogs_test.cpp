// The two modeless panels of the main window: the transport panel and the command
// panel, which the main window creates as children.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/win/resources/dialog_probe.h"

namespace zav::test {
namespace {

constexpr DWORD kSlider = TBS_NOTICKS | TBS_BOTH | WS_TABSTOP;

TEST(TransportPanelDialog, MatchesItsLayout) {
    expectDialogMatches({IDD_TRANSPORT_PANEL, L"", kPanelStyle, L"MS Sans Serif", 204, 107, {
        {IDC_SEEK_SLIDER, Kind::Trackbar, L"", {21, 6, 161, 13}, kSlider, WS_EX_STATICEDGE},
        {IDC_STEP_BACK, Kind::PushButton, L"<<", {7, 6, 15, 13}, WS_TABSTOP},
        {IDC_STEP_FORWARD, Kind::PushButton, L">>", {182, 6, 15, 13}, WS_TABSTOP},
        {IDC_PLAY, Kind::DefButton, L"Play", {7, 26, 28, 23}, WS_TABSTOP},
        {IDC_STOP, Kind::DefButton, L"Stop", {34, 26, 28, 23}, WS_TABSTOP},
        {-1, Kind::GroupBox, L"Sound Control", {64, 23, 133, 27}},
        {IDC_MUTE, Kind::PushButton, L"Mute", {67, 32, 23, 13}, WS_TABSTOP},
        {IDC_VOLUME_DOWN, Kind::PushButton, L"-", {94, 32, 16, 13}, WS_TABSTOP},
        {IDC_VOLUME_SLIDER, Kind::Trackbar, L"", {110, 32, 69, 13}, kSlider, WS_EX_STATICEDGE},
        {IDC_VOLUME_UP, Kind::PushButton, L"+", {179, 32, 16, 13}, WS_TABSTOP},
        {-1, Kind::GroupBox, L"Player State Information", {7, 54, 113, 46}},
        {-1, Kind::Text, L"Current Position:", {13, 66, 54, 12}},
        {IDC_POSITION_TEXT, Kind::Text, L"00:00:00:000", {71, 66, 44, 12}},
        {-1, Kind::Text, L"Movie Duration:", {13, 82, 54, 12}},
        {IDC_DURATION_TEXT, Kind::Text, L"00:00:00:000", {71, 82, 42, 12}},
        {-1, Kind::GroupBox, L"Player Rate", {124, 54, 73, 46}},
        {IDC_RATE_DOWN, Kind::PushButton, L"-", {131, 72, 16, 13}, WS_TABSTOP},
        {IDC_RATE_TEXT, Kind::CenteredText, L"1.0", {147, 73, 26, 13}, SS_SUNKEN},
        {IDC_RATE_UP, Kind::PushButton, L"+", {173, 72, 16, 13}, WS_TABSTOP},
    }});
}

TEST(TransportPanelDialog, SlidersAreWorkingTrackbars) {
    DialogProbe probe(IDD_TRANSPORT_PANEL);
    ASSERT_NE(probe.handle(), nullptr);
    const HWND volume = GetDlgItem(probe.handle(), IDC_VOLUME_SLIDER);
    SendMessageW(volume, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(volume, TBM_SETPOS, TRUE, 57);
    EXPECT_EQ(SendMessageW(volume, TBM_GETPOS, 0, 0), 57);
    EXPECT_EQ(SendMessageW(volume, TBM_GETRANGEMAX, 0, 0), 100);
}

TEST(CommandPanelDialog, MatchesItsLayout) {
    expectDialogMatches({IDD_COMMAND_PANEL, L"", kPanelStyle, L"MS Sans Serif", 906, 137, {
        {IDC_EDIT_START_TIME, Kind::DefButton, L"Edit Start Time", {21, 35, 58, 14}, WS_TABSTOP},
        {IDC_GOTO_START_TIME, Kind::DefButton, L"Goto Start Time", {22, 59, 57, 14}, WS_TABSTOP},
        {-1, Kind::GroupBox, L"Selection Commands", {15, 14, 145, 77}},
        {IDC_DELETE_CAPTION, Kind::DefButton, L"Delete Caption", {95, 35, 58, 14}, WS_TABSTOP},
        {IDC_SET_TIME, Kind::DefButton, L"Set Time", {96, 59, 58, 14}, WS_TABSTOP},
        {-1, Kind::GroupBox, L"Global Commands", {165, 14, 75, 77}},
        {IDC_SORT_BY_TIME, Kind::DefButton, L"Sort By Time", {174, 27, 58, 14}, WS_TABSTOP},
        {IDC_CLEAR_ALL_TIMES, Kind::DefButton, L"Clear All Times", {174, 47, 58, 14}, WS_TABSTOP},
        {IDC_ADD_CAPTION, Kind::DefButton, L"Add Caption", {174, 67, 58, 14}, WS_TABSTOP},
        {IDC_LANGUAGE_COMBO, Kind::Combo, L"", {267, 27, 91, 85}, WS_TABSTOP},
        {IDC_ADD_LANGUAGE, Kind::PushButton, L"Add Language", {269, 46, 88, 15}, WS_TABSTOP},
        {IDC_DELETE_LANGUAGE, Kind::PushButton, L"Delete Language", {269, 68, 88, 15}, WS_TABSTOP},
        {-1, Kind::GroupBox, L"Language Commands", {249, 14, 123, 77}},
    }});
}

// The language box is a drop-down whose list scrolls once many languages exist.
TEST(CommandPanelDialog, LanguageComboHoldsAndSelectsEntries) {
    DialogProbe probe(IDD_COMMAND_PANEL);
    ASSERT_NE(probe.handle(), nullptr);
    const HWND combo = GetDlgItem(probe.handle(), IDC_LANGUAGE_COMBO);
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < 20; ++i) {
        const std::wstring name = L"ZAV-" + std::to_wstring(i);
        EXPECT_EQ(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())), i);
    }
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 13, 0), 13);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 13);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    EXPECT_NE(info.hwndItem, nullptr) << "a drop-down combo has an edit field";
    EXPECT_NE(GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_VSCROLL, 0) << "the list does not scroll";
}

}  // namespace
}  // namespace zav::test
