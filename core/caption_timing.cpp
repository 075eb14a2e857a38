#include "core/caption_timing.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace zav {

bool comesBeforeInTime(const TimeEntry& a, const TimeEntry& b) noexcept {
    return a.startMs != kNoTime && (b.startMs == kNoTime || b.startMs > a.startMs);
}

void sortRowsByTime(CaptionDocument& document) {
    const std::vector<TimeEntry>& times = document.times();
    std::vector<int> order(times.size());
    for (std::size_t row = 0; row < order.size(); ++row) order[row] = static_cast<int>(row);
    // A merge sort: a start time that is not a number makes the order inconsistent,
    // which must not let the sort run off the array; and equal times keep the order
    // the user gave them.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return comesBeforeInTime(times[a], times[b]); });
    document.reorderRows(order);
}

bool isDuplicateTime(const std::vector<TimeEntry>& times, double ms) noexcept {
    return std::any_of(times.begin(), times.end(), [ms](const TimeEntry& entry) { return entry.startMs == ms; });
}

double setTimeMs(double positionSeconds) noexcept { return positionSeconds * 1000; }

double stampedTimeMs(double positionSeconds) noexcept {
    double seconds = positionSeconds - 1;
    if (seconds < 0) seconds = 0;
    return seconds * 1000;
}

std::int64_t fieldValue(std::string_view text) noexcept {
    std::size_t at = 0;
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
    while (at < text.size() && isBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > kFieldLimit) value = kFieldLimit;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> editedStartMs(const StartTimeFields& fields) noexcept {
    // Held at the field limit, no product or sum below can leave 64 bits.
    const auto held = [](std::int64_t value) { return std::clamp(value, -kFieldLimit, kFieldLimit); };
    const std::int64_t sum =
        held(fields.ms) + held(fields.minutes) * 60000 + held(fields.hours) * 3600000 + held(fields.seconds) * 1000;
    if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(sum);
}

}  // namespace zav
