#include "core/check_profile.h"

namespace zav {
namespace {

struct FrameRateInfo {
    FrameRate rate;
    const char* name;
    std::int64_t numerator;
    std::int64_t denominator;
};

constexpr FrameRateInfo kFrameRateInfos[] = {
    {FrameRate::fps23976, "23.976", 24000, 1001}, {FrameRate::fps24, "24", 24, 1},
    {FrameRate::fps25, "25", 25, 1},              {FrameRate::fps2997, "29.97", 30000, 1001},
    {FrameRate::fps30, "30", 30, 1},
};

const FrameRateInfo& infoOf(FrameRate rate) {
    for (const FrameRateInfo& info : kFrameRateInfos) {
        if (info.rate == rate) return info;
    }
    return kFrameRateInfos[2];
}

// The reading speed is kept in hundredths; every other limit in its own unit.
int scaleOf(CheckLimit limit) { return limit == CheckLimit::maxCps ? 100 : 1; }

CheckLimits limitsWith(int cpsHundredths, int lineChars) {
    CheckLimits limits;
    limits.maxCpsHundredths = cpsHundredths;
    limits.maxLineChars = lineChars;
    return limits;
}

bool isSeparator(char c) { return c == ' ' || c == ';' || c == ','; }

// The fields of a settings text: runs between blanks, semicolons or commas.
std::vector<std::string_view> fieldsOf(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && !isSeparator(text[end])) ++end;
        if (end > at) fields.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

}  // namespace

const char* frameRateName(FrameRate rate) { return infoOf(rate).name; }

std::optional<FrameRate> frameRateOfName(std::string_view name) {
    for (const FrameRateInfo& info : kFrameRateInfos) {
        if (name == info.name) return info.rate;
    }
    return std::nullopt;
}

std::int64_t frameRateNumerator(FrameRate rate) { return infoOf(rate).numerator; }
std::int64_t frameRateDenominator(FrameRate rate) { return infoOf(rate).denominator; }

bool CheckLimits::operator==(const CheckLimits& other) const {
    return maxCpsHundredths == other.maxCpsHundredths && maxLineChars == other.maxLineChars &&
           maxLines == other.maxLines && minDurationMs == other.minDurationMs &&
           maxDurationMs == other.maxDurationMs && minGapFrames == other.minGapFrames &&
           frameRate == other.frameRate;
}

double minGapMs(const CheckLimits& limits) {
    return limits.minGapFrames * 1000.0 * static_cast<double>(frameRateDenominator(limits.frameRate)) /
           static_cast<double>(frameRateNumerator(limits.frameRate));
}

bool gapIsEnough(std::int64_t gapMs, const CheckLimits& limits) {
    // gapMs / 1000 >= frames * denominator / numerator, without a division.
    if (gapMs < 0) return limits.minGapFrames <= 0;
    const std::int64_t numerator = frameRateNumerator(limits.frameRate);
    const std::int64_t needed = std::int64_t{limits.minGapFrames} * 1000 * frameRateDenominator(limits.frameRate);
    return gapMs >= (needed + numerator - 1) / numerator;
}

const std::vector<CheckLimitInfo>& checkLimitInfos() {
    static const std::vector<CheckLimitInfo> infos = {
        {CheckLimit::maxCps, "max-cps", "Characters a second, at most", 1, 100000},
        {CheckLimit::maxLineChars, "max-chars", "Characters a line, at most", 1, 1000},
        {CheckLimit::maxLines, "max-lines", "Lines, at most", 1, 100},
        {CheckLimit::minDurationMs, "min-duration", "Time on screen in ms, at least", 0, 3600000},
        {CheckLimit::maxDurationMs, "max-duration", "Time on screen in ms, at most", 1, 3600000},
        {CheckLimit::minGapFrames, "min-gap-frames", "Frames between captions, at least", 0, 1000},
    };
    return infos;
}

int limitValue(const CheckLimits& limits, CheckLimit limit) {
    switch (limit) {
    case CheckLimit::maxCps: return limits.maxCpsHundredths;
    case CheckLimit::maxLineChars: return limits.maxLineChars;
    case CheckLimit::maxLines: return limits.maxLines;
    case CheckLimit::minDurationMs: return limits.minDurationMs;
    case CheckLimit::maxDurationMs: return limits.maxDurationMs;
    case CheckLimit::minGapFrames: return limits.minGapFrames;
    }
    return 0;
}

void setLimitValue(CheckLimits& limits, CheckLimit limit, int value) {
    switch (limit) {
    case CheckLimit::maxCps: limits.maxCpsHundredths = value; break;
    case CheckLimit::maxLineChars: limits.maxLineChars = value; break;
    case CheckLimit::maxLines: limits.maxLines = value; break;
    case CheckLimit::minDurationMs: limits.minDurationMs = value; break;
    case CheckLimit::maxDurationMs: limits.maxDurationMs = value; break;
    case CheckLimit::minGapFrames: limits.minGapFrames = value; break;
    }
}

std::optional<int> parseLimitValue(CheckLimit limit, std::string_view text) {
    const int scale = scaleOf(limit);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 9 || (point != std::string_view::npos && fraction.empty())) return std::nullopt;
    if (fraction.size() > (scale == 100 ? 2u : 0u)) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    value *= scale;
    std::int64_t place = scale / 10;
    for (const char c : fraction) {
        if (c < '0' || c > '9') return std::nullopt;
        value += (c - '0') * place;
        place /= 10;
    }
    for (const CheckLimitInfo& info : checkLimitInfos()) {
        if (info.limit == limit && (value < info.minimum || value > info.maximum)) return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string limitValueText(CheckLimit limit, int value) {
    const int scale = scaleOf(limit);
    std::string text = std::to_string(value / scale);
    const int hundredths = value % scale;
    if (hundredths != 0) {
        text += '.';
        text += static_cast<char>('0' + hundredths / 10);
        if (hundredths % 10 != 0) text += static_cast<char>('0' + hundredths % 10);
    }
    return text;
}

const std::vector<CheckProfile>& checkProfiles() {
    static const std::vector<CheckProfile> profiles = {
        {"default", "Adults: 17 characters a second, 42 a line, 2 lines, 5/6 s to 7 s, 2 frames apart",
         CheckLimits()},
        {"children", "Children: as the default at 13 characters a second", limitsWith(1300, 42)},
        {"narrow", "Narrow lines: as the default with 37 characters a line", limitsWith(1700, 37)},
        {"house-20", "Fast house style: as the default at 20 characters a second", limitsWith(2000, 42)},
    };
    return profiles;
}

const CheckProfile* checkProfileNamed(std::string_view name) {
    for (const CheckProfile& profile : checkProfiles()) {
        if (name == profile.name) return &profile;
    }
    return nullptr;
}

std::string checkSettingsText(const CheckSettings& settings) {
    const CheckProfile* profile = checkProfileNamed(settings.profile);
    if (!profile) profile = &checkProfiles().front();
    std::string text = std::string("profile=") + profile->name;
    if (settings.limits.frameRate != profile->limits.frameRate)
        text += std::string(" fps=") + frameRateName(settings.limits.frameRate);
    for (const CheckLimitInfo& info : checkLimitInfos()) {
        const int value = limitValue(settings.limits, info.limit);
        if (value != limitValue(profile->limits, info.limit))
            text += std::string(" ") + info.key + '=' + limitValueText(info.limit, value);
    }
    return text;
}

CheckSettings parseCheckSettings(std::string_view text) {
    const std::vector<std::string_view> fields = fieldsOf(text);
    const CheckProfile* profile = &checkProfiles().front();
    for (const std::string_view field : fields) {
        if (field.substr(0, 8) != "profile=") continue;
        if (const CheckProfile* named = checkProfileNamed(field.substr(8))) profile = named;
    }
    CheckSettings settings{profile->name, profile->limits};
    for (const std::string_view field : fields) {
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = field.substr(0, equals);
        const std::string_view value = field.substr(equals + 1);
        if (key == "fps") {
            if (const auto rate = frameRateOfName(value)) settings.limits.frameRate = *rate;
            continue;
        }
        for (const CheckLimitInfo& info : checkLimitInfos()) {
            if (key != info.key) continue;
            if (const auto parsed = parseLimitValue(info.limit, value)) setLimitValue(settings.limits, info.limit, *parsed);
        }
    }
    return settings;
}

}  // namespace zav
