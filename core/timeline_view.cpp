#include "core/timeline_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace zav {

TimelineView clampedView(TimelineView view, double durationMs) {
    if (view.width < 1) view.width = 1;
    double widest = kMaxMsPerPixel;
    if (durationMs > 0) widest = std::clamp(durationMs / view.width, kMinMsPerPixel, kMaxMsPerPixel);
    if (!std::isfinite(view.msPerPixel)) view.msPerPixel = widest;
    view.msPerPixel = std::clamp(view.msPerPixel, kMinMsPerPixel, widest);
    if (!std::isfinite(view.startMs)) view.startMs = 0;
    const double lastStart = durationMs > 0 ? std::max(0.0, durationMs - view.width * view.msPerPixel) : view.startMs;
    view.startMs = std::clamp(view.startMs, 0.0, std::max(0.0, lastStart));
    return view;
}

TimelineView zoomedAround(const TimelineView& view, double x, double factor, double durationMs) {
    if (!(factor > 0)) return clampedView(view, durationMs);
    const double anchorMs = view.msAt(x);
    TimelineView zoomed = view;
    zoomed.msPerPixel = clampedView(TimelineView{0, view.msPerPixel * factor, view.width}, durationMs).msPerPixel;
    zoomed.startMs = anchorMs - x * zoomed.msPerPixel;
    return clampedView(zoomed, durationMs);
}

TimelineView followingCursor(const TimelineView& view, double cursorMs, double durationMs) {
    const double margin = view.width * view.msPerPixel / 10;
    if (cursorMs >= view.startMs && cursorMs <= view.endMs() - margin) return view;
    TimelineView turned = view;
    turned.startMs = cursorMs - margin;
    return clampedView(turned, durationMs);
}

double rulerStepMs(double msPerPixel, double minPixels) {
    static const double steps[] = {10,     20,     50,     100,     200,     500,     1000,     2000,      5000,
                                   10'000, 15'000, 30'000, 60'000,  120'000, 300'000, 600'000, 900'000, 1'800'000,
                                   3'600'000};
    for (double step : steps)
        if (step / msPerPixel >= minPixels) return step;
    return steps[std::size(steps) - 1];
}

std::string rulerLabel(double ms, double stepMs) {
    const long long whole = std::llround(ms);
    const long long hours = whole / 3'600'000;
    const long long minutes = whole / 60'000 % 60;
    const long long seconds = whole / 1000 % 60;
    const long long fraction = whole % 1000;
    char text[40];
    if (hours > 0) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", hours, minutes, seconds);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", minutes, seconds);
    }
    std::string label = text;
    const long long step = std::llround(stepMs);
    if (step % 1000 != 0) {
        const int digits = step % 100 == 0 ? 1 : step % 10 == 0 ? 2 : 3;
        std::snprintf(text, sizeof text, ".%03lld", fraction);
        label += std::string(text).substr(0, 1 + digits);
    }
    return label;
}

std::vector<TimelineSpan> timelineSpans(const std::vector<TimeEntry>& times,
                                        const std::vector<std::u16string>& texts, double durationMs) {
    std::vector<TimelineSpan> spans;
    for (int row = 0; row < static_cast<int>(times.size()); ++row) {
        if (times[row].startMs == kNoTime) continue;
        const bool clear = row >= static_cast<int>(texts.size()) || texts[row].empty();
        spans.push_back(TimelineSpan{row, times[row].startMs, 0, clear});
    }
    std::stable_sort(spans.begin(), spans.end(),
                     [](const TimelineSpan& a, const TimelineSpan& b) { return a.startMs < b.startMs; });
    // Of rows sharing a start, the first in row order stays.
    spans.erase(std::unique(spans.begin(), spans.end(),
                            [](const TimelineSpan& a, const TimelineSpan& b) { return a.startMs == b.startMs; }),
                spans.end());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        spans[i].endMs = i + 1 < spans.size() ? spans[i + 1].startMs
                                              : std::max(durationMs, spans[i].startMs + kLastSpanMs);
    }
    return spans;
}

std::size_t firstSpanEndingAfter(const std::vector<TimelineSpan>& spans, double ms) {
    return static_cast<std::size_t>(
        std::upper_bound(spans.begin(), spans.end(), ms,
                         [](double time, const TimelineSpan& span) { return time < span.endMs; }) -
        spans.begin());
}

std::optional<std::size_t> startEdgeAt(const std::vector<TimelineSpan>& spans, const TimelineView& view, double x,
                                       double tolerance) {
    const double ms = view.msAt(x);
    const double reach = tolerance * view.msPerPixel;
    std::optional<std::size_t> best;
    double bestDistance = tolerance;
    const auto first = std::lower_bound(spans.begin(), spans.end(), ms - reach,
                                        [](const TimelineSpan& span, double time) { return span.startMs < time; });
    for (auto it = first; it != spans.end() && it->startMs <= ms + reach; ++it) {
        const double distance = std::fabs(view.xOf(it->startMs) - x);
        if (distance <= bestDistance) {
            // Between two edges equally near, the later span: its edge is the one
            // being dragged out of the earlier one's way.
            bestDistance = distance;
            best = static_cast<std::size_t>(it - spans.begin());
        }
    }
    return best;
}

std::optional<std::size_t> spanAt(const std::vector<TimelineSpan>& spans, const TimelineView& view, double x) {
    const double ms = view.msAt(x);
    const std::size_t i = firstSpanEndingAfter(spans, ms);
    if (i < spans.size() && spans[i].startMs <= ms) return i;
    return std::nullopt;
}

}  // namespace zav
