#pragma once
// Documents built from the cues of a SubRip or WebVTT file: Import, which replaces
// the document, and Add Language, which brings the cues in beside the languages the
// document has.
//
// Each cue gives a row at its start with its text (cues that start together give one
// row, their texts joined as joinCuesStartingTogether joins them); where a cue ends before the next
// one starts (and after the last one), an empty row at its end clears the screen, so
// that its times survive export to SAMI, SubRip and WebVTT alike. An end at or after
// kOpenCueEndMs gives no such row: the caption stays, as in SAMI.

#include "core/caption_document.h"
#include "core/code_page.h"
#include "core/cue_file.h"

namespace zav {

// The language an import gives the document: the names and code of its current
// language, or "US English" / "US English" / "en-us" (those of New Caption File)
// when it has none.
LanguageClass importLanguageFor(const CaptionDocument& document);

// Replaces the whole document with one language, importLanguageFor the document as
// it was, holding the cues; currentLanguage becomes 0. Without a cue it changes
// nothing and returns false.
bool replaceWithCues(CaptionDocument& document, const CueFile& file, const CodePageConverter& codePage);

// Adds the cues as a new language (the record's names; its texts are ignored) and
// returns its index; without a cue it changes nothing and returns -1. The rows come
// out sorted by time, as Sort By Time sorts them. A cue time that a row has goes to the last row of that time
// (the one shown); other times get new rows in time order, before the rows without
// a time. What every language shows at any time stays as it was: a new row carries,
// in each existing language, the text of the row before it, and an existing row
// carries in the new language the text of its row before, so that only the new
// language's own rows start or clear its captions.
int addCueLanguage(CaptionDocument& document, const CueFile& file, LanguageClass language,
                   const CodePageConverter& codePage);

}  // namespace zav
