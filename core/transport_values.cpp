#include "core/transport_values.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zav {

std::string rateText(double rate) {
    if (!std::isfinite(rate)) return "0.";
    char buffer[400];
    // "%.1e" rounds to two significant digits and names the power of ten of the first
    // one (after any carry, so 9.96 becomes 1.0e+01). The rounded value is then written
    // in fixed notation with the decimals that its second digit needs.
    std::snprintf(buffer, sizeof buffer, "%.1e", rate);
    const double rounded = std::strtod(buffer, nullptr);
    const char* e = std::strchr(buffer, 'e');
    const int exponent = e ? std::atoi(e + 1) : 0;
    const int decimals = exponent < 1 ? 1 - exponent : 0;
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
    std::string text = buffer;
    if (text.find('.') == std::string::npos) {
        text += '.';
        return text;
    }
    while (text.back() == '0') text.pop_back();
    return text;
}

long secondsToTenths(double seconds) noexcept {
    const double tenths = seconds * 10.0;
    if (std::isnan(tenths)) return 0;
    if (tenths >= 2147483647.0) return 2147483647L;
    if (tenths <= -2147483648.0) return -2147483647L - 1;
    return static_cast<long>(tenths);
}

int dueCaptionRow(const std::vector<TimeEntry>& times, double ms) noexcept {
    double best = 0;
    int chosen = 0;
    const int count = static_cast<int>(times.size());
    for (int i = 0; i < count; ++i) {
        const double start = times[i].startMs;
        if (start <= ms && start >= best) {
            chosen = i;
            best = start;
        }
    }
    return chosen;
}

}  // namespace zav
