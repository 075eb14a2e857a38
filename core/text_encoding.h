#pragma once
// The encodings of caption files from other tools: a byte-order mark decides (UTF-8,
// UTF-16 LE or BE); without one, data that is valid UTF-8 and holds at least one
// multi-byte sequence is UTF-8, and anything else is the ANSI code page.

#include "core/code_page.h"

#include <string>
#include <string_view>

namespace zav {

enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16Be };

// The encoding the rule above gives the bytes.
TextEncoding detectTextEncoding(std::string_view bytes) noexcept;

// Length of the byte-order mark of the encoding (0, 2 or 3).
std::size_t byteOrderMarkLength(TextEncoding encoding) noexcept;

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing
// past U+10FFFF); multiByte tells whether any sequence is longer than one byte.
bool isValidUtf8(std::string_view bytes, bool* multiByte = nullptr) noexcept;

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view bytes);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
// UTF-16 bytes (little- or big-endian, no mark) as text; an odd last byte is dropped.
std::u16string decodeUtf16(std::string_view bytes, bool bigEndian);

// The bytes as UTF-16 text, decoded as detectTextEncoding says, the mark dropped.
// An odd last byte of UTF-16 data is dropped.
std::u16string decodeText(std::string_view bytes, const CodePageConverter& codePage);

}  // namespace zav
