#pragma once
// When the next recovery copy is due. The program looks at the document on a
// steady tick and tells the schedule whenever it found it changed; a copy is due
// once the changes have rested for the quiet time, or once the oldest change not
// yet in a copy is an interval old, so that steady typing is still copied at least
// every interval. A write that failed is tried again an interval later. Times are milliseconds of any steady clock.

#include <cstdint>

namespace zav {

struct RecoveryTiming {
    bool enabled = true;
    std::int64_t intervalMs = 60000;
    // Never more than the interval.
    std::int64_t quietMs = 3000;
};

// The interval choices the settings accept, in seconds.
inline constexpr int kMinRecoveryIntervalSeconds = 5;
inline constexpr int kMaxRecoveryIntervalSeconds = 3600;
inline constexpr int kDefaultRecoveryIntervalSeconds = 60;

// A timing for an interval in seconds, held within the accepted range.
RecoveryTiming recoveryTimingOf(bool enabled, long long intervalSeconds);

class RecoverySchedule {
public:
    explicit RecoverySchedule(RecoveryTiming timing = {}) : timing_(timing) {}
    void setTiming(RecoveryTiming timing) { timing_ = timing; }
    const RecoveryTiming& timing() const { return timing_; }

    // The content differs from what it was at the last look.
    void changed(std::int64_t now);
    // The content is back to the last copy: nothing is due.
    void settled() { pending_ = false; }
    bool pending() const { return pending_; }
    bool due(std::int64_t now) const;
    // The copy of the content seen so far was written, or failed to be.
    void written() {
        pending_ = false;
        notBefore_ = 0;
    }
    void failed(std::int64_t now);

private:
    RecoveryTiming timing_;
    bool pending_ = false;
    std::int64_t firstChange_ = 0;
    std::int64_t lastChange_ = 0;
    std::int64_t notBefore_ = 0;
};

}  // namespace zav
