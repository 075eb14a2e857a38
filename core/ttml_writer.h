#pragma once
// Export TTML: the cues of one language (documentCues, so as Export SubRip and
// Export WebVTT take them), or of every language, as an IMSC 1.1 Text document in
// UTF-8 without a byte-order mark, CR LF line ends.
//
// The document: "tt" with ttp:timeBase="media", the IMSC 1.1 Text content profile
// and xml:lang; one style (white on a dark box, centred) and one region (the bottom
// of the picture) in its head, both used by body. Each cue is a p with begin and end
// as "hh:mm:ss.mmm"; its lines are joined with <br/>; text in <i>, <b> and <u> goes
// into a span with tts:fontStyle="italic", tts:fontWeight="bold" and
// tts:textDecoration="underline" (a run styled several ways gets one span with each
// of them). Tags are counted open and closed, so markup that is nested wrongly or
// never closed still gives well-formed XML; other tags are dropped, entities decoded
// and the text escaped. Characters XML does not allow are left out.
//
// The one-language file holds one div; the all-languages file one div per language
// in document order, each with its xml:lang, and tt's xml:lang is the languages'
// code when they all share one, else "mul".

#include "core/caption_document.h"

#include <string>

namespace zav {

// The xml:lang of a language: its code when it reads as a language tag (ASCII
// letters, digits and "-", starting with a letter), else "und".
std::string ttmlLanguageCode(const LanguageClass& language);

std::string ttmlFileBytes(const CaptionDocument& document, int language);
std::string ttmlFileBytesAllLanguages(const CaptionDocument& document);

// Append ".ttml" unless the path already ends in exactly that (byte-wise and
// case-sensitive, as addSubRipExtension).
void addTtmlExtension(std::string& path);

}  // namespace zav
