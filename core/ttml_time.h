#pragma once
// TTML time expressions, read in the media time base:
//  - clock times "hh:mm:ss", "hh:mm:ss.fraction" and "hh:mm:ss:frames[.subframes]"
//    (hours two digits or more, minutes and seconds two digits below 60);
//  - offset times "count[.fraction]metric" with the metric h, m, s, ms, f (frames)
//    or t (ticks).
// Frames count at the effective frame rate (ttp:frameRate times
// ttp:frameRateMultiplier), sub-frames at ttp:subFrameRate per frame, ticks at
// ttp:tickRate. The results are whole milliseconds, rounded to the nearest; blanks
// around an expression are allowed, anything else not in the forms above is refused.
// SMPTE drop-frame counting is not applied: frames are read as media frames, and
// the smpte and clock time bases are read as media time.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zav {

struct TtmlTiming {
    double frameRate = 30;  // frames per second, the multiplier applied
    double subFrameRate = 1;
    double tickRate = 1;
};

// The parameters from the values of the root's ttp:frameRate, ttp:frameRateMultiplier,
// ttp:subFrameRate and ttp:tickRate attributes (nullptr when absent). A value that
// is malformed or zero leaves the default: 30 frames, 1 sub-frame, and a tick rate
// of the frame rate times the sub-frame rate when a frame rate is given, else 1.
TtmlTiming ttmlTiming(const std::u16string* frameRate, const std::u16string* multiplier,
                      const std::u16string* subFrameRate, const std::u16string* tickRate);

// The expression in milliseconds; nothing when malformed or beyond kMaxCueMs.
std::optional<std::int64_t> ttmlTimeMs(std::u16string_view expression, const TtmlTiming& timing);

}  // namespace zav
