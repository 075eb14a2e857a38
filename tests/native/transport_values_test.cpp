#include "core/transport_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zav {
namespace {

// Steps the rate as the rate buttons do, from 1.0, until the bound refuses.
std::vector<double> ratesReachedBy(int direction) {
    std::vector<double> rates;
    double rate = 1.0;
    for (int i = 0; i < 20; ++i) {
        if (direction > 0 ? !canRaiseRate(rate) : !canLowerRate(rate)) break;
        rate = direction > 0 ? rate + kRateStep : rate - kRateStep;
        rates.push_back(rate);
    }
    return rates;
}

TEST(PlayRate, StepsFromOneStopAtOneAndAHalfAndAtOneHalf) {
    const std::vector<double> up = ratesReachedBy(+1);
    ASSERT_EQ(up.size(), 5u);
    EXPECT_NEAR(up.back(), 1.5, 1e-12);
    EXPECT_FALSE(canRaiseRate(up.back()));
    const std::vector<double> down = ratesReachedBy(-1);
    ASSERT_EQ(down.size(), 5u);
    EXPECT_NEAR(down.back(), 0.5, 1e-12);
    EXPECT_FALSE(canLowerRate(down.back()));
    // Going back from either bound is allowed.
    EXPECT_TRUE(canLowerRate(up.back()));
    EXPECT_TRUE(canRaiseRate(down.back()));
}

TEST(PlayRate, TextsOfEveryReachableRate) {
    std::vector<std::string> texts;
    const std::vector<double> down = ratesReachedBy(-1);
    for (auto it = down.rbegin(); it != down.rend(); ++it) texts.push_back(rateText(*it));
    // One step down and up again lands on 1.0 within its last bits.
    texts.push_back(rateText(1.0 - kRateStep + kRateStep));
    for (double rate : ratesReachedBy(+1)) texts.push_back(rateText(rate));
    const std::vector<std::string> expected = {"0.5", "0.6", "0.7", "0.8", "0.9", "1.",
                                               "1.1", "1.2", "1.3", "1.4", "1.5"};
    EXPECT_EQ(texts, expected);
}

TEST(PlayRate, TextRoundsToTwoSignificantDigitsInFixedNotation) {
    EXPECT_EQ(rateText(1.0), "1.");
    EXPECT_EQ(rateText(1.04), "1.");
    EXPECT_EQ(rateText(1.06), "1.1");
    EXPECT_EQ(rateText(0.95000001), "0.95");
    EXPECT_EQ(rateText(0.994), "0.99");
    EXPECT_EQ(rateText(0.996), "1.");  // the carry moves the digits one place
    EXPECT_EQ(rateText(9.96), "10.");
    EXPECT_EQ(rateText(2.0), "2.");
    EXPECT_EQ(rateText(0.05), "0.05");
    EXPECT_EQ(rateText(0.0001234), "0.00012");
    EXPECT_EQ(rateText(123.0), "120.");
    EXPECT_EQ(rateText(0.0), "0.");
    EXPECT_EQ(rateText(-0.5), "-0.5");
}

TEST(SecondsToTenths, TruncatesTowardZeroAndHoldsItsLimits) {
    EXPECT_EQ(secondsToTenths(0), 0);
    EXPECT_EQ(secondsToTenths(12.59), 125);
    EXPECT_EQ(secondsToTenths(60.0), 600);
    EXPECT_EQ(secondsToTenths(0.09), 0);
    EXPECT_EQ(secondsToTenths(-0.09), 0);
    EXPECT_EQ(secondsToTenths(-2.55), -25);
    EXPECT_EQ(secondsToTenths(1e300), 2147483647L);
    EXPECT_EQ(secondsToTenths(-1e300), -2147483647L - 1);
    EXPECT_EQ(secondsToTenths(std::numeric_limits<double>::infinity()), 2147483647L);
    EXPECT_EQ(secondsToTenths(std::nan("")), 0);
}

std::vector<TimeEntry> timesOf(std::vector<double> starts) {
    std::vector<TimeEntry> times;
    for (double s : starts) {
        TimeEntry entry;
        entry.startMs = s;
        times.push_back(entry);
    }
    return times;
}

TEST(DueCaptionRow, LatestOfEqualTimesWinsAndUntimedRowsNever) {
    EXPECT_EQ(dueCaptionRow(timesOf({0, 5000, 5000, 7000}), 6000), 2);
    EXPECT_EQ(dueCaptionRow(timesOf({0, 5000, 5000, 7000}), 7000), 3);
    EXPECT_EQ(dueCaptionRow(timesOf({0, 5000, 5000, 7000}), 4999.9), 0);
    // Untimed rows are skipped, whatever their place.
    EXPECT_EQ(dueCaptionRow(timesOf({-1, 1000, -1, -1}), 5000), 1);
    EXPECT_EQ(dueCaptionRow(timesOf({-1, -1}), 5000), 0);
    // Rows out of order: an earlier time after a later one does not win.
    EXPECT_EQ(dueCaptionRow(timesOf({0, 4000, 2000}), 5000), 1);
    // Row 0 later than row 1: row 0 once its time has come, row 1 before.
    EXPECT_EQ(dueCaptionRow(timesOf({3000, 1000}), 5000), 0);
    EXPECT_EQ(dueCaptionRow(timesOf({3000, 1000}), 2000), 1);
    // Several rows at 0 before anything else: the last of them.
    EXPECT_EQ(dueCaptionRow(timesOf({0, 0, 0, 9000}), 100), 2);
    // Nothing qualifies before the first time: row 0 all the same.
    EXPECT_EQ(dueCaptionRow(timesOf({3000, 4000}), 1000), 0);
    EXPECT_EQ(dueCaptionRow({}, 1000), 0);
    // A negative position (seeked before the start) finds nothing.
    EXPECT_EQ(dueCaptionRow(timesOf({0, 0}), -500), 0);
}

}  // namespace
}  // namespace zav
