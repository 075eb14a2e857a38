#include "core/caption_timing.h"
#include "core/document_history.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace zav {
namespace {

const test::IconvCodePage kCodePage;

CaptionDocument makeDocument(int rows, int languages, unsigned seed) {
    std::mt19937 random(seed);
    CaptionDocument document;
    for (int l = 0; l < languages; ++l)
        document.appendLanguage(LanguageClass("L" + std::to_string(l), "Name " + std::to_string(l), "xx"));
    for (int row = 0; row < rows; ++row) {
        document.appendRow();
        if (random() % 4) document.setStartTime(row, (random() % 100000) + 0.25 * (random() % 4), kCodePage);
        for (int l = 0; l < languages; ++l) {
            if (random() % 3)
                document.setText(l, row, u"caption " + std::u16string(1, u'a' + random() % 26) + u" of row " +
                                             std::u16string(1, u'0' + row % 10));
        }
    }
    document.setCurrentLanguage(languages > 1 ? static_cast<int>(random() % languages) : 0);
    return document;
}

void expectSameDocument(const CaptionDocument& a, const CaptionDocument& b) {
    ASSERT_EQ(a.rowCount(), b.rowCount());
    ASSERT_EQ(a.languageCount(), b.languageCount());
    EXPECT_EQ(a.currentLanguage(), b.currentLanguage());
    for (int row = 0; row < a.rowCount(); ++row) {
        EXPECT_EQ(a.times()[row].startMs, b.times()[row].startMs) << row;
        EXPECT_EQ(a.times()[row].timeText, b.times()[row].timeText) << row;
    }
    for (int l = 0; l < a.languageCount(); ++l) {
        EXPECT_EQ(a.languages()[l].className(), b.languages()[l].className());
        EXPECT_EQ(a.languages()[l].displayName(), b.languages()[l].displayName());
        EXPECT_EQ(a.languages()[l].langCode(), b.languages()[l].langCode());
        EXPECT_EQ(a.languages()[l].texts(), b.languages()[l].texts());
    }
}

TEST(DocumentState, CapturedDocumentsComeBackExactly) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        const CaptionDocument document = makeDocument(static_cast<int>(seed % 23), 1 + seed % 3, seed);
        const DocumentState state = captureState(document, nullptr, nullptr);
        const CaptionDocument back = documentOf(state, kCodePage);
        expectSameDocument(back, document);
        EXPECT_TRUE(back.isConsistent());
        EXPECT_TRUE(captureState(back, nullptr, &state).sameDocument(state));
        EXPECT_TRUE(captureState(document, nullptr, nullptr).sameDocument(state));
        CaptionDocument grown = document;
        grown.appendLanguage(LanguageClass("More", "More", "xx"));
        const DocumentState more = captureState(grown, nullptr, &state);
        EXPECT_FALSE(more.sameDocument(state));
        EXPECT_FALSE(state.sameDocument(more));
    }
}

TEST(DocumentState, ShownTextsStandForTheCurrentLanguage) {
    CaptionDocument document = makeDocument(3, 2, 7);
    document.setCurrentLanguage(1);
    const std::vector<std::u16string> shown{u"typed", u"", std::u16string(250, u'x')};
    const DocumentState state = captureState(document, &shown, nullptr);
    EXPECT_EQ(state.text(1, 0), u"typed");
    EXPECT_EQ(state.text(1, 1), u"");
    EXPECT_EQ(state.text(1, 2), std::u16string(199, u'x'));
    EXPECT_EQ(state.text(0, 0), document.text(0, 0));
}

TEST(DocumentState, WhatDidNotChangeIsShared) {
    CaptionDocument document = makeDocument(40, 2, 3);
    document.setText(0, 5, u"five");
    document.setText(1, 6, u"six");
    const DocumentState first = captureState(document, nullptr, nullptr);

    // Nothing changed: everything is the previous state's.
    const DocumentState same = captureState(document, nullptr, &first);
    EXPECT_EQ(same.times, first.times);
    EXPECT_EQ(same.languages[0].texts, first.languages[0].texts);
    EXPECT_TRUE(same.sameDocument(first));

    // One text: only its language's list is new, and its other texts are shared.
    document.setText(1, 6, u"six changed");
    const DocumentState edited = captureState(document, nullptr, &first);
    EXPECT_EQ(edited.times, first.times);
    EXPECT_EQ(edited.languages[0].texts, first.languages[0].texts);
    EXPECT_NE(edited.languages[1].texts, first.languages[1].texts);
    EXPECT_EQ((*edited.languages[0].texts)[5], (*first.languages[0].texts)[5]);
    EXPECT_FALSE(edited.sameDocument(first));

    // The first row's text alone.
    document.setText(0, 0, u"row zero changed");
    const DocumentState firstRow = captureState(document, nullptr, &edited);
    EXPECT_EQ(firstRow.text(0, 0), u"row zero changed");
    EXPECT_FALSE(firstRow.sameDocument(edited));

    // A sort moves the texts: the lists are new, the texts themselves are not.
    sortRowsByTime(document);
    const DocumentState sorted = captureState(document, nullptr, &edited);
    for (int row = 0; row < document.rowCount(); ++row) {
        if (document.text(0, row) == u"five")
            EXPECT_EQ((*sorted.languages[0].texts)[row], (*first.languages[0].texts)[5]);
    }
}

