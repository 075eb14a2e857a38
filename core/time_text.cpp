#include "core/time_text.h"

#include <cmath>
#include <cstdio>

namespace zav {
namespace {

constexpr double kMsPerHour = 3600000.0;

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
    double restMs = std::trunc(ms - hours * kMsPerHour);
    // Only for times so large that a double no longer holds whole milliseconds can
    // the rest leave one hour's span; nothing below the hours is meaningful there.
    if (!(std::fabs(restMs) < kMsPerHour)) restMs = 0;
    const int rest = static_cast<int>(restMs);
    const int minutes = rest / 60000;
    const int seconds = (rest % 60000) / 1000;
    const int millis = (rest % 60000) % 1000;
    return hoursField(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds) + ":" + threeDigits(millis);
}

}  // namespace zav
