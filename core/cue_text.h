#pragma once
// Caption texts between the document and the cue formats. The document holds SAMI
// markup as typed: "<br>" breaks a line, tags such as <i> style the text and
// entities such as "&amp;" stand for characters. SubRip and WebVTT put a cue's lines
// on lines of their own and know fewer tags; WebVTT escapes its text, SubRip does not.
//
// Markup is read tolerantly: a "<" starts a tag only when a letter (or "/" and a
// letter) follows it and a ">" closes it later on; any other "<" and any "&" that
// starts no known entity are plain characters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class CueSyntax { subRip, webVtt };

// The lines of a cue for the document text: "<br>" in any spelling ends a line;
// <i>, <b> and <u> stay (written in lower case), in SubRip also <font color=...>
// (written as <font color="...">, other attributes dropped) with its end tag; every
// other tag goes; entities are decoded, and WebVTT escapes "&", "<" and ">".
// The tags kept are balanced over the cue's lines: closers without an open tag of
// their name go, tags crossed by a closer close and open again around it, and tags
// left open close at the end of the last line. Lines holding nothing but blanks are
// left out, since a blank line ends a cue.
std::vector<std::u16string> cueLinesOf(std::u16string_view samiText, CueSyntax syntax);

// What the document text shows: tags dropped, entities decoded, each line break as
// one LF.
std::u16string plainTextOf(std::u16string_view samiText);

// The document text for the text lines of a cue, joined with "<br>". SubRip lines
// are markup much like SAMI's: they stay as they are, except that ASS override codes
// ("{\an8}") go. WebVTT lines keep <i>, <b> and <u>; its other markup (classes,
// voices, languages, ruby, inner timestamps) goes with its text kept, entities are
// decoded, and what would read as markup in SAMI is escaped.
std::u16string samiTextOfCueLines(const std::vector<std::u16string_view>& lines, CueSyntax syntax);

// The text cut to the document's limit (captionTextOf), and never in the middle of
// a tag or an entity, which would show as stray characters. Sets cut when anything
// was lost.
std::u16string cutSamiText(std::u16string_view samiText, bool& cut);

}  // namespace zav
