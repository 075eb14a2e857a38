// Check Captions on the main window: the list and its count follow the document,
// a problem shows its row (and language) in the panel, the status line measures the
// typing, and the choices are kept for the next start.

#include "captions/language_commands.h"
#include "core/caption_checks.h"
#include "tests/win/main_window_fixture.h"
#include "win/settings.h"

#include <commctrl.h>

#include <string>

namespace {

using zav::test::MainWindowFixture;

struct CheckWindowTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        panel = &window->captionPanel();
        checks = &window->checkWindow();
        zav::CaptionDocument& document = zav::CaptionPanelProbe::document(*panel);
        // Row 1 too fast (40 characters in a second) and its line too long for a
        // 37-character profile; row 2 a clear; row 3 fine.
        const double times[] = {0, 1000, 2000, 4000, 8000};
        const std::u16string texts[] = {u"Fine text here.", std::u16string(40, u'a'), u"", u"Fine again.", u""};
        for (int row = 0; row < 5; ++row) {
            panel->setStartTime(row, times[row]);
            document.setText(0, row, texts[row]);
        }
        panel->refreshRows();
    }
    void command(int id) { SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::wstring title() const {
        wchar_t text[128] = {};
        GetWindowTextW(checks->hwnd(), text, 128);
        return text;
    }
    int listed() const { return static_cast<int>(ListView_GetItemCount(checks->list())); }
    std::size_t expected(bool all) const {
        const zav::CaptionDocument& d = panel->document();
        const auto& limits = checks->checkSettings().limits;
        return (all ? zav::checkDocument(d, limits) : zav::checkLanguage(d, d.currentLanguage(), limits)).problems.size();
    }

    zav::CaptionPanel* panel = nullptr;
    zav::CheckWindow* checks = nullptr;
};

TEST_F(CheckWindowTest, ListsFollowsEditsAndShowsTheRow) {
    command(IDM_CHECK_CAPTIONS);
    ASSERT_TRUE(checks->isOpen());
    EXPECT_EQ(GetWindow(checks->hwnd(), GW_OWNER), window->hwnd());
    const std::size_t before = expected(false);
    ASSERT_GE(before, 1u);
    EXPECT_EQ(listed(), static_cast<int>(before));
    EXPECT_EQ(title(), L"Check Captions - " + std::to_wstring(before) + (before == 1 ? L" problem" : L" problems"));

    // An edit through a command: the list follows.
    window->captionEditor().change(L"Edit", [&](zav::CaptionDocument& d) { d.setText(0, 3, std::u16string(60, u'b')); });
    EXPECT_GT(expected(false), before);
    EXPECT_EQ(listed(), static_cast<int>(expected(false)));

    // A problem of the second language, in the list of every language, shows that
    // language and selects its row.
    zav::appendLanguage(window->captionEditor(), zav::LanguageClass("FRCC", "French", "fr"));
    window->captionEditor().change(L"Edit", [&](zav::CaptionDocument& d) { d.setText(1, 1, std::u16string(50, u'c')); });
    checks->applySettings(checks->checkSettings(), true);
    EXPECT_EQ(listed(), static_cast<int>(expected(true)));
    int french = -1;
    for (int i = 0; i < listed() && french < 0; ++i) {
        if (checks->problems()[i].language == 1) french = i;
    }
    ASSERT_GE(french, 0);
    checks->showProblem(french);
    EXPECT_EQ(panel->document().currentLanguage(), 1);
    EXPECT_EQ(panel->selectedRow(), checks->problems()[french].row);

    // The status line measures what the selected row's box shows, typing included.
    panel->selectRow(0);
    SetWindowTextW(panel->rowEdit(0), std::wstring(30, L'x').c_str());
    checks->updateStatus();
    wchar_t status[256] = {};
    GetWindowTextW(checks->statusLine(), status, 256);
    EXPECT_EQ(std::wstring(status).rfind(L"Over the limits. Row 1: 30 characters a second (at most 17)", 0), 0u)
        << status;
}

TEST_F(CheckWindowTest, TheChoicesAndTheOpenWindowAreKeptForTheNextStart) {
    command(IDM_CHECK_CAPTIONS);
    zav::CheckSettings narrow;
    narrow.profile = "narrow";
    narrow.limits = zav::checkProfileNamed("narrow")->limits;
    narrow.limits.maxCpsHundredths = 1500;
    checks->applySettings(narrow, false);
    EXPECT_EQ(listed(), static_cast<int>(expected(false)));
    DestroyWindow(window->hwnd());
    EXPECT_TRUE(zav::CheckWindow::wasOpen());

    // The next start opens it again with the same choices.
    ASSERT_TRUE(create());
    checks = &window->checkWindow();
    ASSERT_TRUE(checks->isOpen());
    EXPECT_TRUE(checks->checkSettings() == narrow);
    // Escape closes it, for good.
    SendMessageW(checks->hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(checks->isOpen());
    EXPECT_FALSE(zav::CheckWindow::wasOpen());
}

}  // namespace
