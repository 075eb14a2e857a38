#pragma once
// Reading SAMI files that other programs or people made, for Import SAMI. Unlike
// the reader of the program's own files (sami_own_reader.h), it reads the markup as a
// browser would:
//  - a byte-order mark decides the encoding, else valid UTF-8 with a multi-byte
//    sequence is UTF-8, else the ANSI code page;
//  - tag, attribute and class names compare without regard to case; attribute
//    values may be bare or quoted; unknown tags and attributes are passed over;
//  - each class rule of a STYLE section is a language; a class used on a P but never
//    declared is a language named after it; P tags without class gather in a
//    language of the class "CC" when they hold any text; display names and codes
//    lose the characters an exported style line cannot hold (; : { } < >);
//  - each SYNC outside HEAD is a row with its start time;
//  - a caption is everything after its P tag up to the next P or SYNC tag or the
//    end tag of P, SYNC or BODY (or a tag of the file's frame: SAMI, HEAD, BODY,
//    STYLE, SAMIParam, TITLE), comments left out, line breaks with the white space
//    around them as single spaces, trimmed; inline markup and entities stay as
//    written. Several P of one class under one SYNC are joined with "<br>"; a text
//    of nothing but "&nbsp;" and white space is no caption.
// Any input is safe, and the work grows linearly with the size of the file.

#include "core/code_page.h"
#include "core/sami_own_reader.h"

#include <string_view>

namespace zav {

// Reads the file's bytes into the target: first the languages, then the rows with
// their times, then the texts. A file without any language adds nothing.
void readTolerantSami(std::string_view fileBytes, const CodePageConverter& codePage, SamiImportTarget& target);

}  // namespace zav
