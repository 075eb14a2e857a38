#pragma once
// The transcript files' portable part: the bytes a text-mode stream reads and
// writes, and the conversions between the transcript window's text and the file.

#include "core/code_page.h"

#include <string>
#include <string_view>

namespace zav {

// What a text-mode stream delivers from the file's bytes: each CR LF pair arrives
// as one LF; every other byte, a lone CR included, arrives unchanged.
std::string textModeRead(std::string_view fileBytes);
// What a text-mode stream puts on disk for the text: every LF is written as CR LF.
std::string textModeWrite(std::string_view text);

// The file's bytes for the window's text: converted to the code page, then written
// in text mode, so each of the window's CR LF line breaks becomes CR CR LF.
std::string transcriptFileBytes(std::u16string_view windowText, const CodePageConverter& codePage);
// The window's text for the file's bytes: read in text mode (CR CR LF comes back as
// CR LF), up to the first zero byte, which ends a window text, and converted from
// the code page.
std::u16string transcriptWindowText(std::string_view fileBytes, const CodePageConverter& codePage);

// The path with ".txt" appended unless it ends in exactly that text (byte-wise,
// case-sensitive).
std::string withTxtExtension(std::string ansiPath);

}  // namespace zav
