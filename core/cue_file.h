#pragma once
// SubRip and WebVTT files read as cues: a start, an end and a text each. The reader
// is tolerant in what it takes (missing index lines, a comma or a point before the
// milliseconds, in SubRip one or two digits there read as tenths or hundredths of a
// second, any line ends, a last block without a blank line after it, cues
// that run into each other without one) and counts what it had to drop or change;
// the caller decides what to tell the user. A zero character reads as U+FFFD and a
// form feed is white space in a timing line; in WebVTT any line holding "-->" ends
// the text of the cue before it, as the WebVTT parsing rules have it.

#include "core/code_page.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class CaptionFormat { unknown, sami, subRip, webVtt };

// Cue times are whole milliseconds from 0 to kMaxCueMs, the largest integer a
// double (a row's start time) holds exactly.
inline constexpr std::int64_t kMaxCueMs = 9007199254740991;  // 2^53 - 1
// An end at or after this time (2^32 - 1 ms, some 49 days) is what converters write
// for a caption that has no end of its own: it stays until the next one.
inline constexpr std::int64_t kOpenCueEndMs = 4294967295;

struct Cue {
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    std::u16string text;  // SAMI markup as the document keeps it, lines joined with "<br>"
};

struct CueFile {
    CaptionFormat format = CaptionFormat::unknown;
    // Sorted by start time, no two starting together (joinCuesStartingTogether); no
    // cue ends after the next one starts, and every text is non-empty and within the
    // document's limit.
    std::vector<Cue> cues;
    int malformedBlocks = 0;  // blocks with no usable timing line, or ending before they start
    int shortenedCues = 0;    // cues cut short where the next one starts
    int cutTexts = 0;         // texts cut to the document's limit
};

// The format the bytes hold, told by their content: a "WEBVTT" first line, a SAMI
// tag at the start, else SubRip when any line is a timing line "start --> end".
CaptionFormat captionFormatOfContent(std::string_view bytes);

// The format a file name stands for: ".smi" or ".sami", ".srt", ".vtt", in any case.
CaptionFormat captionFormatOfPath(std::string_view path);

// True when the line reads as a cue's timing line: "start --> end" and perhaps
// settings after a blank, in the more lenient reading of SubRip.
bool isCueTimingLine(std::u16string_view line);

// Joins the cues (sorted by start time) that start together into one, as the
// document has one row for a time: their texts joined with "<br>" in their order,
// the latest end kept. The texts are not cut here.
void joinCuesStartingTogether(std::vector<Cue>& cues);

// Reads a SubRip or WebVTT file; other content gives its format and no cue. The
// encoding: a byte-order mark decides, else valid UTF-8, else the code page.
CueFile readCueFile(std::string_view bytes, const CodePageConverter& codePage);

}  // namespace zav
