#include "core/speech_snap.h"

#include "core/speech_detector.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zav {

SnapPlan planSnap(const std::vector<TimeEntry>& times, const std::vector<int>& rows,
                  const std::vector<double>& onsetsMs, double windowMs) {
    SnapPlan plan;
    std::vector<bool> wanted(times.size(), false);
    for (const int row : rows)
        if (row >= 0 && row < static_cast<int>(times.size())) wanted[row] = true;
    // The timed rows in time order: each is held between the final start of the one
    // before it (moved or not) and the start of the one after it.
    std::vector<int> order;
    for (int row = 0; row < static_cast<int>(times.size()); ++row)
        if (times[row].startMs != kNoTime) order.push_back(row);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return times[a].startMs < times[b].startMs; });
    double before = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int row = order[i];
        const double start = times[row].startMs;
        const double after =
            i + 1 < order.size() ? times[order[i + 1]].startMs : std::numeric_limits<double>::infinity();
        double final = start;
        if (wanted[row]) {
            const std::optional<double> onset = nearestOnset(onsetsMs, start, windowMs);
            const double target = onset ? std::max(0.0, std::round(*onset)) : start;
            if (!onset) {
                ++plan.noOnset;
            } else if (target == start) {
                ++plan.unchanged;
            } else if (target <= before || target >= after) {
                ++plan.blocked;
            } else {
                final = target;
                plan.moves.emplace_back(row, target);
            }
        }
        before = final;
    }
    std::sort(plan.moves.begin(), plan.moves.end());
    return plan;
}

}  // namespace zav
