#pragma once
// Export SubRip and Export WebVTT: one language of the document as cues. A caption
// runs from its row's start time to the next timed row's start time, whatever that
// row's text; a row with an empty text only clears the screen. Of rows with the same
// time only the last is shown, as in the preview line.
//
// Files are UTF-8 without a byte-order mark with CR LF line ends; SubRip cues are
// numbered from 1, WebVTT starts with its "WEBVTT" line. SubRip has no escapes: a
// text line that would read as a timing line gets its arrow written as "-- >".

#include "core/caption_document.h"
#include "core/cue_file.h"
#include "core/cue_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zav {

// A row's start time as a cue time: cut toward zero to whole milliseconds (as SAMI
// export writes it), held within 0 .. kMaxCueMs; a time that is not a number is 0.
std::int64_t cueTimeOf(double startMs) noexcept;

// How long the last caption stays: as long as reading its shown characters takes at
// 15 characters a second, at least 1.5 s and at most 7 s.
std::int64_t readingTimeMs(std::u16string_view samiText);

// The cues of the language, in time order. Rows are taken in time order (equal cue
// times keep their document order, so the last of them wins); rows without a time
// are left out. A caption that shows nothing (blank once its tags are dropped) gives
// no cue. No cues for a language index out of range.
std::vector<Cue> documentCues(const CaptionDocument& document, int language);

// "hh:mm:ss,mmm" (SubRip) or "hh:mm:ss.mmm" (WebVTT); hours take as many digits as
// they need.
std::string cueTimestamp(std::int64_t ms, CueSyntax syntax);

// The bytes of a file holding the cues.
std::string cueFileBytes(const std::vector<Cue>& cues, CueSyntax syntax);

std::string subRipFileBytes(const CaptionDocument& document, int language);
std::string webVttFileBytes(const CaptionDocument& document, int language);

// Append ".srt" or ".vtt" unless the path already ends in exactly that (byte-wise
// and case-sensitive, so "movie.SRT" becomes "movie.SRT.srt").
void addSubRipExtension(std::string& path);
void addWebVttExtension(std::string& path);

}  // namespace zav
