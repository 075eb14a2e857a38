#include "core/cue_writer.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

constexpr std::int64_t kMinReadingMs = 1500;
constexpr std::int64_t kMaxReadingMs = 7000;
constexpr std::int64_t kCharactersPerSecond = 15;

void appendExtension(std::string& path, std::string_view extension) {
    const bool hasIt = path.size() >= extension.size() &&
                       path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
    if (!hasIt) path += extension;
}

std::string twoDigits(std::int64_t value) {
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

bool showsNothing(std::u16string_view samiText) {
    const std::u16string plain = plainTextOf(samiText);
    return std::all_of(plain.begin(), plain.end(),
                       [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; });
}

// SubRip has no escapes: a text line that reads as a timing line would start a cue
// of its own, so its arrow is written as "-- >".
std::u16string subRipLine(std::u16string line) {
    if (!isCueTimingLine(line)) return line;
    const std::size_t arrow = line.find(u"-->");
    return line.insert(arrow + 2, 1, u' ');
}

struct TimedRow {
    std::int64_t ms;
    int row;
};

}  // namespace

std::int64_t cueTimeOf(double startMs) noexcept {
    if (std::isnan(startMs) || startMs <= 0) return 0;
    if (startMs >= static_cast<double>(kMaxCueMs)) return kMaxCueMs;
    return static_cast<std::int64_t>(startMs);
}

std::int64_t readingTimeMs(std::u16string_view samiText) {
    std::int64_t characters = 0;
    for (const char16_t c : plainTextOf(samiText)) {
        // Line breaks are not read, and a pair of surrogates is one character.
        if (c != u'\n' && !(c >= 0xDC00 && c <= 0xDFFF)) ++characters;
    }
    return std::clamp(characters * 1000 / kCharactersPerSecond, kMinReadingMs, kMaxReadingMs);
}

std::vector<Cue> documentCues(const CaptionDocument& document, int language) {
    std::vector<Cue> cues;
    if (language < 0 || language >= document.languageCount()) return cues;
    std::vector<TimedRow> rows;
    for (int row = 0; row < document.rowCount(); ++row) {
        if (document.times()[row].startMs != kNoTime) rows.push_back({cueTimeOf(document.times()[row].startMs), row});
    }
    // Already in order after Sort By Time; sorting again keeps any other order safe.
    std::stable_sort(rows.begin(), rows.end(), [](const TimedRow& a, const TimedRow& b) { return a.ms < b.ms; });
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i + 1 < rows.size() && rows[i + 1].ms == rows[i].ms) continue;  // hidden by a later row of its time
        const std::u16string& text = document.text(language, rows[i].row);
        if (showsNothing(text)) continue;
        const std::int64_t end =
            i + 1 < rows.size() ? rows[i + 1].ms : std::min(kMaxCueMs, rows[i].ms + readingTimeMs(text));
        if (end > rows[i].ms) cues.push_back(Cue{rows[i].ms, end, text});
    }
    return cues;
}

std::string cueTimestamp(std::int64_t ms, CueSyntax syntax) {
    const std::int64_t hours = ms / 3600000;
    std::string text = hours < 10 ? "0" + std::to_string(hours) : std::to_string(hours);
    text += ':' + twoDigits(ms / 60000 % 60) + ':' + twoDigits(ms / 1000 % 60);
    text += syntax == CueSyntax::subRip ? ',' : '.';
    const std::int64_t millis = ms % 1000;
    text += static_cast<char>('0' + millis / 100);
    text += twoDigits(millis % 100);
    return text;
}

std::string cueFileBytes(const std::vector<Cue>& cues, CueSyntax syntax) {
    std::string bytes;
    if (syntax == CueSyntax::webVtt) bytes += "WEBVTT\r\n\r\n";
    int number = 0;
    for (const Cue& cue : cues) {
        const std::vector<std::u16string> lines = cueLinesOf(cue.text, syntax);
        if (lines.empty()) continue;
        if (syntax == CueSyntax::subRip) bytes += std::to_string(++number) + "\r\n";
        bytes += cueTimestamp(cue.startMs, syntax) + " --> " + cueTimestamp(cue.endMs, syntax) + "\r\n";
        for (const std::u16string& line : lines)
            bytes += utf16ToUtf8(syntax == CueSyntax::subRip ? subRipLine(line) : line) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

std::string subRipFileBytes(const CaptionDocument& document, int language) {
    return cueFileBytes(documentCues(document, language), CueSyntax::subRip);
}

std::string webVttFileBytes(const CaptionDocument& document, int language) {
    return cueFileBytes(documentCues(document, language), CueSyntax::webVtt);
}

void addSubRipExtension(std::string& path) { appendExtension(path, ".srt"); }
void addWebVttExtension(std::string& path) { appendExtension(path, ".vtt"); }

}  // namespace zav
