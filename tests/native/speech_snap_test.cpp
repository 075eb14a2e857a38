// Snapping starts to speech onsets: the nearest onset within the window, never past
// or onto a neighbour's start, and what could not move is counted.

#include "core/speech_snap.h"

#include <gtest/gtest.h>

#include <random>

namespace zav {
namespace {

std::vector<TimeEntry> timesAt(const std::vector<double>& starts) {
    std::vector<TimeEntry> times;
    for (double ms : starts) times.push_back(TimeEntry{ms, u"", 0});
    return times;
}

TEST(SpeechSnap, MovesToTheNearestOnsetAndCountsTheRest) {
    // Rows: 1000 (onset 1180), untimed, 3000 (none near), 5000 (already there),
    // 7000 and 7300 (both nearest 7250: the second passes the first and is blocked).
    const std::vector<TimeEntry> times = timesAt({1000, kNoTime, 3000, 5000, 7000, 7300});
    const std::vector<double> onsets = {1180.4, 3700, 5000, 7250};
    const SnapPlan plan = planSnap(times, {0, 1, 2, 3, 4, 5}, onsets);
    const std::vector<std::pair<int, double>> moves = {{0, 1180}, {4, 7250}};
    EXPECT_EQ(plan.moves, moves);
    EXPECT_EQ(plan.noOnset, 1);
    EXPECT_EQ(plan.unchanged, 1);
    EXPECT_EQ(plan.blocked, 1);
    // Only the rows asked for move; the others still hold them in.
    EXPECT_EQ(planSnap(times, {5}, onsets).blocked, 0);
    EXPECT_EQ(planSnap(times, {5}, onsets).moves, (std::vector<std::pair<int, double>>{{5, 7250}}));
    EXPECT_EQ(planSnap(times, {4}, {7300}).blocked, 1);  // onto row 5's start
}

// Whatever the onsets, snapping keeps the rows' order in time and never makes two
// rows share a start, and moves no start further than the window.
TEST(SpeechSnap, OrderIsKeptWhateverTheOnsets) {
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        std::vector<double> starts;
        double t = 0;
        for (int i = 0; i < 30; ++i) starts.push_back(t += 100 + random() % 1500);
        std::vector<double> onsets;
        for (int i = 0; i < 40; ++i) onsets.push_back(random() % static_cast<unsigned>(t + 1000));
        std::sort(onsets.begin(), onsets.end());
        std::vector<TimeEntry> times = timesAt(starts);
        std::vector<int> rows(30);
        for (int i = 0; i < 30; ++i) rows[i] = i;
        const SnapPlan plan = planSnap(times, rows, onsets);
        EXPECT_EQ(static_cast<int>(plan.moves.size()) + plan.noOnset + plan.unchanged + plan.blocked, 30);
        for (const auto& [row, ms] : plan.moves) {
            EXPECT_LE(std::abs(ms - times[row].startMs), 501);
            times[row].startMs = ms;
        }
        for (int i = 1; i < 30; ++i) ASSERT_LT(times[i - 1].startMs, times[i].startMs) << round;
    }
}

}  // namespace
}  // namespace zav
