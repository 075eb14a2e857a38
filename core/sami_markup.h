#pragma once
// The markup of SAMI files as other programs and people write them, over UTF-16
// text: tags whose names and attribute names compare without regard to case,
// attribute values bare or in double or single quotes, and comments in the
// standard "<!-- -->" form and the "<-- -->" form of hand-made files.
//
// Only ASCII letters are folded: tag, attribute and class names of SAMI files are
// ASCII, and a name with other letters then still matches itself.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zav::sami {

// Space, TAB, CR, LF, form feed or vertical tab.
inline bool isSpace(char16_t c) noexcept {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
inline bool isLineBreak(char16_t c) noexcept { return c == u'\r' || c == u'\n'; }
// Lower-cases ASCII letters only.
inline char16_t foldCase(char16_t c) noexcept { return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c; }
std::u16string foldCase(std::u16string_view text);
// Letters, digits, "-", "_" and every character beyond ASCII: what a class name of a
// style rule is made of, as in CSS.
inline bool isClassNameChar(char16_t c) noexcept {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' ||
           c == u'_' || c >= 0x80;
}
// True when the text equals the lower-case ASCII name, ignoring case.
bool sameName(std::u16string_view text, std::string_view lowerName) noexcept;
// The text without the spaces at its start and end.
std::u16string_view trimSpaces(std::u16string_view text) noexcept;
// The text without one pair of matching double or single quotes around it.
std::u16string_view unquote(std::u16string_view text) noexcept;

// What begins at a "<" of the text.
struct Markup {
    enum class Kind { Comment, Tag, Declaration };
    Kind kind = Kind::Tag;
    std::u16string_view name;        // a tag's name, without "/"
    std::u16string_view attributes;  // a tag's text between its name and ">"
    bool closing = false;            // "</name>"
    std::size_t end = 0;             // the position after the markup
};

// Finds the markup at the "<" characters of one text. A comment ends after "-->",
// a "<!--" comment lacking one after the next ">"; a "<--" with no "-->" after it is
// plain text (an arrow). A tag or a declaration ("<!DOCTYPE>", "<?xml?>") ends after
// the next ">". Markup that reaches the end of the text without its ">" ends there.
class MarkupScanner {
public:
    explicit MarkupScanner(std::u16string_view text) : text_(text) {}
    // The markup at text[at], which is "<"; nothing when that "<" is plain text (as
    // in "a < b").
    std::optional<Markup> at(std::size_t at);

private:
    std::optional<Markup> comment(std::size_t at, std::size_t openerLength, bool needsCloser);
    std::size_t commentCloser(std::size_t from);

    std::u16string_view text_;
    // The last search for "-->": a scan that moves forward reuses it, so a file full
    // of unclosed comments is not searched to its end once per comment.
    std::size_t closerSearchFrom_ = 0;
    std::size_t closer_ = std::u16string_view::npos;
    bool closerKnown_ = false;
};

// The value of the attribute of that lower-case name in a tag's attribute text,
// without its quotes; nothing when the tag lacks it or gives it no value.
std::optional<std::u16string_view> attributeValue(std::u16string_view attributes, std::string_view lowerName);

// Where the content of an element whose content is not markup (STYLE, SAMIParam,
// TITLE) ends: at its end tag, or at the end of the head or the start of the body
// when the end tag is missing, or else at the end of the text.
std::size_t rawContentEnd(std::u16string_view text, std::size_t from, std::string_view lowerName);

}  // namespace zav::sami
