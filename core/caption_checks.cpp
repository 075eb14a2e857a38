#include "core/caption_checks.h"

#include "core/cue_file.h"
#include "core/cue_text.h"
#include "core/cue_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zav {
namespace {

struct KindInfo {
    CheckKind kind;
    const char* name;
    const char* description;
};

constexpr KindInfo kKindInfos[] = {
    {CheckKind::tooFast, "too-fast", "Too fast to read: more characters a second than the limit."},
    {CheckKind::lineTooLong, "line-too-long", "A line holds more characters than the limit."},
    {CheckKind::tooManyLines, "too-many-lines", "The caption has more lines than the limit."},
    {CheckKind::tooShort, "too-short", "On screen for less than the shortest time."},
    {CheckKind::tooLong, "too-long", "On screen for longer than the longest time."},
    {CheckKind::gapTooSmall, "gap-too-small", "Runs straight into the next caption, with no gap between them."},
    {CheckKind::shortClear, "short-clear",
     "Clears the screen between two captions for less than the smallest gap: a flash."},
    {CheckKind::unsorted, "unsorted", "Starts at or before the timed row above it: times out of order or equal."},
    {CheckKind::untimedText, "untimed-text", "Has a text but no start time, so it never shows."},
};

const KindInfo& infoOf(CheckKind kind) {
    for (const KindInfo& info : kKindInfos) {
        if (info.kind == kind) return info;
    }
    return kKindInfos[0];
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == 0x00A0; }

// Units that add no character of their own: the second half of a surrogate pair and
// the zero-width characters.
bool addsNoCharacter(char16_t c) {
    return (c >= 0xDC00 && c <= 0xDFFF) || (c >= 0x200B && c <= 0x200F) || c == 0x2060 || c == 0xFEFF;
}

bool isAsciiAlphanumeric(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// HTML's named references beyond the few plainTextOf decodes ("&eacute;") stay in
// the plain text as they are, yet a SAMI player shows each as one character. The
// units after the "&" of one, or 0.
std::size_t namedReferenceLength(std::u16string_view text) {
    if (text.size() < 4 || text[0] != u'&' || !isAsciiAlphanumeric(text[1]) || (text[1] >= u'0' && text[1] <= u'9'))
        return 0;
    for (std::size_t i = 2; i < text.size() && i <= 32; ++i) {
        if (text[i] == u';') return i;
        if (!isAsciiAlphanumeric(text[i])) return 0;
    }
    return 0;
}

void measureLine(std::u16string_view line, TextMeasure& measure) {
    std::size_t first = 0;
    std::size_t last = line.size();
    while (first < last && isBlank(line[first])) ++first;
    while (last > first && isBlank(line[last - 1])) --last;
    int characters = 0;
    for (std::size_t i = first; i < last; ++i) {
        i += namedReferenceLength(line.substr(i, last - i));
        characters += addsNoCharacter(line[i]) ? 0 : 1;
    }
    if (characters == 0) return;
    measure.characters += characters;
    measure.lines += 1;
    measure.longestLine = std::max(measure.longestLine, characters);
}

struct TimedRow {
    std::int64_t ms;
    int row;
};

// The timed rows in time order, without those a later row of the same time hides.
std::vector<TimedRow> shownRows(const CaptionDocument& document) {
    std::vector<TimedRow> rows;
    for (int row = 0; row < document.rowCount(); ++row) {
        if (document.times()[row].startMs != kNoTime) rows.push_back({cueTimeOf(document.times()[row].startMs), row});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TimedRow& a, const TimedRow& b) { return a.ms < b.ms; });
    std::vector<TimedRow> shown;
    shown.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i + 1 == rows.size() || rows[i + 1].ms != rows[i].ms) shown.push_back(rows[i]);
    }
    return shown;
}

// Timed rows that start at or before the timed row above them, with that row's start.
struct UnsortedRow {
    TimedRow row;
    std::int64_t previousMs;
};

std::vector<UnsortedRow> unsortedRows(const CaptionDocument& document) {
    std::vector<UnsortedRow> unsorted;
    std::int64_t previous = -1;
    for (int row = 0; row < document.rowCount(); ++row) {
        if (document.times()[row].startMs == kNoTime) continue;
        const std::int64_t ms = cueTimeOf(document.times()[row].startMs);
        if (previous >= 0 && ms <= previous) unsorted.push_back({{ms, row}, previous});
        previous = ms;
    }
    return unsorted;
}

