#pragma once
// TTML files (IMSC 1.1 Text, DFXP and the like) read as cues, one list per language.
// The file must be well-formed XML (see xml_reader.h) with the root "tt" in the TTML
// namespace (or a DFXP draft's); otherwise nothing is read and the error names the
// line.
//
// What is read:
//  - every p in body and its divs gives the cues of its text. begin, end and dur on
//    body, div, p and span are added up through the nesting (every element a par
//    time container): begin and end count from the parent's begin, dur from the
//    element's own, the earlier of end and begin + dur wins, and no element outlasts
//    its parent (timeContainer="seq" is read as par too). A p without an end (and no
//    ancestor's end) stays until the next one; spans with times of their own split
//    the p into cues of what shows when (at most 64 per p).
//  - time expressions as ttml_time.h reads them, with the root's ttp: parameters.
//  - br as a line break; tts:fontStyle italic or oblique, tts:fontWeight bold and
//    tts:textDecoration underline as <i>, <b> and <u>, whether given on the element,
//    through style="id ..." (style elements may reference further styles, up to
//    kMaxStyleChain deep), inherited from enclosing elements or from the region the
//    content is in. Other elements inside a p (metadata, foreign ones) are left out
//    with their text.
//  - white space as xml:space says: by default runs of blanks and line ends are one
//    blank, and none is kept at the start or end of a line; with "preserve" blanks
//    stay and line ends break lines.
//  - a p's language is its xml:lang, inherited from tt, body and div; each language
//    (the code exactly as written) is one list, in the order the languages first
//    turn up, and only languages with a cue are kept.
// Texts are the document's SAMI markup: characters that would read as markup are
// escaped (samiTextOfPlain) and texts cut to the document's limit. Within a language
// cues are ordered and cut short as readCueFile does them.

#include "core/cue_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr std::u16string_view kTtmlNamespace = u"http://www.w3.org/ns/ttml";
inline constexpr std::u16string_view kTtmlStylingNamespace = u"http://www.w3.org/ns/ttml#styling";
inline constexpr std::u16string_view kTtmlParameterNamespace = u"http://www.w3.org/ns/ttml#parameter";
inline constexpr int kMaxStyleChain = 16;

// The namespace as TTML names it today: the URIs of the DFXP drafts (2006/04 and
// 2006/10 "ttaf1", with "#style" or "#styling" and "#parameter"), which older
// tools still write, stand for the current ones; any other URI is returned as it is.
std::u16string_view currentTtmlNamespace(std::u16string_view uri);

struct TtmlLanguage {
    std::string code;  // xml:lang as written (UTF-8); empty when the file gives none
    CueFile cues;      // format ttml; its counters count this language's cues
};

struct TtmlFile {
    std::vector<TtmlLanguage> languages;
    // Over all languages: elements whose begin, end or dur cannot be read or whose
    // end comes before their begin (their content is left out), cues cut short where
    // the next one starts, and texts cut to the document's limit.
    int malformedCues = 0;
    int shortenedCues = 0;
    int cutTexts = 0;

    // When the file is refused: the line of the fault (1-based) and what it is.
    int errorLine = 0;
    std::string error;
    bool ok() const noexcept { return error.empty(); }
    bool hasCues() const noexcept { return !languages.empty(); }
};

// Reads the file. A refused file has an error and no language.
TtmlFile readTtmlFile(std::string_view bytes);

// "line N: reason", the text to show for a refused file.
std::string ttmlErrorText(const TtmlFile& file);

}  // namespace zav
