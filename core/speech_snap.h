#pragma once
// Moving caption start times onto the speech: each row's start goes to the nearest
// speech onset within a window around it. Rows keep their order in time (a start
// never passes another row's start, nor lands on it), so snapping never swaps two
// captions or makes two share a time; such a row stays where it is.

#include "core/caption_document.h"

#include <vector>

namespace zav {

struct SnapPlan {
    std::vector<std::pair<int, double>> moves;  // row, new start (whole ms), in row order
    int unchanged = 0;  // rows already on their onset
    int noOnset = 0;    // rows with no onset within the window
    int blocked = 0;    // rows whose onset lies at or past a neighbour's start
};

// The moves for the given rows (untimed rows are skipped); onsetsMs sorted.
SnapPlan planSnap(const std::vector<TimeEntry>& times, const std::vector<int>& rows,
                  const std::vector<double>& onsetsMs, double windowMs = 500);

}  // namespace zav
