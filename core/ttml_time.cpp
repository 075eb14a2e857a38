#include "core/ttml_time.h"

#include "core/cue_file.h"

#include <cmath>
#include <string>

namespace zav {
namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The digits at text[at] as a number (saturating far beyond any time); their count.
std::size_t digits(std::u16string_view text, std::size_t& at, std::int64_t& value) {
    const std::size_t start = at;
    value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        if (value < kMaxCueMs) value = value * 10 + (text[at] - u'0');
    }
    return at - start;
}

// The digits after a decimal point as a fraction; digits past the ninth add nothing
// a millisecond would show.
std::size_t fractionDigits(std::u16string_view text, std::size_t& at, double& fraction) {
    const std::size_t start = at;
    std::int64_t numerator = 0;
    double denominator = 1;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        if (at - start < 9) {
            numerator = numerator * 10 + (text[at] - u'0');
            denominator *= 10;
        }
    }
    fraction = static_cast<double>(numerator) / denominator;
    return at - start;
}

std::optional<std::int64_t> wholeMs(double ms) {
    if (!(ms >= 0) || ms > static_cast<double>(kMaxCueMs)) return std::nullopt;
    return static_cast<std::int64_t>(std::llround(ms));
}

std::optional<std::int64_t> clockTime(std::u16string_view text, const TtmlTiming& timing) {
    std::size_t at = 0;
    std::int64_t hours, minutes, seconds;
    if (digits(text, at, hours) < 2 || at >= text.size() || text[at++] != u':') return std::nullopt;
    if (digits(text, at, minutes) != 2 || at >= text.size() || text[at++] != u':') return std::nullopt;
    if (digits(text, at, seconds) != 2 || minutes >= 60 || seconds >= 61) return std::nullopt;  // 60: a leap second
    if (hours > kMaxCueMs / 3600000) return std::nullopt;
    double extraMs = 0;
    if (at < text.size() && text[at] == u'.') {
        double fraction;
        ++at;
        if (fractionDigits(text, at, fraction) == 0) return std::nullopt;
        extraMs = fraction * 1000;
    } else if (at < text.size() && text[at] == u':') {
        std::int64_t frames, subFrames = 0;
        ++at;
        if (digits(text, at, frames) < 2) return std::nullopt;
        if (at < text.size() && text[at] == u'.') {
            ++at;
            if (digits(text, at, subFrames) == 0) return std::nullopt;
        }
        extraMs = (static_cast<double>(frames) + static_cast<double>(subFrames) / timing.subFrameRate) * 1000 /
                  timing.frameRate;
    }
    if (at != text.size()) return std::nullopt;
    return wholeMs(static_cast<double>((hours * 3600 + minutes * 60 + seconds) * 1000) + extraMs);
}

std::optional<std::int64_t> offsetTime(std::u16string_view text, const TtmlTiming& timing) {
    std::size_t at = 0;
    std::int64_t count;
    double fraction = 0;
    if (digits(text, at, count) == 0) return std::nullopt;
    if (at < text.size() && text[at] == u'.') {
        ++at;
        if (fractionDigits(text, at, fraction) == 0) return std::nullopt;
    }
    const std::u16string_view metric = text.substr(at);
    double unitMs;
    if (metric == u"h") {
        unitMs = 3600000;
    } else if (metric == u"m") {
        unitMs = 60000;
    } else if (metric == u"s") {
        unitMs = 1000;
    } else if (metric == u"ms") {
        unitMs = 1;
    } else if (metric == u"f") {
        unitMs = 1000 / timing.frameRate;
    } else if (metric == u"t") {
        unitMs = 1000 / timing.tickRate;
    } else {
        return std::nullopt;
    }
    return wholeMs((static_cast<double>(count) + fraction) * unitMs);
}

// A positive whole number of at most nine digits.
std::optional<double> positive(std::u16string_view text) {
    text = trimmed(text);
    std::size_t at = 0;
    std::int64_t value;
    if (digits(text, at, value) == 0 || at != text.size() || at > 9 || value == 0) return std::nullopt;
    return static_cast<double>(value);
}

}  // namespace

TtmlTiming ttmlTiming(const std::u16string* frameRate, const std::u16string* multiplier,
                      const std::u16string* subFrameRate, const std::u16string* tickRate) {
    TtmlTiming timing;
    const std::optional<double> frames = frameRate ? positive(*frameRate) : std::nullopt;
    if (frames) timing.frameRate = *frames;
    if (multiplier) {
        const std::u16string_view pair = trimmed(*multiplier);
        const std::size_t blank = pair.find(u' ');
        const auto numerator = positive(pair.substr(0, blank));
        const auto denominator = blank == std::u16string_view::npos ? std::nullopt : positive(pair.substr(blank));
        if (numerator && denominator) timing.frameRate = timing.frameRate * *numerator / *denominator;
    }
    if (const auto sub = subFrameRate ? positive(*subFrameRate) : std::nullopt) timing.subFrameRate = *sub;
    const auto ticks = tickRate ? positive(*tickRate) : std::nullopt;
    timing.tickRate = ticks ? *ticks : frames ? timing.frameRate * timing.subFrameRate : 1;
    return timing;
}

std::optional<std::int64_t> ttmlTimeMs(std::u16string_view expression, const TtmlTiming& timing) {
    expression = trimmed(expression);
    if (expression.size() > 64) return std::nullopt;  // no time is written that long
    if (expression.find(u':') != std::u16string_view::npos) return clockTime(expression, timing);
    return offsetTime(expression, timing);
}

}  // namespace zav
