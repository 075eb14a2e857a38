#pragma once
// Documents built from the languages of a TTML file: Import TTML, which replaces the
// document, and Add Language from TTML, which adds every language of the file. Each
// language goes through the cue pipeline of SubRip and WebVTT (replaceWithCues,
// addCueLanguage), so rows, empty rows at cue ends and the rules for texts are
// theirs.
//
// Language names. On Import, a language of the file whose code matches (ignoring
// case) the code of a language of the document as it was keeps that language's
// class name, display name and code, and a language without a code takes
// importLanguageFor the document, as a SubRip import does. Any other language, and
// every language on Add Language, is named from its code by ttmlLanguageClass. Class names are kept unique (ignoring
// case) by a number appended: "ENCC", "ENCC2".

#include "core/caption_document.h"
#include "core/code_page.h"
#include "core/ttml_file.h"

#include <string_view>

namespace zav {

// The language a code gives: the class name is the code's ASCII letters and digits
// in upper case followed by "CC" ("en-US" gives "ENUSCC"); the display name is the
// language's English name for some common codes, with the rest of the code in
// brackets ("English (US)"), else the code itself; the code is the code. An empty or
// unusable code gives "UNDCC", "Undetermined", "und".
LanguageClass ttmlLanguageClass(std::string_view code);

// Import TTML: the document becomes the file's languages in file order, the first
// through replaceWithCues, the others through addCueLanguage; currentLanguage is 0.
// Without a cue (or for a refused file) nothing changes and it returns false.
bool replaceWithTtml(CaptionDocument& document, const TtmlFile& file, const CodePageConverter& codePage);

// Add Language from TTML: each language of the file is added through
// addCueLanguage, in file order. Returns how many were added; 0 changes nothing.
int addTtmlLanguages(CaptionDocument& document, const TtmlFile& file, const CodePageConverter& codePage);

}  // namespace zav