// characters / (ms / 1000) > hundredths / 100, exactly.
bool readsTooFast(std::int64_t characters, std::int64_t durationMs, int hundredths) {
    if (durationMs <= 0 || hundredths <= 0) return false;
    if (durationMs > std::numeric_limits<std::int64_t>::max() / hundredths) return false;
    return characters * 100000 > hundredths * durationMs;
}

// Characters a second to the nearest thousandth.
std::int64_t thousandthsPerSecond(std::int64_t characters, std::int64_t durationMs) {
    return durationMs <= 0 ? 0 : (characters * 2000000 + durationMs) / (2 * durationMs);
}

// The speed of a caption over the limit, never shown as the limit or below it.
double speedOverLimit(std::int64_t characters, std::int64_t durationMs, int hundredths) {
    const std::int64_t thousandths = std::max(thousandthsPerSecond(characters, durationMs), hundredths * std::int64_t{10} + 1);
    return static_cast<double>(thousandths) / 1000;
}

// The end of the caption at rows[i]: the next shown row, or its reading time.
std::int64_t endOf(const std::vector<TimedRow>& rows, std::size_t i, std::u16string_view text) {
    if (i + 1 < rows.size()) return rows[i + 1].ms;
    return std::min(kMaxCueMs, rows[i].ms + readingTimeMs(text));
}

class LanguageCheck {
public:
    LanguageCheck(const CaptionDocument& document, int language, const CheckLimits& limits, CheckReport& report)
        : document_(document), language_(language), limits_(limits), report_(report) {}

    void run(const std::vector<TimedRow>& rows, const std::vector<UnsortedRow>& unsorted) {
        std::vector<TextMeasure> measures(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) measures[i] = measureText(textOf(rows[i].row));
        // nextCaption[i]: the first caption at or after i (rows.size() when none).
        std::vector<std::size_t> nextCaption(rows.size() + 1, rows.size());
        for (std::size_t i = rows.size(); i-- > 0;) nextCaption[i] = measures[i].characters > 0 ? i : nextCaption[i + 1];
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (measures[i].characters == 0) continue;
            ++report_.captions;
            checkCaption(rows[i], measures[i], endOf(rows, i, textOf(rows[i].row)) - rows[i].ms);
            if (i + 1 == rows.size()) continue;
            if (measures[i + 1].characters > 0) {
                if (!gapIsEnough(0, limits_)) add(CheckKind::gapTooSmall, rows[i], 0, minGapMs(limits_));
            } else if (const std::size_t next = nextCaption[i + 1]; next < rows.size()) {
                const std::int64_t gap = rows[next].ms - rows[i + 1].ms;
                if (!gapIsEnough(gap, limits_))
                    add(CheckKind::shortClear, rows[i + 1], static_cast<double>(gap), minGapMs(limits_));
            }
        }
        for (const UnsortedRow& row : unsorted)
            add(CheckKind::unsorted, row.row, static_cast<double>(row.row.ms), static_cast<double>(row.previousMs));
        for (int row = 0; row < document_.rowCount(); ++row) {
            if (document_.times()[row].startMs == kNoTime && !textOf(row).empty())
                add(CheckKind::untimedText, TimedRow{-1, row}, 0, 0);
        }
    }

private:
    const std::u16string& textOf(int row) const { return document_.text(language_, row); }

    void add(CheckKind kind, TimedRow row, double value, double limit) {
        report_.problems.push_back(CheckProblem{kind, row.row, language_, row.ms, value, limit});
    }

    void checkCaption(TimedRow row, const TextMeasure& measure, std::int64_t durationMs) {
        if (readsTooFast(measure.characters, durationMs, limits_.maxCpsHundredths))
            add(CheckKind::tooFast, row, speedOverLimit(measure.characters, durationMs, limits_.maxCpsHundredths),
                limits_.maxCpsHundredths / 100.0);
        if (measure.longestLine > limits_.maxLineChars)
            add(CheckKind::lineTooLong, row, measure.longestLine, limits_.maxLineChars);
        if (measure.lines > limits_.maxLines) add(CheckKind::tooManyLines, row, measure.lines, limits_.maxLines);
        if (durationMs < limits_.minDurationMs)
            add(CheckKind::tooShort, row, static_cast<double>(durationMs), limits_.minDurationMs);
        if (durationMs > limits_.maxDurationMs)
            add(CheckKind::tooLong, row, static_cast<double>(durationMs), limits_.maxDurationMs);
    }

    const CaptionDocument& document_;
    int language_;
    const CheckLimits& limits_;
    CheckReport& report_;
};

