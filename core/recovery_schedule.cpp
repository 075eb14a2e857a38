#include "core/recovery_schedule.h"

#include <algorithm>

namespace zav {

RecoveryTiming recoveryTimingOf(bool enabled, long long intervalSeconds) {
    const long long seconds = std::clamp<long long>(intervalSeconds, kMinRecoveryIntervalSeconds,
                                                    kMaxRecoveryIntervalSeconds);
    RecoveryTiming timing;
    timing.enabled = enabled;
    timing.intervalMs = seconds * 1000;
    timing.quietMs = std::min<std::int64_t>(timing.quietMs, timing.intervalMs);
    return timing;
}

void RecoverySchedule::changed(std::int64_t now) {
    if (!pending_) firstChange_ = now;
    pending_ = true;
    lastChange_ = now;
}

bool RecoverySchedule::due(std::int64_t now) const {
    if (!timing_.enabled || !pending_ || now < notBefore_) return false;
    return now - lastChange_ >= timing_.quietMs || now - firstChange_ >= timing_.intervalMs;
}

void RecoverySchedule::failed(std::int64_t now) {
    // Still pending; not again before an interval has passed.
    pending_ = true;
    firstChange_ = now;
    notBefore_ = now + timing_.intervalMs;
}

}  // namespace zav
