#pragma once
// The arithmetic behind the transport panel, kept apart from its controls: rate
// steps and the rate text, seconds as seek-slider tenths, and the caption row due at
// a position.

#include "core/caption_document.h"

#include <string>
#include <vector>

namespace zav {

// The rate buttons step by 0.1 with plain double sums. From 1.0 they reach the eleven
// rates 0.5 .. 1.5 (each within its last bit); the bounds below stop a step beyond
// them: 1.5000000000000004 is not below 1.5, and 0.5000000000000001 is not above 0.59.
inline constexpr double kRateStep = 0.1;
inline bool canRaiseRate(double rate) noexcept { return rate < 1.5; }
inline bool canLowerRate(double rate) noexcept { return rate > 0.59; }

// The rate with two significant digits (the nearest such value) in fixed notation,
// trailing zeros after the decimal point removed and the point kept: "0.5", "1.",
// "1.5".
std::string rateText(double rate);

// Seconds as seek-slider positions (tenths), truncated toward zero. Values beyond the
// slider's 32-bit positions are held at its limits and NaN is 0.
long secondsToTenths(double seconds) noexcept;

// The row whose caption is due at ms: of the rows whose start time is neither above
// ms nor below the best time found so far, the last one; row 0 when none qualifies.
// Rows without a time (-1) never qualify, and of equal times the later row wins.
int dueCaptionRow(const std::vector<TimeEntry>& times, double ms) noexcept;

}  // namespace zav
