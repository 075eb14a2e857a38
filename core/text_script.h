#pragma once
// The text script import's portable part: the caption length typed into dialog
// 205, the cleaning of the file's text and its split into captions of at most a
// chosen length, cut at word boundaries.

#include "core/code_page.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr int kMinCaptionLength = 25;
inline constexpr int kMaxCaptionLength = 200;

// What the caption-length dialog makes of a number: the bounds themselves are
// accepted.
enum class CaptionLengthCheck { accepted, tooShort, tooLong };
CaptionLengthCheck checkCaptionLength(std::int64_t length) noexcept;

// The number typed into the dialog, in its 8-bit form, read as the C library's
// decimal conversion reads it: leading blanks, a sign, digits up to the first other
// character; no digits give 0. Huge magnitudes are held at a limit instead of
// overflowing.
std::int64_t typedCaptionLength(std::string_view ansiText) noexcept;

// Every byte below 0x20 (line ends, tabs, control bytes) and every byte of 0x80 or
// above becomes a space, so that the text holds one byte per character whatever
// the code page.
void cleanScriptText(std::string& text) noexcept;

// A word of the cleaned text: its first character and its reach, the position just
// after the space that ends it (or the end of the text).
struct PlainWord {
    std::size_t start;
    std::size_t reach;
};

// The next word at or after `from`: characters outside 0x21 to 0x7E are skipped to
// find its start, then it runs up to the first space (a DEL inside belongs to it).
// Nothing when no word starts before the end of the text.
std::optional<PlainWord> nextPlainWord(std::string_view text, std::size_t from) noexcept;

// A stretch of the text that becomes one caption.
struct ScriptPiece {
    std::size_t start;
    std::size_t length;
};

// Splits the cleaned text into pieces of at most captionLength characters: a word
// that does not fit opens the next piece, keeping the spaces before it in the
// earlier piece; a word that cannot fit into any piece is cut. The spaces at the end
// of the text are not split at all: no piece holds them. Lengths below 1 count as 1.
std::vector<ScriptPiece> splitScriptText(std::string_view cleaned, int captionLength);

// The whole import from the file's text (as read in text mode) to the caption
// texts, one per piece, each cut to the capacity of a caption text.
std::vector<std::u16string> scriptCaptions(std::string text, int captionLength, const CodePageConverter& codePage);

}  // namespace zav
