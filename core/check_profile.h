#pragma once
// The limits the caption checks hold captions to, the named profiles that set them
// and the short text the editor remembers them by.
//
// Every limit is a whole number so that a check is an exact comparison:
//  - the reading speed in hundredths of a character a second (1700 is 17 cps);
//  - line length in characters, lines per caption;
//  - the shortest and longest time on screen in milliseconds;
//  - the smallest gap between captions in frames of the chosen frame rate. A gap of
//    G whole milliseconds is enough when G * fps >= frames * 1000, held as integers
//    with the rate as a fraction (30000/1001 for 29.97): two frames are 80 ms at
//    25 fps and 66.733 ms at 29.97 fps, so there a gap of 67 ms passes and 66 fails.
//
// The shortest time on screen of the default profile is 833 ms for 5/6 s: times
// are whole milliseconds, and a caption of exactly 20 frames at 24 fps measures
// 833 or 834 ms depending on how its times were rounded.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class FrameRate { fps23976, fps24, fps25, fps2997, fps30 };

inline constexpr FrameRate kFrameRates[] = {FrameRate::fps23976, FrameRate::fps24, FrameRate::fps25,
                                            FrameRate::fps2997, FrameRate::fps30};

// "23.976", "24", "25", "29.97", "30".
const char* frameRateName(FrameRate rate);
// The rate of one of those names, exactly as written; nothing for any other text.
std::optional<FrameRate> frameRateOfName(std::string_view name);
// Frames a second as numerator / denominator: 24000/1001, 24/1, 25/1, 30000/1001, 30/1.
std::int64_t frameRateNumerator(FrameRate rate);
std::int64_t frameRateDenominator(FrameRate rate);

struct CheckLimits {
    int maxCpsHundredths = 1700;
    int maxLineChars = 42;
    int maxLines = 2;
    int minDurationMs = 833;
    int maxDurationMs = 7000;
    int minGapFrames = 2;
    FrameRate frameRate = FrameRate::fps25;

    bool operator==(const CheckLimits& other) const;
    bool operator!=(const CheckLimits& other) const { return !(*this == other); }
};

// The smallest gap in milliseconds, for showing (2 frames at 29.97 fps: 66.733...).
double minGapMs(const CheckLimits& limits);
// True when a gap of gapMs whole milliseconds is at least the smallest gap, exactly.
bool gapIsEnough(std::int64_t gapMs, const CheckLimits& limits);

// The limits one by one, for the window's fields, the command line and the text
// kept in the registry. The frame rate is not among them (see frameRateOfName).
enum class CheckLimit { maxCps, maxLineChars, maxLines, minDurationMs, maxDurationMs, minGapFrames };

struct CheckLimitInfo {
    CheckLimit limit;
    const char* key;    // "max-cps": the command-line option without "--", and the key in the text
    const char* label;  // for the user, as "Characters a second, at most"
    int minimum;        // the range a value is taken in, in the limit's own unit
    int maximum;
};

const std::vector<CheckLimitInfo>& checkLimitInfos();
int limitValue(const CheckLimits& limits, CheckLimit limit);
void setLimitValue(CheckLimits& limits, CheckLimit limit, int value);

// A value as the user writes it: a whole number, for the reading speed also with up
// to two decimals ("17", "12.5"), within the limit's range. Nothing for anything
// else (signs, blanks, exponents, too many decimals, out of range).
std::optional<int> parseLimitValue(CheckLimit limit, std::string_view text);
// The value as the user writes it: "17", "12.5", "833".
std::string limitValueText(CheckLimit limit, int value);

struct CheckProfile {
    const char* name;  // stable, for the command line and the registry: "default", "children", ...
    const char* description;
    CheckLimits limits;
};

// default (17 cps, 42 characters, 2 lines, 833 ms to 7 s, 2 frames at 25 fps),
// children (13 cps), narrow (37 characters a line), house-20 (20 cps); the first is
// the default.
const std::vector<CheckProfile>& checkProfiles();
// The profile of that name (exactly, lower case), or null.
const CheckProfile* checkProfileNamed(std::string_view name);

// The profile the user chose and the limits in force: the profile's own with the
// user's changes.
struct CheckSettings {
    std::string profile = "default";
    CheckLimits limits;

    bool operator==(const CheckSettings& other) const { return profile == other.profile && limits == other.limits; }
};

// "profile=children fps=29.97 max-chars=40": the profile, then only what differs
// from its own limits, in the order of checkLimitInfos, separated by blanks.
std::string checkSettingsText(const CheckSettings& settings);
// The settings of such a text, read tolerantly: an unknown profile is the default
// one, and a field with an unknown key or a value that does not read keeps the
// profile's own. Fields may come in any order, separated by blanks, semicolons or
// commas; the last of a key counts.
CheckSettings parseCheckSettings(std::string_view text);

}  // namespace zav