std::shared_ptr<const DocumentState> stateWithTime(double ms) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("A", "A", "a"));
    document.appendRow();
    document.setStartTime(0, ms, kCodePage);
    return std::make_shared<const DocumentState>(captureState(document, nullptr, nullptr));
}

double timeOf(const std::shared_ptr<const DocumentState>& state) { return (*state->times)[0]; }

TEST(DocumentHistory, UndoAndRedoWalkTheStepsAndANewStepDropsTheRedo) {
    DocumentHistory history;
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoName(), u"");
    const auto s0 = stateWithTime(0), s1 = stateWithTime(1), s2 = stateWithTime(2), s3 = stateWithTime(3);
    history.record(u"One", s0, s1);
    history.record(u"Two", s1, s2);
    EXPECT_EQ(history.undoName(), u"Two");
    EXPECT_EQ(timeOf(history.undo()), 0 + 1);
    EXPECT_EQ(history.undoName(), u"One");
    EXPECT_EQ(history.redoName(), u"Two");
    EXPECT_EQ(timeOf(history.undo()), 0);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(timeOf(history.redo()), 1);
    EXPECT_TRUE(history.canRedo());
    history.record(u"Three", s1, s3);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(timeOf(history.undo()), 1);
    EXPECT_EQ(timeOf(history.undo()), 0);
    history.redo();
    history.clear();
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.redoName(), u"");
}

// The estimate counts what the states hold, each shared part once: here the first
// state's times and its text "hello", which the second state shares.
TEST(DocumentHistory, MemoryCountsEachSharedPartOnce) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("A", "A", "a"));
    document.appendRow();
    document.appendRow();
    document.setText(0, 0, u"hello");
    const auto before = std::make_shared<const DocumentState>(captureState(document, nullptr, nullptr));
    document.setText(0, 1, u"x");
    const auto after = std::make_shared<const DocumentState>(captureState(document, nullptr, before.get()));
    DocumentHistory history;
    history.record(u"Edit", before, after);
    history.record(u"Again", after, after);
    const std::size_t state = sizeof(DocumentState) + sizeof(DocumentState::Language) + 2 * sizeof(SharedText);
    EXPECT_EQ(history.memoryBytes(), 2 * state + 2 * sizeof(double) + 2 * sizeof(std::u16string) + 6 * sizeof(char16_t));
}

TEST(DocumentHistory, TheLimitDropsTheOldestSteps) {
    for (std::size_t limit : {1u, 3u, 200u}) {
        DocumentHistory history(limit);
        const std::size_t recorded = limit + 5;
        for (std::size_t i = 0; i < recorded; ++i)
            history.record(u"Step", stateWithTime(static_cast<double>(i)), stateWithTime(static_cast<double>(i + 1)));
        EXPECT_EQ(history.size(), limit);
        double last = 0;
        while (history.canUndo()) last = timeOf(history.undo());
        EXPECT_EQ(last, static_cast<double>(recorded - limit)) << limit;
    }
}

TEST(DocumentHistory, TwoHundredSortsOfALargeDocumentStayWithinTensOfMegabytes) {
    CaptionDocument document = makeDocument(3000, 2, 11);
    DocumentHistory history;
    auto state = std::make_shared<const DocumentState>(captureState(document, nullptr, nullptr));
    std::mt19937 random(5);
    for (int step = 0; step < 220; ++step) {
        // Every step moves every row, the costliest kind for the history.
        for (int row = 0; row < document.rowCount(); ++row) document.setStartTime(row, random() % 1000000, kCodePage);
        sortRowsByTime(document);
        auto next = std::make_shared<const DocumentState>(captureState(document, nullptr, state.get()));
        history.record(u"Sort By Time", state, next);
        state = next;
    }
    EXPECT_EQ(history.size(), DocumentHistory::kDefaultLimit);
    EXPECT_LT(history.memoryBytes(), 40u * 1024 * 1024);
}

}  // namespace
}  // namespace zav
