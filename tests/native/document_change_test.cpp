// What the editor tells its views: each kind of edit shows as exactly its own parts of
// the change, and states that share everything show none. Undo's steps back must not
// rely on history being right: the history refuses a step it does not have.
#include "core/document_change.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace zav {
namespace {

const test::IconvCodePage kCodePage;

CaptionDocument twoLanguages() {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("EN", "English", "en"));
    document.appendLanguage(LanguageClass("FR", "French", "fr"));
    for (int row = 0; row < 4; ++row) {
        document.appendRow();
        document.setStartTime(row, 1000.0 * row, kCodePage);
        document.setText(0, row, u"one " + std::u16string(1, u'a' + row));
    }
    return document;
}

struct Edit {
    const char* name;
    std::function<void(CaptionDocument&, DocumentState&)> apply;
    DocumentChange expected;
};

DocumentChange parts(bool rows, bool times, bool texts, bool languages, bool shown, bool selection) {
    DocumentChange change;
    change.rows = rows;
    change.times = times;
    change.texts = texts;
    change.languages = languages;
    change.shownLanguage = shown;
    change.selection = selection;
    return change;
}

TEST(DocumentChange, EachEditShowsAsItsOwnParts) {
    const Edit edits[] = {
        {"nothing", [](CaptionDocument&, DocumentState&) {}, parts(false, false, false, false, false, false)},
        {"a time", [](CaptionDocument& d, DocumentState&) { d.setStartTime(2, 2500, kCodePage); },
         parts(false, true, false, false, false, false)},
        {"the same time again", [](CaptionDocument& d, DocumentState&) { d.setStartTime(2, 2000, kCodePage); },
         parts(false, false, false, false, false, false)},
        {"a text of the second language", [](CaptionDocument& d, DocumentState&) { d.setText(1, 3, u"quatre"); },
         parts(false, false, true, false, false, false)},
        {"the first row's text", [](CaptionDocument& d, DocumentState&) { d.setText(0, 0, u"changed"); },
         parts(false, false, true, false, false, false)},
        {"a row", [](CaptionDocument& d, DocumentState&) { d.appendRow(); }, parts(true, true, true, false, false, false)},
        {"a language", [](CaptionDocument& d, DocumentState&) { d.appendLanguage(LanguageClass("DE", "German", "de")); },
         parts(false, false, true, true, false, false)},
        {"the shown language", [](CaptionDocument& d, DocumentState&) { d.setCurrentLanguage(1); },
         parts(false, false, false, false, true, false)},
        {"the selection", [](CaptionDocument&, DocumentState& s) { s.selectedRow = 3; },
         parts(false, false, false, false, false, true)},
        {"the view", [](CaptionDocument&, DocumentState& s) { s.topRow = 1; },
         parts(false, false, false, false, false, true)},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        CaptionDocument document = twoLanguages();
        const DocumentState before = captureState(document, nullptr, nullptr);
        DocumentState where;
        where.selectedRow = before.selectedRow;
        where.topRow = before.topRow;
        edit.apply(document, where);
        DocumentState after = captureState(document, nullptr, &before);
        after.selectedRow = where.selectedRow;
        after.topRow = where.topRow;
        const DocumentChange change = changeBetween(before, after);
        const DocumentChange& expected = edit.expected;
        EXPECT_EQ(change.rows, expected.rows);
        EXPECT_EQ(change.times, expected.times);
        EXPECT_EQ(change.texts, expected.texts);
        EXPECT_EQ(change.languages, expected.languages);
        EXPECT_EQ(change.shownLanguage, expected.shownLanguage);
        EXPECT_EQ(change.selection, expected.selection);
        EXPECT_FALSE(change.replaced);
        EXPECT_EQ(change.any(), expected.any());
    }
}

TEST(DocumentChange, HistoryRefusesStepsItDoesNotHave) {
    DocumentHistory history;
    EXPECT_EQ(history.undo(), nullptr);
    EXPECT_EQ(history.redo(), nullptr);
    const auto state = std::make_shared<const DocumentState>(captureState(twoLanguages(), nullptr, nullptr));
    history.record(u"Step", state, state);
    EXPECT_EQ(history.redo(), nullptr);
    EXPECT_EQ(history.undo(), state);
    EXPECT_EQ(history.undo(), nullptr);
    EXPECT_TRUE(history.canRedo());
}

}  // namespace
}  // namespace zav
