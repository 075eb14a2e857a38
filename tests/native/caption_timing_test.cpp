#include "core/caption_timing.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

// Rows with the given times, and per language a text naming the language and the
// row it started in.
CaptionDocument documentWithTimes(const std::vector<double>& times, int languageCount) {
    CaptionDocument document;
    for (int l = 0; l < languageCount; ++l) document.appendLanguage(LanguageClass("L" + std::to_string(l), "", ""));
    for (std::size_t r = 0; r < times.size(); ++r) {
        document.appendRow();
        if (times[r] != kNoTime) document.setStartTime(static_cast<int>(r), times[r], cp1252);
        for (int l = 0; l < languageCount; ++l)
            document.setText(l, static_cast<int>(r), u"lang" + std::u16string(1, char16_t(u'0' + l)) + u" row" +
                                                      std::u16string(1, char16_t(u'0' + r)));
    }
    return document;
}

std::u16string textOf(int language, int row) {
    return u"lang" + std::u16string(1, char16_t(u'0' + language)) + u" row" + std::u16string(1, char16_t(u'0' + row));
}

TEST(TimeOrder, TimedRowsComeFirstAndEqualTimesAreEquivalent) {
    TimeEntry none, early, late, alsoEarly;
    early.startMs = 1000;
    alsoEarly.startMs = 1000;
    late.startMs = 2000;
    EXPECT_TRUE(comesBeforeInTime(early, late));
    EXPECT_FALSE(comesBeforeInTime(late, early));
    EXPECT_TRUE(comesBeforeInTime(late, none));
    EXPECT_FALSE(comesBeforeInTime(none, early));
    EXPECT_FALSE(comesBeforeInTime(none, none));
    EXPECT_FALSE(comesBeforeInTime(early, alsoEarly));
    EXPECT_FALSE(comesBeforeInTime(alsoEarly, early));
    // Time 0 is a time; only exactly -1 is none.
    TimeEntry zero;
    zero.startMs = 0;
    EXPECT_TRUE(comesBeforeInTime(zero, none));
}

TEST(SortRowsByTime, TimesComeInOrderAndEveryLanguagesTextsFollow) {
    CaptionDocument document = documentWithTimes({5000, -1, 2000, -1, 1000}, 2);
    sortRowsByTime(document);
    ASSERT_TRUE(document.isConsistent());
    ASSERT_EQ(document.rowCount(), 5);
    const std::vector<double> expectedTimes{1000, 2000, 5000, -1, -1};
    const std::vector<int> from{4, 2, 0, 1, 3};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(document.times()[row].startMs, expectedTimes[row]) << row;
        EXPECT_EQ(document.times()[row].sortIndex, from[row]) << row;
        for (int l = 0; l < 2; ++l) EXPECT_EQ(document.text(l, row), textOf(l, from[row])) << l << " " << row;
    }
    EXPECT_EQ(document.times()[0].timeText, u"00:00:01:000");
    EXPECT_TRUE(document.times()[3].timeText.empty());
}

TEST(SortRowsByTime, SortedDocumentsAndEmptyOnesAreLeftAlone) {
    CaptionDocument sorted = documentWithTimes({0, 1000, 1000.5, -1}, 1);
    sortRowsByTime(sorted);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(sorted.text(0, row), textOf(0, row));

    CaptionDocument empty;
    empty.appendLanguage(LanguageClass("L", "", ""));
    sortRowsByTime(empty);
    EXPECT_TRUE(empty.isConsistent());
    EXPECT_EQ(empty.rowCount(), 0);
}

TEST(SortRowsByTime, SortingAgainAfterRowsWereAddedStartsFromTheRowsAsTheyAre) {
    CaptionDocument document = documentWithTimes({3000, 1000, 2000}, 2);
    sortRowsByTime(document);
    // Sorted already: the second sort keeps every row where it is.
    sortRowsByTime(document);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(document.times()[row].sortIndex, row) << row;
    EXPECT_EQ(document.text(1, 0), textOf(1, 1));
    // A row added after the first sort, earlier than all of them.
    ASSERT_TRUE(document.appendRow());
    document.setStartTime(3, 500, cp1252);
    for (int l = 0; l < 2; ++l) document.setText(l, 3, textOf(l, 3));
    sortRowsByTime(document);
    const std::vector<double> expectedTimes{500, 1000, 2000, 3000};
    const std::vector<int> from{3, 0, 1, 2};
    const std::vector<int> original{3, 1, 2, 0};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(document.times()[row].startMs, expectedTimes[row]) << row;
        EXPECT_EQ(document.times()[row].sortIndex, from[row]) << row;
        for (int l = 0; l < 2; ++l) EXPECT_EQ(document.text(l, row), textOf(l, original[row])) << l << " " << row;
    }
}

