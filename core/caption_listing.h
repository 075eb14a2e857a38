#pragma once
// The document as lines of text for scripts: one line per row and language with a
// text, in row order and, within a row, in language order. Each line holds the
// class name, the language code, the start time in milliseconds and the text,
// separated by TABs, all in UTF-8. The text is the last field, written as stored
// except that a TAB, CR, LF and backslash in it are written "\t", "\r", "\n" and
// "\\", so that every caption stays one line of four fields; TABs and line breaks
// in the class name or code become spaces.

#include "core/caption_document.h"
#include "core/code_page.h"

#include <string>

namespace zav {

// A start time in milliseconds: whole numbers without a fraction, others with the
// shortest decimal fraction that reads back as the same number.
std::string millisecondsText(double ms);

std::string captionListing(const CaptionDocument& document, const CodePageConverter& codePage);

}  // namespace zav
