#pragma once
// The arithmetic of the caption timing commands, kept apart from the panel: the time
// order and the sort that moves every language's texts with their rows, the
// duplicate rule, the times stamped from a player position, and the sum of the Edit
// Start Time fields.

#include "core/caption_document.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zav {

// Time order: a comes before b exactly when a has a time and b has none or a later
// one. Rows without a time follow every timed row; equal times are equivalent.
bool comesBeforeInTime(const TimeEntry& a, const TimeEntry& b) noexcept;

// Sorts the rows into time order and moves the texts of every language with them.
// sortIndex of each entry ends as the row's index before the sort. Equivalent rows
// keep their relative order.
void sortRowsByTime(CaptionDocument& document);

// The duplicate rule of Set Time and ENTER: ms equals (as a double) the start time
// of some row.
bool isDuplicateTime(const std::vector<TimeEntry>& times, double ms) noexcept;

// Set Time: the position in seconds as milliseconds, fraction kept.
double setTimeMs(double positionSeconds) noexcept;
// ENTER: one second before the position, never below 0, in milliseconds.
double stampedTimeMs(double positionSeconds) noexcept;

// One Edit Start Time field read as the standard text-to-integer conversion reads
// it: leading blanks, an optional sign, then digits up to the first other
// character; no digits give 0. Magnitudes beyond kFieldLimit are held there, which
// keeps every sum below in range of 64 bits.
inline constexpr std::int64_t kFieldLimit = 1000000000000;  // 10^12
std::int64_t fieldValue(std::string_view text) noexcept;

struct StartTimeFields {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    std::int64_t ms = 0;
};

// ms + minutes * 60000 + hours * 3600000 + seconds * 1000, or nothing when the sum
// leaves the 32-bit signed range. Fields beyond kFieldLimit count as kFieldLimit.
std::optional<std::int32_t> editedStartMs(const StartTimeFields& fields) noexcept;

}  // namespace zav
