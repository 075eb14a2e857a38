// Menu 202, the two bitmaps, icon 241 and the manifest, loaded from the test
// executable's own module as the program loads them from its own.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

HINSTANCE self() { return GetModuleHandleW(nullptr); }

struct Item {
    const wchar_t* label;
    UINT id;
    bool grayed = false;  // as the resource holds it
};

struct Popup {
    const wchar_t* label;
    std::vector<Item> items;
};

const std::vector<Popup>& mainMenuLayout() {
    static const std::vector<Popup> layout = {
        {L"&File",
         {{L"Open Media", IDM_OPEN_MEDIA},
          {L"New Caption File", IDM_NEW_CAPTION_FILE},
          {L"New Transcript File", IDM_NEW_TRANSCRIPT_FILE},
          {L"Open Transcript", IDM_OPEN_TRANSCRIPT},
          {L"Save Transcript As", IDM_SAVE_TRANSCRIPT_AS},
          {L"Import Text script", IDM_IMPORT_TEXT_SCRIPT},
          {L"E&xit", IDM_EXIT}}},
        // The pop-up of the undo history; both items start grayed.
        {L"&Edit", {{L"&Undo\tCtrl+Z", IDM_UNDO, true}, {L"&Redo\tCtrl+Y", IDM_REDO, true}}},
        {L"Windows Media",
         {{L"Export SAMI", IDM_EXPORT_SAMI}, {L"Import SAMI", IDM_IMPORT_SAMI}, {L"Create ASX", IDM_CREATE_ASX}}},
        // The pop-up the SubRip, WebVTT and TTML commands add to the menu.
        {L"&SubRip, WebVTT && TTML",
         {{L"Export &SubRip (.srt)...", IDM_EXPORT_SUBRIP},
          {L"Export &WebVTT (.vtt)...", IDM_EXPORT_WEBVTT},
          {L"Export &TTML (.ttml)...", IDM_EXPORT_TTML},
          {L"Export TTML, a&ll languages (.ttml)...", IDM_EXPORT_TTML_ALL},
          {L"&Import SubRip, WebVTT or TTML...", IDM_IMPORT_CUE_FILE},
          {L"&Add Language from SubRip, WebVTT or TTML...", IDM_ADD_CUE_LANGUAGE}}},
        // The tool windows.
        {L"&View",
         {{L"&Check Captions...", IDM_CHECK_CAPTIONS},
          {L"&Timeline\tCtrl+T", IDM_TIMELINE},
          {L"S&nap to Speech", IDM_SNAP_TO_SPEECH},
          {L"Snap &Selected Caption", IDM_SNAP_SELECTED},
          {L"Snap &All Captions to Speech", IDM_SNAP_ALL},
          // The settings of the recovery copies.
          {L"&Recovery Copies...", IDM_RECOVERY_SETTINGS}}},
        {L"MS Producer",
         {{L"Open Producer Movie", IDM_OPEN_PRODUCER_MOVIE}, {L"Export to Producer", IDM_EXPORT_TO_PRODUCER}}},
        {L"Help",
         {{L"About  ZAV Caption", IDM_ABOUT},
          {L"Quick Key Reference", IDM_QUICK_KEY_REFERENCE},
          {L"Help Contents", IDM_HELP_CONTENTS}}},
    };
    return layout;
}

struct MenuEntry {
    std::wstring label;
    UINT id = 0;
    UINT type = 0;
    UINT state = 0;
    HMENU submenu = nullptr;
};

MenuEntry entryAt(HMENU menu, int position) {
    wchar_t label[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = label;
    info.cch = 128;
    EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info));
    return {label, info.wID, info.fType, info.fState, info.hSubMenu};
}

// Every entry is a plain, unchecked string item, enabled unless said otherwise.
void expectPlainEnabled(const MenuEntry& entry, bool grayed = false) {
    EXPECT_EQ(entry.type & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW), 0u);
    EXPECT_EQ(entry.state & (MFS_GRAYED | MFS_DISABLED | MFS_CHECKED), grayed ? UINT{MF_GRAYED} : 0u);
}

