#include "core/sami_markup.h"

namespace zav::sami {
namespace {

bool isAsciiLetter(char16_t c) noexcept { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isAsciiAlnum(char16_t c) noexcept { return isAsciiLetter(c) || (c >= u'0' && c <= u'9'); }

bool startsWith(std::u16string_view text, std::size_t at, std::u16string_view prefix) noexcept {
    return text.size() - at >= prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}

// "<" + name at text[at] (name lower-case ASCII), not running on into a longer name.
bool tagStartsAt(std::u16string_view text, std::size_t at, std::string_view lowerName) noexcept {
    if (text.size() - at < lowerName.size() + 1) return false;
    if (!sameName(text.substr(at + 1, lowerName.size()), lowerName)) return false;
    const std::size_t after = at + 1 + lowerName.size();
    return after == text.size() || !isAsciiAlnum(text[after]);
}

std::size_t afterNext(std::u16string_view text, std::size_t from, char16_t c) noexcept {
    const std::size_t found = text.find(c, from);
    return found == std::u16string_view::npos ? text.size() : found + 1;
}

}  // namespace

std::u16string foldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) c = foldCase(c);
    return folded;
}

bool sameName(std::u16string_view text, std::string_view lowerName) noexcept {
    if (text.size() != lowerName.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (foldCase(text[i]) != static_cast<unsigned char>(lowerName[i])) return false;
    }
    return true;
}

std::u16string_view trimSpaces(std::u16string_view text) noexcept {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string_view unquote(std::u16string_view text) noexcept {
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

std::optional<Markup> MarkupScanner::at(std::size_t at) {
    const std::u16string_view text = text_;
    if (startsWith(text, at, u"<!--")) return comment(at, 4, false);
    if (startsWith(text, at, u"<--")) return comment(at, 3, true);
    if (text.size() - at < 2) return std::nullopt;
    Markup markup;
    const char16_t second = text[at + 1];
    if (second == u'!' || second == u'?') {
        markup.kind = Markup::Kind::Declaration;
        markup.end = afterNext(text, at + 2, u'>');
        return markup;
    }
    markup.closing = second == u'/';
    const std::size_t nameStart = at + 1 + (markup.closing ? 1 : 0);
    if (nameStart >= text.size() || !isAsciiLetter(text[nameStart])) return std::nullopt;
    const std::size_t close = text.find(u'>', nameStart);
    const std::size_t contentEnd = close == std::u16string_view::npos ? text.size() : close;
    std::size_t nameEnd = nameStart;
    while (nameEnd < contentEnd && !isSpace(text[nameEnd]) && text[nameEnd] != u'/') ++nameEnd;
    markup.name = text.substr(nameStart, nameEnd - nameStart);
    markup.attributes = text.substr(nameEnd, contentEnd - nameEnd);
    markup.end = close == std::u16string_view::npos ? text.size() : close + 1;
    return markup;
}

std::optional<Markup> MarkupScanner::comment(std::size_t at, std::size_t openerLength, bool needsCloser) {
    // "<!-->" is a whole comment: its "-->" may share the opener's dashes.
    const std::size_t closer = commentCloser(at + openerLength - 2);
    if (closer == std::u16string_view::npos && needsCloser) return std::nullopt;
    Markup markup;
    markup.kind = Markup::Kind::Comment;
    markup.end = closer != std::u16string_view::npos ? closer + 3 : afterNext(text_, at + openerLength, u'>');
    return markup;
}

std::size_t MarkupScanner::commentCloser(std::size_t from) {
    const bool reusable = closerKnown_ && closerSearchFrom_ <= from &&
                          (closer_ == std::u16string_view::npos || closer_ >= from);
    if (!reusable) {
        closer_ = text_.find(u"-->", from);
        closerSearchFrom_ = from;
        closerKnown_ = true;
    }
    return closer_;
}

std::optional<std::u16string_view> attributeValue(std::u16string_view attributes, std::string_view lowerName) {
    const std::size_t n = attributes.size();
    std::size_t i = 0;
    while (i < n) {
        while (i < n && (isSpace(attributes[i]) || attributes[i] == u'/')) ++i;
        const std::size_t nameStart = i;
        while (i < n && !isSpace(attributes[i]) && attributes[i] != u'=') ++i;
        const std::u16string_view name = attributes.substr(nameStart, i - nameStart);
        while (i < n && isSpace(attributes[i])) ++i;
        std::optional<std::u16string_view> value;
        if (i < n && attributes[i] == u'=') {
            ++i;
            while (i < n && isSpace(attributes[i])) ++i;
            const std::size_t valueStart = i;
            if (i < n && (attributes[i] == u'"' || attributes[i] == u'\'')) {
                const std::size_t quote = attributes.find(attributes[i], i + 1);
                i = quote == std::u16string_view::npos ? n : quote + 1;
                const std::size_t valueEnd = quote == std::u16string_view::npos ? n : quote;
                value = attributes.substr(valueStart + 1, valueEnd - valueStart - 1);
            } else {
                while (i < n && !isSpace(attributes[i])) ++i;
                value = attributes.substr(valueStart, i - valueStart);
            }
        }
        if (!name.empty() && sameName(name, lowerName)) return value;
    }
    return std::nullopt;
}

std::size_t rawContentEnd(std::u16string_view text, std::size_t from, std::string_view lowerName) {
    std::size_t at = text.find(u'<', from);
    while (at != std::u16string_view::npos) {
        const bool closing = at + 1 < text.size() && text[at + 1] == u'/';
        if (closing && (tagStartsAt(text, at + 1, lowerName) || tagStartsAt(text, at + 1, "head"))) return at;
        if (!closing && tagStartsAt(text, at, "body")) return at;
        at = text.find(u'<', at + 1);
    }
    return text.size();
}

}  // namespace zav::sami
