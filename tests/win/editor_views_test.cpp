// The editor tells its views once per change, undo and redo, and what each touched;
// a change that throws leaves the document, the history and the views as they were.

#include "captions/language_commands.h"
#include "tests/win/main_window_fixture.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using zav::test::MainWindowFixture;

struct RecordingView final : zav::DocumentView {
    void documentChanged(const zav::DocumentChange& change) override { told.push_back(change); }
    std::vector<zav::DocumentChange> told;
};

struct EditorViewsTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        editor = &window->captionEditor();
        panel = &window->captionPanel();
        editor->addView(view);
    }
    void TearDown() override {
        editor->removeView(view);
        MainWindowFixture::TearDown();
    }
    void command(int id) { SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    RecordingView view;
    zav::CaptionEditor* editor = nullptr;
    zav::CaptionPanel* panel = nullptr;
};

TEST_F(EditorViewsTest, EachChangeIsToldOnceWithWhatItTouched) {
    struct Case {
        const char* name;
        std::function<void(EditorViewsTest&)> act;
        std::size_t told;
        bool times, texts, languages, shownLanguage;
    };
    const Case cases[] = {
        {"Clear All Times", [](EditorViewsTest& t) { t.command(IDC_CLEAR_ALL_TIMES); }, 1, true, false, false, false},
        {"undo", [](EditorViewsTest& t) { t.command(IDM_UNDO); }, 1, true, false, false, false},
        // The boxes show the typing already, and the sort moves nothing: no view has
        // anything to redraw.
        {"typing stored by Sort By Time",
         [](EditorViewsTest& t) {
             SetWindowTextW(t.panel->rowEdit(3), L"typed");
             t.command(IDC_SORT_BY_TIME);
         },
         0, false, false, false, false},
        {"a language", [](EditorViewsTest& t) { zav::appendLanguage(*t.editor, zav::LanguageClass("FR", "French", "fr")); },
         1, false, true, true, false},
        {"switching to it", [](EditorViewsTest& t) { t.editor->showLanguage(1); }, 1, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.told.clear();
        c.act(*this);
        ASSERT_EQ(view.told.size(), c.told);
        if (c.told == 0) continue;
        EXPECT_EQ(view.told[0].times, c.times);
        EXPECT_EQ(view.told[0].texts, c.texts);
        EXPECT_EQ(view.told[0].languages, c.languages);
        EXPECT_EQ(view.told[0].shownLanguage, c.shownLanguage);
    }
    // The typing went in when Sort By Time began, as its own step.
    EXPECT_EQ(panel->document().text(0, 3), u"typed");
    // Nothing to undo or redo: no view is told, nothing moves.
    editor->clearHistory();
    view.told.clear();
    EXPECT_FALSE(editor->undo());
    EXPECT_FALSE(editor->redo());
    EXPECT_TRUE(view.told.empty());
}

TEST_F(EditorViewsTest, AChangeThatThrowsIsTakenBackAndRecordsNothing) {
    editor->clearHistory();
    const zav::CaptionDocument before = panel->document();
    const auto times = [](const zav::CaptionDocument& d) {
        std::vector<double> t;
        for (const auto& entry : d.times()) t.push_back(entry.startMs);
        return t;
    };
    EXPECT_THROW(editor->change(L"Broken",
                                [&] {
                                    panel->addRow();
                                    panel->setStartTime(3, 4000);
                                    zav::CaptionPanelProbe::document(*panel).setText(0, 2, u"half done");
                                    throw std::runtime_error("broken");
                                }),
                 std::runtime_error);
    EXPECT_EQ(panel->rowCount(), before.rowCount());
    EXPECT_EQ(times(panel->document()), times(before));
    EXPECT_EQ(panel->document().text(0, 2), before.text(0, 2));
    EXPECT_EQ(panel->shownText(2), before.text(0, 2));
    EXPECT_FALSE(editor->canUndo());
    // The next change records as usual.
    command(IDC_ADD_CAPTION);
    EXPECT_EQ(editor->undoName(), u"Add Caption");
}

}  // namespace
