#include "core/time_text.h"

#include <cmath>
#include <cstdio>

namespace zav {
namespace {

constexpr double kMsPerHour = 3600000.0;
// From 2^53 on a double no longer holds every whole millisecond.
constexpr double kLargestWholeMs = 9007199254740992.0;

// Hours are kept as a whole double, so values far beyond any integer type still
// print their digits instead of overflowing a conversion.
std::string hoursField(double hours) {
    if (!(hours > 0)) return "00";
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, hours < 10 ? "0%.0f" : "%.0f", hours);
    return buffer;
}

std::string twoDigits(int value) {
    if (value <= 0) return "00";
    std::string text = std::to_string(value);
    return value < 10 ? "0" + text : text;
}

std::string threeDigits(int value) {
    if (value <= 0) return "000";
    std::string text = std::to_string(value);
    if (value < 10) return "00" + text;
    if (value < 100) return "0" + text;
    return text;
}

}  // namespace

std::string formatTimeText(double ms) {
    // Not-a-number and infinities have no time to show; they read as zero.
    if (!std::isfinite(ms)) ms = 0;
    const double hours = std::trunc(ms / kMsPerHour);
    // Below 2^53 ms the rest is exact and has the sign of the time. Beyond, rounding
    // can leave it anywhere, even positive for a negative time; nothing below the
    // hours is meaningful there.
    const double restMs = std::fabs(ms) < kLargestWholeMs ? std::trunc(ms - hours * kMsPerHour) : 0.0;
    const int rest = static_cast<int>(restMs);
    const int minutes = rest / 60000;
    const int seconds = (rest % 60000) / 1000;
    const int millis = (rest % 60000) % 1000;
    return hoursField(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds) + ":" + threeDigits(millis);
}

}  // namespace zav