void sortProblems(std::vector<CheckProblem>& problems) {
    std::stable_sort(problems.begin(), problems.end(), [](const CheckProblem& a, const CheckProblem& b) {
        if (a.language != b.language) return a.language < b.language;
        if (a.row != b.row) return a.row < b.row;
        return a.kind < b.kind;
    });
}

CheckReport checkLanguages(const CaptionDocument& document, int first, int end, const CheckLimits& limits) {
    CheckReport report;
    if (first < 0 || end > document.languageCount() || first >= end) return report;
    const std::vector<TimedRow> rows = shownRows(document);
    const std::vector<UnsortedRow> unsorted = unsortedRows(document);
    for (int language = first; language < end; ++language) LanguageCheck(document, language, limits, report).run(rows, unsorted);
    sortProblems(report.problems);
    return report;
}

std::string joined(const char* before, double value, const char* middle, double limit, const char* after) {
    return before + checkNumberText(value) + middle + checkNumberText(limit) + after;
}

}  // namespace

const char* checkKindName(CheckKind kind) { return infoOf(kind).name; }
const char* checkKindDescription(CheckKind kind) { return infoOf(kind).description; }
bool checkKindHasValue(CheckKind kind) { return kind != CheckKind::untimedText; }

CheckReport checkDocument(const CaptionDocument& document, const CheckLimits& limits) {
    return checkLanguages(document, 0, document.languageCount(), limits);
}

CheckReport checkLanguage(const CaptionDocument& document, int language, const CheckLimits& limits) {
    return checkLanguages(document, language, language + 1, limits);
}

std::string checkNumberText(double value) {
    if (!std::isfinite(value)) return "?";
    if (value == std::floor(value) && std::fabs(value) < 1e18)
        return std::to_string(static_cast<std::int64_t>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string text = buffer;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string checkProblemText(const CheckProblem& p) {
    switch (p.kind) {
    case CheckKind::tooFast: return joined("Reading speed ", p.value, " characters a second; at most ", p.limit, "");
    case CheckKind::lineTooLong: return joined("A line of ", p.value, " characters; at most ", p.limit, "");
    case CheckKind::tooManyLines: return joined("", p.value, " lines; at most ", p.limit, "");
    case CheckKind::tooShort: return joined("On screen for ", p.value, " ms; at least ", p.limit, " ms");
    case CheckKind::tooLong: return joined("On screen for ", p.value, " ms; at most ", p.limit, " ms");
    case CheckKind::gapTooSmall: return joined("Gap to the next caption ", p.value, " ms; at least ", p.limit, " ms");
    case CheckKind::shortClear: return joined("Clears the screen for ", p.value, " ms; at least ", p.limit, " ms");
    case CheckKind::unsorted: return joined("Starts at ", p.value, " ms, not after the row above at ", p.limit, " ms");
    case CheckKind::untimedText: break;
    }
    return "Has a text but no start time";
}

TextMeasure measureText(std::u16string_view samiText) {
    TextMeasure measure;
    const std::u16string plain = plainTextOf(samiText);
    const std::u16string_view rest(plain);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = rest.find(u'\n', start);
        measureLine(rest.substr(start, end == std::u16string_view::npos ? end : end - start), measure);
        if (end == std::u16string_view::npos) return measure;
        start = end + 1;
    }
}

RowMeasure measureRow(const CaptionDocument& document, int row, std::u16string_view samiText,
                      const CheckLimits& limits) {
    RowMeasure measure;
    measure.text = measureText(samiText);
    measure.lineTooLong = measure.text.longestLine > limits.maxLineChars;
    measure.tooManyLines = measure.text.lines > limits.maxLines;
    if (row < 0 || row >= document.rowCount() || document.times()[row].startMs == kNoTime) return measure;
    const std::int64_t ms = cueTimeOf(document.times()[row].startMs);
    std::int64_t next = -1;
    for (int other = 0; other < document.rowCount(); ++other) {
        if (other == row || document.times()[other].startMs == kNoTime) continue;
        const std::int64_t otherMs = cueTimeOf(document.times()[other].startMs);
        if (otherMs == ms && other > row) return measure;  // hidden by a later row of its time
        if (otherMs > ms && (next < 0 || otherMs < next)) next = otherMs;
    }
    measure.durationMs = (next >= 0 ? next : std::min(kMaxCueMs, ms + readingTimeMs(samiText))) - ms;
    measure.charactersPerSecond =
        static_cast<double>(thousandthsPerSecond(measure.text.characters, measure.durationMs)) / 1000;
    measure.tooFast = readsTooFast(measure.text.characters, measure.durationMs, limits.maxCpsHundredths);
    return measure;
}

}  // namespace zav
