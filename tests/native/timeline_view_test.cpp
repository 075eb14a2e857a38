// The timeline's arithmetic: views kept inside the film, zoom around a point, the
// ruler, and captions as spans.

#include "core/timeline_view.h"
#include "core/text_encoding.h"
#include "core/time_text.h"

#include <gtest/gtest.h>

#include <random>

namespace zav {
namespace {

TEST(TimelineView, ViewsStayInsideTheFilm) {
    struct Case {
        TimelineView in;
        double duration;
        TimelineView out;
    } cases[] = {
        {{0, 30, 1000}, 60'000, {0, 30, 1000}},
        {{-500, 30, 1000}, 60'000, {0, 30, 1000}},             // before the start
        {{50'000, 30, 1000}, 60'000, {30'000, 30, 1000}},      // past the last start that fills the width
        {{0, 500, 1000}, 60'000, {0, 60, 1000}},               // zoomed out past the whole film
        {{0, 0.1, 1000}, 60'000, {0, kMinMsPerPixel, 1000}},   // closer than a millisecond a pixel
        {{0, 30, 1000}, 500, {0, kMinMsPerPixel, 1000}},       // a film shorter than the closest zoom
        {{90'000, 1e9, 1000}, 0, {90'000, kMaxMsPerPixel, 1000}},  // unknown length
    };
    for (const Case& c : cases) {
        const TimelineView v = clampedView(c.in, c.duration);
        EXPECT_DOUBLE_EQ(v.startMs, c.out.startMs) << c.in.startMs << " " << c.in.msPerPixel;
        EXPECT_DOUBLE_EQ(v.msPerPixel, c.out.msPerPixel) << c.in.startMs << " " << c.in.msPerPixel;
    }
}

// Zooming keeps the time under the mouse where it is unless the film's edge stops
// it, and a zoom in and back out returns to the view it started from.
TEST(TimelineView, ZoomKeepsTheTimeUnderTheMouse) {
    std::mt19937 random(7);
    const double duration = 2 * 3'600'000.0;
    for (int i = 0; i < 500; ++i) {
        const int width = 200 + static_cast<int>(random() % 1500);
        const TimelineView view = clampedView(
            {std::uniform_real_distribution<double>(0, duration)(random),
             std::exp(std::uniform_real_distribution<double>(0, 8)(random)), width},
            duration);
        const double x = std::uniform_real_distribution<double>(0, width)(random);
        const double factor = i % 2 ? 1.25 : 0.8;
        const TimelineView zoomed = zoomedAround(view, x, factor, duration);
        EXPECT_GE(zoomed.startMs, 0);
        EXPECT_LE(zoomed.endMs(), std::max(duration, zoomed.msAt(width)) + 1e-6);
        const bool edge = zoomed.startMs == 0 || std::abs(zoomed.endMs() - duration) < 1e-6 ||
                          zoomed.msPerPixel != view.msPerPixel * factor;
        if (!edge) {
            EXPECT_NEAR(zoomed.msAt(x), view.msAt(x), 1e-6);
            const TimelineView back = zoomedAround(zoomed, x, 1 / factor, duration);
            if (back.msPerPixel == view.msPerPixel && back.startMs > 0 && back.endMs() < duration)
                EXPECT_NEAR(back.startMs, view.startMs, 1e-6);
        }
    }
}

TEST(TimelineView, PlayingTurnsThePageWhenTheCursorLeaves) {
    const TimelineView view{10'000, 10, 1000};  // 10 s to 20 s
    EXPECT_DOUBLE_EQ(followingCursor(view, 15'000, 60'000).startMs, 10'000);
    EXPECT_DOUBLE_EQ(followingCursor(view, 19'500, 60'000).startMs, 18'500);  // past the last tenth
    EXPECT_DOUBLE_EQ(followingCursor(view, 3'000, 60'000).startMs, 2'000);    // sought back
    EXPECT_DOUBLE_EQ(followingCursor(view, 59'000, 60'000).startMs, 50'000);  // the film's end
}

TEST(TimelineView, RulerStepsAndLabels) {
    EXPECT_EQ(rulerStepMs(1, 60), 100);
    EXPECT_EQ(rulerStepMs(30, 60), 2000);
    EXPECT_EQ(rulerStepMs(7200, 60), 600'000);
    EXPECT_EQ(rulerStepMs(1e6, 60), 3'600'000);
    struct Case {
        double ms, step;
        const char* label;
    } cases[] = {{0, 1000, "0:00"},          {65'000, 5000, "1:05"},    {65'300, 100, "1:05.3"},
                 {65'320, 20, "1:05.32"},    {65'321, 10, "1:05.32"},   {3'723'000, 1000, "1:02:03"},
                 {599'999.6, 1000, "10:00"}, {1'500, 500, "0:01.5"}};
    for (const Case& c : cases) EXPECT_EQ(rulerLabel(c.ms, c.step), c.label) << c.ms;
}

TimeEntry at(double ms) { return TimeEntry{ms, ms == kNoTime ? u"" : utf8ToUtf16(formatTimeText(ms)), 0}; }

TEST(TimelineView, CaptionsBecomeSpansInTimeOrder) {
    // Rows out of time order, one untimed, one sharing a time, one clear.
    const std::vector<TimeEntry> times = {at(5000), at(1000), at(kNoTime), at(3000), at(3000), at(8000)};
    const std::vector<std::u16string> texts = {u"e", u"a", u"x", u"c", u"d", u""};
    const std::vector<TimelineSpan> spans = timelineSpans(times, texts, 20'000);
    const struct {
        int row;
        double start, end;
        bool clear;
    } expected[] = {{1, 1000, 3000, false}, {3, 3000, 5000, false}, {0, 5000, 8000, false}, {5, 8000, 20'000, true}};
    ASSERT_EQ(spans.size(), std::size(expected));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(spans[i].row, expected[i].row);
        EXPECT_EQ(spans[i].startMs, expected[i].start);
        EXPECT_EQ(spans[i].endMs, expected[i].end);
        EXPECT_EQ(spans[i].clear, expected[i].clear);
    }
    EXPECT_EQ(timelineSpans({at(30'000)}, {u"late"}, 20'000).back().endMs, 30'000 + kLastSpanMs);

    const TimelineView view{0, 10, 2000};  // 100 px a second
    EXPECT_EQ(firstSpanEndingAfter(spans, 0), 0u);
    EXPECT_EQ(firstSpanEndingAfter(spans, 3000), 1u);
    EXPECT_EQ(firstSpanEndingAfter(spans, 25'000), spans.size());
    EXPECT_EQ(startEdgeAt(spans, view, 303, 4), std::optional<std::size_t>(1));
    EXPECT_EQ(startEdgeAt(spans, view, 296, 4), std::optional<std::size_t>(1));
    EXPECT_EQ(startEdgeAt(spans, view, 350, 4), std::nullopt);
    EXPECT_EQ(spanAt(spans, view, 350), std::optional<std::size_t>(1));
    EXPECT_EQ(spanAt(spans, view, 50), std::nullopt);
}

}  // namespace
}  // namespace zav
