#pragma once
// Caption quality checks: whether each caption can be read in the time it shows and
// fits the screen, as broadcasters and streaming platforms require before they take
// captions. The rules:
//
// What a viewer reads of a text: plainTextOf (tags dropped, each entity one
// character, "<br>" a line break; a named reference it leaves as it is, such as
// "&eacute;", is one character too), split into lines, each line without the blanks
// at its ends (space, tab, CR, no-break space). A line with nothing left is no line.
// Characters are counted as shown: a surrogate pair is one character, the invisible
// zero-width characters (U+200B to U+200F, U+2060, U+FEFF) none, and a line break
// is not counted. A text with no character is a clear: it empties the screen.
//
// Times are the export's: a row's start cut to whole milliseconds (cueTimeOf), rows
// taken in time order, and of rows with equal times only the last in the document
// shows. A caption runs to the next timed row, whatever that row's text; the last
// one for its reading time (readingTimeMs). Its reading speed is its characters
// divided by that time; a speed of exactly the limit passes (compared as integers:
// characters * 100000 <= hundredths * ms).
//
// The gap after a caption: when the next timed row is a caption, there is none (0 ms);
// when it is a clear and a caption follows, the gap runs from the clear to that
// caption. The first is gap-too-small on the caption, the second short-clear on the
// clear row; the last caption, and a clear with no caption after it, have no gap.
//
// Times out of order are checked in document order: a timed row that starts at or
// before the timed row above it is unsorted (its start and the one above as value and
// limit), reported in every language checked. Rows without a time are checked only
// for a text: one that is not empty never shows (untimed-text).
//
// Checking is linear in rows times languages apart from one sort of the timed rows.

#include "core/caption_document.h"
#include "core/check_profile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class CheckKind { tooFast, lineTooLong, tooManyLines, tooShort, tooLong, gapTooSmall, shortClear, unsorted, untimedText };

inline constexpr CheckKind kCheckKinds[] = {
    CheckKind::tooFast,  CheckKind::lineTooLong, CheckKind::tooManyLines, CheckKind::tooShort,   CheckKind::tooLong,
    CheckKind::gapTooSmall, CheckKind::shortClear, CheckKind::unsorted,   CheckKind::untimedText};

// Stable short names: "too-fast", "line-too-long", "too-many-lines", "too-short",
// "too-long", "gap-too-small", "short-clear", "unsorted", "untimed-text".
const char* checkKindName(CheckKind kind);
// One sentence for the user, in English.
const char* checkKindDescription(CheckKind kind);
// False only for untimed-text, which has no value nor limit.
bool checkKindHasValue(CheckKind kind);

// What is wrong where. Values and limits in the kind's unit: characters a second
// (too-fast; to the nearest thousandth, but at least a thousandth over the limit,
// so that a speed over the limit never reads as the limit), characters (line-too-long), lines (too-many-lines) or
// milliseconds (the others; the smallest gap may have a fraction).
struct CheckProblem {
    CheckKind kind = CheckKind::tooFast;
    int row = 0;       // index in the document
    int language = 0;  // index in the document
    std::int64_t startMs = -1;  // the row's start as the export writes it; -1 without a time
    double value = 0;
    double limit = 0;
};

struct CheckReport {
    // Ordered by language, then row, then kind.
    std::vector<CheckProblem> problems;
    int captions = 0;  // timed, showing captions checked over all languages checked
};

// Every language of the document.
CheckReport checkDocument(const CaptionDocument& document, const CheckLimits& limits);
// One language; an empty report for an index out of range.
CheckReport checkLanguage(const CaptionDocument& document, int language, const CheckLimits& limits);

// A number as the checks show it: whole numbers plainly, others with up to three
// decimals ("17", "17.5", "66.733").
std::string checkNumberText(double value);
// The problem for the user, as "18.5 characters a second; at most 17".
std::string checkProblemText(const CheckProblem& problem);

// What a viewer reads of a text, counted as above.
struct TextMeasure {
    int characters = 0;
    int lines = 0;
    int longestLine = 0;
};
TextMeasure measureText(std::u16string_view samiText);

// A row's measures while the user types: its text as the edit box shows it, timed
// by the row's start and the next timed row as the check times it. durationMs is -1
// (and charactersPerSecond 0) for a row without a time, one hidden by a later row
// of its time, or a row out of range.
struct RowMeasure {
    TextMeasure text;
    std::int64_t durationMs = -1;
    double charactersPerSecond = 0;  // to the nearest thousandth
    bool tooFast = false;
    bool lineTooLong = false;
    bool tooManyLines = false;
};
RowMeasure measureRow(const CaptionDocument& document, int row, std::u16string_view samiText,
                      const CheckLimits& limits);

}  // namespace zav
