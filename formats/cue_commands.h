#pragma once
// SubRip (.srt) and WebVTT (.vtt): export of the current language, import that
// replaces the document, and a language added from such a file beside the others.

#include "captions/caption_editor.h"

namespace zav {

// Export SubRip / Export WebVTT: the Save dialog, Sort By Time, then the current
// language's timed captions as cues in UTF-8 (".srt" or ".vtt" appended when the
// name does not end so).
void exportSubRip(CaptionEditor& editor);
void exportWebVtt(CaptionEditor& editor);

// Import SubRip or WebVTT: the Open dialog; the file's cues replace the document,
// in one language named as the current one. A file without a readable cue leaves
// the document as it was.
void importCueFile(CaptionEditor& editor);

// Add Language from SubRip or WebVTT: the Open dialog, then the Add Language dialog
// for the new language's class name; the cues become that language, rows matched by
// their exact start time and new rows put in time order.
void addCueFileLanguage(CaptionEditor& editor);

}  // namespace zav
