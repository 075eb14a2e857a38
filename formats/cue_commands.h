#pragma once
// SubRip (.srt), WebVTT (.vtt) and TTML (.ttml, .dfxp, .xml): export of the current
// language (TTML also of every language), import that replaces the document, and
// languages added from such a file beside the others. The imports tell the format by
// the file's content.

#include "captions/caption_editor.h"

namespace zav {

// Export SubRip / Export WebVTT: the Save dialog, Sort By Time, then the current
// language's timed captions as cues in UTF-8 (".srt" or ".vtt" appended when the
// name does not end so).
void exportSubRip(CaptionEditor& editor);
void exportWebVtt(CaptionEditor& editor);

// Export TTML: the current language as an IMSC 1.1 Text document (".ttml" appended
// when the name does not end so). Export TTML, all languages: every language, a div
// each.
void exportTtml(CaptionEditor& editor);
void exportTtmlAllLanguages(CaptionEditor& editor);

// Import SubRip, WebVTT or TTML: the Open dialog; the file's cues replace the
// document, a SubRip or WebVTT file in one language named as the current one, a TTML
// file in one language per xml:lang. A file without a readable cue, or a TTML file
// that is not well-formed XML (the message names the line), leaves the document as
// it was.
void importCueFile(CaptionEditor& editor);

// Add Language from SubRip, WebVTT or TTML: the Open dialog; for SubRip and WebVTT
// the Add Language dialog then asks the new language's class name, a TTML file's
// languages are named from their codes. The cues become the new languages, rows
// matched by their exact start time and new rows put in time order.
void addCueFileLanguage(CaptionEditor& editor);

}  // namespace zav