TEST(SortRowsByTime, TimesThatAreNotNumbersDoNotBreakTheSort) {
    // A start time that is not a number is neither before nor after any other time,
    // which makes the order inconsistent; the sort must still keep every row.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> times;
    for (int i = 0; i < 60; ++i) times.push_back(i % 3 == 0 ? nan : (i % 5 == 0 ? -1 : 1000.0 * (60 - i)));
    CaptionDocument document = documentWithTimes(times, 2);
    sortRowsByTime(document);
    ASSERT_TRUE(document.isConsistent());
    std::vector<int> seen(60, 0);
    for (const TimeEntry& entry : document.times()) {
        ASSERT_GE(entry.sortIndex, 0);
        ASSERT_LT(entry.sortIndex, 60);
        seen[entry.sortIndex]++;
    }
    for (int count : seen) EXPECT_EQ(count, 1);
}

TEST(DuplicateRule, AnyRowsExactTimeIsADuplicate) {
    CaptionDocument document = documentWithTimes({0, 11500, -1}, 1);
    EXPECT_TRUE(isDuplicateTime(document.times(), 0));
    EXPECT_TRUE(isDuplicateTime(document.times(), 11500));
    EXPECT_FALSE(isDuplicateTime(document.times(), 11500.000001));
    // A row without a time holds -1, which no stamp can produce.
    EXPECT_TRUE(isDuplicateTime(document.times(), -1));
    EXPECT_FALSE(isDuplicateTime({}, 0));
}

TEST(StampedTimes, EnterStampsOneSecondEarlierAndSetTimeTheExactPosition) {
    EXPECT_EQ(stampedTimeMs(12.5), 11500);
    EXPECT_EQ(stampedTimeMs(0.4), 0);
    EXPECT_EQ(stampedTimeMs(1.0), 0);
    EXPECT_EQ(stampedTimeMs(0), 0);
    EXPECT_EQ(stampedTimeMs(61.25), 60250);
    EXPECT_EQ(setTimeMs(12.375), 12375);
    EXPECT_EQ(setTimeMs(0), 0);
    // The fraction of a millisecond stays.
    EXPECT_EQ(setTimeMs(1.0625), 1062.5);
    EXPECT_DOUBLE_EQ(setTimeMs(12.3456), 12345.6);
}

TEST(StartTimeFields, FieldsReadAsTheStandardConversionReadsThem) {
    EXPECT_EQ(fieldValue(""), 0);
    EXPECT_EQ(fieldValue("0"), 0);
    EXPECT_EQ(fieldValue("90000"), 90000);
    EXPECT_EQ(fieldValue("  42"), 42);
    EXPECT_EQ(fieldValue("\t+7"), 7);
    EXPECT_EQ(fieldValue("-15"), -15);
    EXPECT_EQ(fieldValue("12ab3"), 12);
    EXPECT_EQ(fieldValue("abc"), 0);
    EXPECT_EQ(fieldValue("- 5"), 0);
    EXPECT_EQ(fieldValue("007"), 7);
    EXPECT_EQ(fieldValue("999999999"), 999999999);
    EXPECT_EQ(fieldValue("99999999999999999999999"), kFieldLimit);
    EXPECT_EQ(fieldValue("-99999999999999999999999"), -kFieldLimit);
}

TEST(StartTimeFields, SumsOfAnyMixOfUnits) {
    EXPECT_EQ(editedStartMs({}), 0);
    EXPECT_EQ(editedStartMs({0, 2, 3, 4}), 123004);
    EXPECT_EQ(editedStartMs({0, 0, 0, 90000}), 90000);
    EXPECT_EQ(editedStartMs({1, 2, 3, 4}), 3723004);
    EXPECT_EQ(editedStartMs({0, 0, 90, 0}), 90000);
    // The largest time: 596 hours, 31 minutes, 23.647 seconds.
    EXPECT_EQ(editedStartMs({596, 31, 23, 647}), 2147483647);
    EXPECT_EQ(editedStartMs({0, 0, 0, -5}), -5);
    EXPECT_EQ(editedStartMs({0, 0, 0, -2147483647 - 1}), -2147483647 - 1);
}

TEST(StartTimeFields, SumsBeyondThirtyTwoBitsAreRefused) {
    EXPECT_FALSE(editedStartMs({596, 31, 23, 648}).has_value());
    EXPECT_FALSE(editedStartMs({999999999, 0, 0, 0}).has_value());
    EXPECT_FALSE(editedStartMs({999999999, 999999999, 999999999, 999999999}).has_value());
    EXPECT_FALSE(editedStartMs({0, 0, 2147484, 0}).has_value());
    EXPECT_FALSE(editedStartMs({-597, 0, 0, 0}).has_value());
    // Values no field can hold are still refused, not wrapped.
    const std::int64_t huge = std::numeric_limits<std::int64_t>::max();
    EXPECT_FALSE(editedStartMs({huge, huge, huge, huge}).has_value());
    EXPECT_FALSE(editedStartMs({-huge, 0, 0, 0}).has_value());
    // A large hour count cancelled by negative milliseconds stays in range.
    EXPECT_EQ(editedStartMs({1000, 0, 0, -3600000000LL + 5}), 5);
}

}  // namespace
}  // namespace zav