TEST(MainMenu, PopupsItemsAndCommandIdsAreExact) {
    const HMENU menu = LoadMenuW(self(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    const std::vector<Popup>& layout = mainMenuLayout();
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(layout.size()));
    for (size_t p = 0; p < layout.size(); ++p) {
        const MenuEntry popup = entryAt(menu, static_cast<int>(p));
        SCOPED_TRACE(testing::PrintToString(popup.label));
        EXPECT_EQ(popup.label, layout[p].label);
        expectPlainEnabled(popup);
        ASSERT_NE(popup.submenu, nullptr);
        ASSERT_EQ(GetMenuItemCount(popup.submenu), static_cast<int>(layout[p].items.size()));
        for (size_t i = 0; i < layout[p].items.size(); ++i) {
            const MenuEntry item = entryAt(popup.submenu, static_cast<int>(i));
            EXPECT_EQ(item.label, layout[p].items[i].label);
            EXPECT_EQ(item.id, layout[p].items[i].id) << testing::PrintToString(item.label);
            EXPECT_EQ(item.submenu, nullptr);
            expectPlainEnabled(item, layout[p].items[i].grayed);
        }
    }
    DestroyMenu(menu);
}

struct DibFormat {
    LONG width = 0;
    LONG height = 0;
    WORD bitsPerPixel = 0;
};

DibFormat loadDib(int id) {
    DibFormat format;
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_NE(bitmap, nullptr) << "bitmap " << id << " does not load";
    if (!bitmap) return format;
    DIBSECTION dib{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    format = {dib.dsBmih.biWidth, dib.dsBmih.biHeight, dib.dsBmih.biBitCount};
    DeleteObject(bitmap);
    return format;
}

TEST(Pictures, PanelBitmapIs30By25) {
    const DibFormat panel = loadDib(IDB_PANEL_ICON);
    EXPECT_EQ(panel.width, 30);
    EXPECT_EQ(panel.height, 25);
    // The window paints it with LoadBitmapW, the plain device-dependent load.
    const HBITMAP plain = LoadBitmapW(self(), MAKEINTRESOURCEW(IDB_PANEL_ICON));
    ASSERT_NE(plain, nullptr);
    DeleteObject(plain);
}

TEST(Pictures, AboutPictureIs350By411InTrueColour) {
    const DibFormat about = loadDib(IDB_ABOUT_PICTURE);
    EXPECT_EQ(about.width, 350);
    EXPECT_EQ(about.height, 411);
    EXPECT_EQ(about.bitsPerPixel, 24);
}

// The icon group must offer 16, 32 and 48 pixel images, and each must load.
TEST(Pictures, MainIconHasThreeSizes) {
    const HRSRC group = FindResourceW(self(), MAKEINTRESOURCEW(IDI_MAIN_ICON), MAKEINTRESOURCEW(14));
    ASSERT_NE(group, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self(), group)));
    ASSERT_NE(bytes, nullptr);
    // GRPICONDIR: reserved, type, count, then 14-byte entries starting with width, height.
    const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i) widths.push_back(bytes[6 + 14 * i] == 0 ? 256 : bytes[6 + 14 * i]);
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48}));

    for (int size : {16, 32, 48}) {
        const auto icon = static_cast<HICON>(
            LoadImageW(self(), MAKEINTRESOURCEW(IDI_MAIN_ICON), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The manifest asks for the common controls 6 (visual styles), per-monitor DPI
// awareness (v2, then v1, with the older dpiAware switch for Windows 7 and 8),
// Windows 10/11 among the supported systems, long paths, and no elevation.
TEST(Manifest, AsksForVisualStylesPerMonitorDpiAndLongPaths) {
    const HRSRC found = FindResourceW(self(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(self(), found)));
    ASSERT_NE(text, nullptr);
    const std::string manifest(text, SizeofResource(self(), found));
    for (const char* wanted :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"",
          ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>", ">true</longPathAware>",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "level=\"asInvoker\""})
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
}

}  // namespace
