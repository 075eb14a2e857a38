#pragma once
// The class name typed into the Add Language dialog, as it becomes a language.

#include "core/caption_document.h"
#include "core/code_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace zav {

// At most this many characters of the typed name are read.
inline constexpr std::size_t kMaxTypedClassName = 99;

// Takes the first kMaxTypedClassName units of the typed text in the ANSI code page,
// drops trailing bytes 1 to 32 (blanks and control characters) and cuts the rest to
// kMaxClassName bytes. Nothing left: no name. The cut never splits a character of
// a multi-byte code page; it keeps whole characters up to the limit.
std::optional<std::string> classNameFromTyped(std::u16string_view typed, const CodePageConverter& codePage);

// The text in the ANSI code page, cut to at most limit bytes: as many whole
// characters as fit, so a character of a multi-byte code page is never split.
std::string ansiPrefix(std::u16string_view text, std::size_t limit, const CodePageConverter& codePage);

// The language the Add Language dialog creates for an accepted name: the name as
// class name and display name, code "ZAV-CC", no texts.
LanguageClass addedLanguage(const std::string& className);

}  // namespace zav
