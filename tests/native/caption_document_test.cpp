#include "core/caption_document.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

namespace zav {

// Reaches past the document's operations, to break its invariants on purpose.
struct CaptionDocumentProbe {
    static std::vector<TimeEntry>& times(CaptionDocument& d) { return d.times_; }
    static std::vector<std::u16string>& texts(CaptionDocument& d, int l) { return d.languages_[l].texts_; }
    static std::vector<std::u16string>& texts(LanguageClass& l) { return l.texts_; }
    static int& currentLanguage(CaptionDocument& d) { return d.currentLanguage_; }
};

namespace {

using Probe = CaptionDocumentProbe;
const test::IconvCodePage cp1252;

CaptionDocument documentWith(int rows, int languageCount = 1) {
    CaptionDocument document;
    for (int l = 0; l < languageCount; ++l) document.appendLanguage(LanguageClass("L" + std::to_string(l), "", ""));
    for (int r = 0; r < rows; ++r) document.appendRow();
    for (int l = 0; l < languageCount; ++l)
        for (int r = 0; r < rows; ++r) document.setText(l, r, u"text " + std::u16string(1, char16_t(u'a' + l)) + char16_t(u'0' + r));
    for (int r = 0; r < rows; ++r) document.setStartTime(r, 1000.0 * r, cp1252);
    return document;
}

TEST(CaptionDocument, RowsNeedALanguage) {
    CaptionDocument document;
    EXPECT_FALSE(document.appendRow());
    EXPECT_EQ(document.rowCount(), 0);
    document.appendLanguage(LanguageClass("US English", "US English", "en-us"));
    ASSERT_TRUE(document.appendRow());
    EXPECT_EQ(document.times()[0].startMs, -1);
    EXPECT_TRUE(document.times()[0].timeText.empty());
    EXPECT_EQ(document.text(0, 0), u"");
    EXPECT_TRUE(document.isConsistent());
}

TEST(CaptionDocument, NewLanguageGetsOneEmptyTextPerRowAndOthersKeepTheirs) {
    CaptionDocument document = documentWith(7);
    LanguageClass record("French", "French", "fr");
    Probe::texts(record) = {u"stray", u"texts"};
    EXPECT_EQ(document.appendLanguage(record), 1);
    ASSERT_EQ(document.languages()[1].texts().size(), 7u);
    for (const auto& text : document.languages()[1].texts()) EXPECT_TRUE(text.empty());
    EXPECT_EQ(document.text(0, 6), u"text a6");
    EXPECT_TRUE(document.isConsistent());
}

TEST(CaptionDocument, RemovingRowTwoOfFiveShiftsTextsAndTimesInEveryLanguage) {
    CaptionDocument document = documentWith(5, 2);
    ASSERT_TRUE(document.removeRow(2));
    ASSERT_EQ(document.rowCount(), 4);
    for (int l = 0; l < 2; ++l) {
        ASSERT_EQ(document.languages()[l].texts().size(), 4u);
        const char16_t letter = char16_t(u'a' + l);
        EXPECT_EQ(document.text(l, 1), std::u16string(u"text ") + letter + u'1');
        EXPECT_EQ(document.text(l, 2), std::u16string(u"text ") + letter + u'3');
        EXPECT_EQ(document.text(l, 3), std::u16string(u"text ") + letter + u'4');
    }
    EXPECT_EQ(document.times()[2].startMs, 3000);
    EXPECT_EQ(document.times()[3].timeText, u"00:00:04:000");
    EXPECT_FALSE(document.removeRow(4));
    EXPECT_FALSE(document.removeRow(-1));
    EXPECT_TRUE(document.isConsistent());
}

TEST(CaptionDocument, RemovingLanguagesResetsCurrentAndTheLastTakesTheRows) {
    CaptionDocument document = documentWith(3, 3);
    document.setCurrentLanguage(2);
    EXPECT_FALSE(document.removeLanguage(3));
    EXPECT_EQ(document.currentLanguage(), 2);
    ASSERT_TRUE(document.removeLanguage(1));
    EXPECT_EQ(document.currentLanguage(), 0);
    EXPECT_EQ(document.languages()[1].className(), "L2");
    EXPECT_EQ(document.rowCount(), 3);
    ASSERT_TRUE(document.removeLanguage(0));
    ASSERT_TRUE(document.removeLanguage(0));
    EXPECT_EQ(document.rowCount(), 0);
    EXPECT_TRUE(document.isConsistent());
}

TEST(CaptionDocument, RemovingAllRowsKeepsTheLanguages) {
    CaptionDocument document = documentWith(4, 2);
    document.setCurrentLanguage(1);
    document.removeAllRows();
    EXPECT_EQ(document.rowCount(), 0);
    ASSERT_EQ(document.languageCount(), 2);
    for (const LanguageClass& language : document.languages()) EXPECT_TRUE(language.texts().empty());
    EXPECT_EQ(document.languages()[1].className(), "L1");
    EXPECT_EQ(document.currentLanguage(), 1);
    EXPECT_TRUE(document.isConsistent());
    // Rows can be added again, with empty texts.
    ASSERT_TRUE(document.appendRow());
    EXPECT_EQ(document.text(1, 0), u"");
    EXPECT_TRUE(document.isConsistent());
}

TEST(CaptionDocument, ConsistencyCheckFindsEachBrokenInvariant) {
    EXPECT_TRUE(CaptionDocument().isConsistent());
    EXPECT_TRUE(documentWith(3, 2).isConsistent());

    CaptionDocument document = documentWith(3, 2);
    document.setCurrentLanguage(1);
    EXPECT_TRUE(document.isConsistent());
    Probe::currentLanguage(document) = 2;
    EXPECT_FALSE(document.isConsistent());
    Probe::currentLanguage(document) = -1;
    EXPECT_FALSE(document.isConsistent());

    document = documentWith(3, 2);
    Probe::times(document)[2].timeText = std::u16string(kMaxTimeText, u'9');
    EXPECT_TRUE(document.isConsistent());
    Probe::times(document)[2].timeText += u'9';
    EXPECT_FALSE(document.isConsistent());

    document = documentWith(3, 2);
    Probe::texts(document, 1).pop_back();
    EXPECT_FALSE(document.isConsistent());

    document = documentWith(3, 2);
    Probe::texts(document, 1)[2] = std::u16string(kMaxCaptionText, u'x');
    EXPECT_TRUE(document.isConsistent());
    Probe::texts(document, 1)[2] += u'x';
    EXPECT_FALSE(document.isConsistent());

    document = documentWith(3, 2);
    Probe::texts(document, 1)[2] = std::u16string(u"a\0b", 3);
    EXPECT_FALSE(document.isConsistent());

    // Rows without any language.
    document = CaptionDocument();
    Probe::times(document).emplace_back();
    EXPECT_FALSE(document.isConsistent());
}

TEST(CaptionDocument, TextsAreCutAt199Units) {
    CaptionDocument document = documentWith(1);
    document.setText(0, 0, std::u16string(250, u'x'));
    EXPECT_EQ(document.text(0, 0), std::u16string(199, u'x'));
    // A surrogate pair straddling the limit is dropped whole.
    std::u16string pair = std::u16string(198, u'y') + u"\xD83D\xDE00" + u"z";
    document.setText(0, 0, pair);
    EXPECT_EQ(document.text(0, 0), std::u16string(198, u'y'));
    document.setText(0, 0, std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(document.text(0, 0), u"ab");
}

TEST(CaptionDocument, StartTimeKeepsItsFractionAndShowsWholeMilliseconds) {
    CaptionDocument document = documentWith(2);
    document.setStartTime(1, 5025.9, cp1252);
    EXPECT_EQ(document.times()[1].startMs, 5025.9);
    EXPECT_EQ(document.times()[1].timeText, u"00:00:05:025");
    document.setStartTime(1, 100 * 3600000.0, cp1252);
    EXPECT_EQ(document.times()[1].timeText, u"100:00:00:000");
    document.setStartTime(1, 1e300, cp1252);
    EXPECT_EQ(document.times()[1].timeText.size(), kMaxTimeText);
    document.clearAllTimes();
    for (const TimeEntry& entry : document.times()) {
        EXPECT_EQ(entry.startMs, -1);
        EXPECT_TRUE(entry.timeText.empty());
    }
}

TEST(LanguageClass, NamesAreCutAtTheirByteLimits) {
    LanguageClass language(std::string(40, 'c'), std::string(120, 'd'), std::string(12, 'e'));
    EXPECT_EQ(language.className(), std::string(29, 'c'));
    EXPECT_EQ(language.displayName(), std::string(99, 'd'));
    EXPECT_EQ(language.langCode(), std::string(9, 'e'));
    language.setClassName(std::string("ab\0cd", 5));
    EXPECT_EQ(language.className(), "ab");
}

}  // namespace
}  // namespace zav
