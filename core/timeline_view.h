#pragma once
// The arithmetic of the timeline: which stretch of the film a view of some pixels
// shows, how it zooms around a point, pans and follows the play cursor, where the
// ruler's ticks go, and the captions as spans of time.
//
// A view shows startMs at its left edge and msPerPixel milliseconds in each pixel
// column. Views are kept inside the film: the zoom between kMinMsPerPixel and the
// zoom that fits the whole film in the width (a film too short for even the closest
// zoom starts at 0 and leaves the rest empty), the start between 0 and the last start
// that still fills the width. A film of unknown length (0) limits only the zoom, to
// kMaxMsPerPixel, and the start, to 0 or later.
//
// A caption's span runs from its row's start to the next later start among the timed
// rows (in time order, whatever the rows' order), the last one to the film's end (or
// kLastSpanMs past its start when that is later or the length unknown). Rows without
// time have no span; of rows sharing a time the first is drawn.

#include "core/caption_document.h"

#include <optional>
#include <string>
#include <vector>

namespace zav {

inline constexpr double kMinMsPerPixel = 1;
inline constexpr double kMaxMsPerPixel = 60'000;
inline constexpr double kLastSpanMs = 3'000;

struct TimelineView {
    double startMs = 0;
    double msPerPixel = 30;
    int width = 0;

    double xOf(double ms) const { return (ms - startMs) / msPerPixel; }
    double msAt(double x) const { return startMs + x * msPerPixel; }
    double endMs() const { return msAt(width); }
};

// The view kept inside a film of durationMs (0: unknown).
TimelineView clampedView(TimelineView view, double durationMs);
// Zoomed by factor (above 1 shows more time) keeping the time under x where it is.
TimelineView zoomedAround(const TimelineView& view, double x, double factor, double durationMs);
// While playing: a cursor that has left the view (or passed its last tenth) turns
// the page so that it stands a tenth of the way in; otherwise the view as it is.
TimelineView followingCursor(const TimelineView& view, double cursorMs, double durationMs);

// The ruler's step: the smallest of 10 ms, 20, 50, 100 ms ... 1 s, 2, 5, 10, 15, 30 s,
// 1 min, 2, 5, 10, 15, 30 min, 1 h whose ticks stand at least minPixels apart.
double rulerStepMs(double msPerPixel, double minPixels);
// A tick's label: "m:ss" for whole seconds, "m:ss.t", ".tt" or ".ttt" as the step
// needs, hours in front from one hour on ("1:02:03").
std::string rulerLabel(double ms, double stepMs);

struct TimelineSpan {
    int row = 0;
    double startMs = 0;
    double endMs = 0;
    bool clear = false;  // an empty text: the captions are cleared from here
};

// The spans of the timed rows, in time order; texts are the shown language's.
std::vector<TimelineSpan> timelineSpans(const std::vector<TimeEntry>& times,
                                        const std::vector<std::u16string>& texts, double durationMs);
// The index of the first span that ends after ms (spans.size() when none).
std::size_t firstSpanEndingAfter(const std::vector<TimelineSpan>& spans, double ms);
// The span whose start edge lies nearest to x, within tolerance pixels.
std::optional<std::size_t> startEdgeAt(const std::vector<TimelineSpan>& spans, const TimelineView& view, double x,
                                       double tolerance);
// The span under x (its start at or before, its end after), if any.
std::optional<std::size_t> spanAt(const std::vector<TimelineSpan>& spans, const TimelineView& view, double x);

}  // namespace zav
