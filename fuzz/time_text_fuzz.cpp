// formatTimeText on any double: the text is well formed and agrees with the value
// wherever a double still holds whole milliseconds.
#include "core/time_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double ms = 0;
    std::memcpy(&ms, data, size < sizeof ms ? size : sizeof ms);
    const std::string text = zav::formatTimeText(ms);

    // hours ':' mm ':' ss ':' mmm, digits only.
    if (text.size() < 12) std::abort();
    const std::size_t tail = text.size() - 10;
    if (text[tail] != ':' || text[tail + 3] != ':' || text[tail + 6] != ':') std::abort();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == tail || i == tail + 3 || i == tail + 6) continue;
        if (text[i] < '0' || text[i] > '9') std::abort();
    }
    if (std::stoi(text.substr(tail + 1, 2)) > 59 || std::stoi(text.substr(tail + 4, 2)) > 59) std::abort();

    if (std::isfinite(ms) && ms >= 0 && ms < 1e15) {
        const long long whole = static_cast<long long>(ms);
        const long long hours = std::stoll(text.substr(0, tail));
        const long long rest = std::stoll(text.substr(tail + 1, 2)) * 60000 +
                               std::stoll(text.substr(tail + 4, 2)) * 1000 + std::stoll(text.substr(tail + 7, 3));
        // Rounding of ms / 3600000 may move a millisecond across an hour's edge.
        const long long shown = hours * 3600000 + rest;
        if (shown > whole + 1 || shown < whole - 1) std::abort();
    }
    if (!(ms > 0) && text != "00:00:00:000") std::abort();
    return 0;
}
