#include "core/cue_text.h"

#include "core/caption_document.h"

#include <optional>

namespace zav {
namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
char16_t lowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

void appendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

struct Entity {
    char32_t character;
    std::size_t length;  // from the "&" to the ";" inclusive
};

std::optional<char32_t> numericEntity(std::u16string_view digits, bool hex) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    char32_t value = 0;
    for (const char16_t c : digits) {
        int digit;
        if (isAsciiDigit(c)) {
            digit = c - u'0';
        } else if (hex && lowerAscii(c) >= u'a' && lowerAscii(c) <= u'f') {
            digit = lowerAscii(c) - u'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return value;
}

// The entity starting at text[at] ("&"): the named ones captions use, and numeric
// references in decimal or hexadecimal. Names are case-sensitive, as in HTML.
std::optional<Entity> entityAt(std::u16string_view text, std::size_t at) {
    // The longest entity is ten units long ("&#x10FFFF;"); looking no further keeps a
    // long line full of "&" linear.
    const std::size_t semicolon = text.substr(0, at + 11).find(u';', at + 1);
    if (semicolon == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view name = text.substr(at + 1, semicolon - at - 1);
    const std::size_t length = semicolon - at + 1;
    if (!name.empty() && name[0] == u'#') {
        const bool hex = name.size() > 1 && lowerAscii(name[1]) == u'x';
        const auto value = numericEntity(name.substr(hex ? 2 : 1), hex);
        if (!value) return std::nullopt;
        return Entity{*value, length};
    }
    static const struct {
        std::u16string_view name;
        char32_t character;
    } kNamed[] = {{u"amp", u'&'},      {u"lt", u'<'},      {u"gt", u'>'},      {u"quot", u'"'},
                  {u"apos", u'\''},    {u"nbsp", 0x00A0},  {u"lrm", 0x200E},   {u"rlm", 0x200F}};
    for (const auto& named : kNamed) {
        if (name == named.name) return Entity{named.character, length};
    }
    return std::nullopt;
}

// One piece of markup: a run of plain text, one character an entity stands for, or
// a tag (its inside, between "<" and ">").
struct Piece {
    enum class Kind { text, character, tag, end } kind = Kind::end;
    std::u16string_view raw;
    char32_t character = 0;
};

class MarkupScanner {
public:
    // timestampTags: a digit after "<" also starts a tag, as WebVTT's inner timestamps do.
    MarkupScanner(std::u16string_view text, bool timestampTags) : text_(text), timestampTags_(timestampTags) {}

    Piece next() {
        if (at_ >= text_.size()) return {};
        const char16_t c = text_[at_];
        if (c == u'<' && startsTag(at_)) {
            // The next ">" found stays valid for every "<" before it, and a missing one
            // for every "<" after: a long line full of "<" is scanned once.
            if (close_ != std::u16string_view::npos && close_ <= at_) close_ = text_.find(u'>', at_ + 1);
            if (close_ != std::u16string_view::npos) {
                Piece tag{Piece::Kind::tag, text_.substr(at_ + 1, close_ - at_ - 1), 0};
                at_ = close_ + 1;
                return tag;
            }
        }
        if (c == u'&') {
            if (const auto entity = entityAt(text_, at_)) {
                at_ += entity->length;
                return {Piece::Kind::character, {}, entity->character};
            }
        }
        std::size_t stop = at_ + 1;
        while (stop < text_.size() && text_[stop] != u'<' && text_[stop] != u'&') ++stop;
        Piece run{Piece::Kind::text, text_.substr(at_, stop - at_), 0};
        at_ = stop;
        return run;
    }

private:
    bool startsTag(std::size_t at) const {
        const auto letterAt = [&](std::size_t i) { return i < text_.size() && isAsciiLetter(text_[i]); };
        if (letterAt(at + 1)) return true;
        if (at + 1 < text_.size() && text_[at + 1] == u'/') return letterAt(at + 2);
        return timestampTags_ && at + 1 < text_.size() && isAsciiDigit(text_[at + 1]);
    }

    std::u16string_view text_;
    bool timestampTags_;
    std::size_t at_ = 0;
    std::size_t close_ = 0;  // the first ">" after the "<" that last looked for one; npos: none
};

struct Tag {
    bool closing = false;
    std::u16string name;  // lower case
    std::u16string_view attributes;
};

// A tag's name runs up to a blank, "/", "." (WebVTT's classes) or the end.
Tag tagOf(std::u16string_view raw) {
    Tag tag;
    std::size_t at = 0;
    if (at < raw.size() && raw[at] == u'/') {
        tag.closing = true;
        ++at;
    }
    while (at < raw.size() && !isBlank(raw[at]) && raw[at] != u'/' && raw[at] != u'.' && raw[at] != u'\r' &&
           raw[at] != u'\n') {
        tag.name.push_back(lowerAscii(raw[at]));
        ++at;
    }
    tag.attributes = raw.substr(at);
    return tag;
}

bool isSpace(char16_t c) { return isBlank(c) || c == u'\r' || c == u'\n' || c == u'/'; }

// The value of the color attribute, quoted or not; nothing when the tag has none.
std::optional<std::u16string> colorOf(std::u16string_view attributes) {
    std::size_t at = 0;
    while (at < attributes.size()) {
        const std::size_t start = at;
        while (at < attributes.size() && isSpace(attributes[at])) ++at;
        std::u16string name;
        while (at < attributes.size() && !isSpace(attributes[at]) && attributes[at] != u'=')
            name.push_back(lowerAscii(attributes[at++]));
        while (at < attributes.size() && isBlank(attributes[at])) ++at;
        std::u16string value;
        if (at < attributes.size() && attributes[at] == u'=') {
            ++at;
            while (at < attributes.size() && isBlank(attributes[at])) ++at;
            const char16_t quote = at < attributes.size() ? attributes[at] : u'\0';
            if (quote == u'"' || quote == u'\'') {
                const std::size_t end = attributes.find(quote, at + 1);
                const std::size_t stop = end == std::u16string_view::npos ? attributes.size() : end;
                value = attributes.substr(at + 1, stop - at - 1);
                at = stop + 1;
            } else {
                while (at < attributes.size() && !isSpace(attributes[at])) value.push_back(attributes[at++]);
            }
        }
        if (name == u"color") {
            std::u16string clean;
            for (const char16_t c : value) {
                if (c != u'"' && c != u'\r' && c != u'\n') clean.push_back(c);
            }
            return clean;
        }
        if (at == start) ++at;
    }
    return std::nullopt;
}

// Builds the lines of one cue: text goes to the current line, escaped for WebVTT.
// The tags it writes are balanced within the cue: a closer with no open tag of its
// name goes, one that meets tags opened inside its own closes and opens them again
// around it, and tags still open at the end close on the last line.
class CueLineWriter {
public:
    explicit CueLineWriter(CueSyntax syntax) : syntax_(syntax) { lines_.emplace_back(); }

    void add(char32_t c) {
        std::u16string& line = lines_.back();
        if (c == u'\r' || c == u'\n') c = u' ';
        if (syntax_ == CueSyntax::webVtt && (c == u'&' || c == u'<' || c == u'>')) {
            line += c == u'&' ? u"&amp;" : c == u'<' ? u"&lt;" : u"&gt;";
        } else {
            appendCodePoint(line, c);
        }
    }
    void addRun(std::u16string_view run) {
        for (const char16_t c : run) add(c);
    }
    void tag(const Tag& tag) {
        const bool styled = tag.name == u"i" || tag.name == u"b" || tag.name == u"u";
        const bool font = tag.name == u"font" && syntax_ == CueSyntax::subRip;
        if (tag.name == u"br") {
            lines_.emplace_back();
        } else if ((styled || font) && tag.closing) {
            close(tag.name);
        } else if (styled) {
            open(tag.name, u"<" + tag.name + u">");
        } else if (font) {
            // A font tag stays with its color only; one without a color is still opened,
            // unwritten, so that its end tag closes it and not an outer font.
            const auto color = colorOf(tag.attributes);
            open(tag.name, color ? u"<font color=\"" + *color + u"\">" : u"");
        }
    }
    std::vector<std::u16string> lines() {
        std::vector<std::u16string> kept;
        for (std::u16string& line : lines_) {
            bool blank = true;
            for (const char16_t c : line) blank = blank && isBlank(c);
            if (!blank) kept.push_back(std::move(line));
        }
        if (!kept.empty()) {
            for (auto it = open_.rbegin(); it != open_.rend(); ++it) kept.back() += closerOf(*it);
        }
        return kept;
    }

private:
    struct OpenTag {
        std::u16string name;
        std::u16string start;  // as written; empty for a tag kept out of the file
    };

    static std::u16string closerOf(const OpenTag& tag) {
        return tag.start.empty() ? std::u16string() : u"</" + tag.name + u">";
    }

    void open(const std::u16string& name, std::u16string start) {
        lines_.back() += start;
        open_.push_back(OpenTag{name, std::move(start)});
    }

    void close(const std::u16string& name) {
        std::size_t found = open_.size();
        while (found > 0 && open_[found - 1].name != name) --found;
        if (found == 0) return;
        std::u16string& line = lines_.back();
        for (std::size_t i = open_.size(); i >= found; --i) line += closerOf(open_[i - 1]);
        for (std::size_t i = found; i < open_.size(); ++i) line += open_[i].start;
        open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(found - 1));
    }

    CueSyntax syntax_;
    std::vector<std::u16string> lines_;
    std::vector<OpenTag> open_;
};

// Plain text of an imported WebVTT cue waits here until the next kept tag, so that
// escaping can look at the character that follows in the document text.
void flushForSami(std::u16string& pending, std::u16string& out) {
    for (std::size_t i = 0; i < pending.size(); ++i) {
        // A decoded line break would split the line of a SAMI file.
        const char16_t c = pending[i] == u'\r' || pending[i] == u'\n' ? u' ' : pending[i];
        const char16_t next = i + 1 < pending.size() ? pending[i + 1] : u'\0';
        if (c == u'<' && (isAsciiLetter(next) || next == u'/')) {
            out += u"&lt;";
        } else if (c == u'&' && entityAt(pending, i)) {
            out += u"&amp;";
        } else {
            out.push_back(c);
        }
    }
    pending.clear();
}

void appendWebVttLine(std::u16string_view line, std::u16string& out) {
    std::u16string pending;
    MarkupScanner scanner(line, true);
    for (Piece piece = scanner.next(); piece.kind != Piece::Kind::end; piece = scanner.next()) {
        if (piece.kind == Piece::Kind::text) {
            pending += piece.raw;
        } else if (piece.kind == Piece::Kind::character) {
            appendCodePoint(pending, piece.character);
        } else {
            const Tag tag = tagOf(piece.raw);
            if (tag.name == u"i" || tag.name == u"b" || tag.name == u"u") {
                flushForSami(pending, out);
                out += (tag.closing ? u"</" : u"<") + tag.name + u">";
            }
        }
    }
    flushForSami(pending, out);
}

// Drops "{\...}" override blocks; a "{" without its "}" stays as text.
void appendSubRipLine(std::u16string_view line, std::u16string& out) {
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t open = line.find(u"{\\", at);
        const std::size_t close = open == std::u16string_view::npos ? open : line.find(u'}', open);
        if (close == std::u16string_view::npos) {
            out += line.substr(at);
            return;
        }
        out += line.substr(at, open - at);
        at = close + 1;
    }
}

}  // namespace

std::vector<std::u16string> cueLinesOf(std::u16string_view samiText, CueSyntax syntax) {
    CueLineWriter writer(syntax);
    MarkupScanner scanner(samiText, false);
    for (Piece piece = scanner.next(); piece.kind != Piece::Kind::end; piece = scanner.next()) {
        if (piece.kind == Piece::Kind::text) {
            writer.addRun(piece.raw);
        } else if (piece.kind == Piece::Kind::character) {
            writer.add(piece.character);
        } else {
            writer.tag(tagOf(piece.raw));
        }
    }
    return writer.lines();
}

std::u16string plainTextOf(std::u16string_view samiText) {
    std::u16string plain;
    MarkupScanner scanner(samiText, false);
    for (Piece piece = scanner.next(); piece.kind != Piece::Kind::end; piece = scanner.next()) {
        if (piece.kind == Piece::Kind::text) {
            plain += piece.raw;
        } else if (piece.kind == Piece::Kind::character) {
            appendCodePoint(plain, piece.character);
        } else if (tagOf(piece.raw).name == u"br") {
            plain += u'\n';
        }
    }
    return plain;
}

std::u16string samiTextOfCueLines(const std::vector<std::u16string_view>& lines, CueSyntax syntax) {
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += u"<br>";
        if (syntax == CueSyntax::webVtt) {
            appendWebVttLine(lines[i], text);
        } else {
            appendSubRipLine(lines[i], text);
        }
    }
    return text;
}

std::u16string cutSamiText(std::u16string_view samiText, bool& cut) {
    std::u16string text = captionTextOf(samiText);
    cut = text.size() < samiText.size();
    if (!cut) return text;
    // A tag or entity that begins in the kept part but ends beyond it goes whole.
    const std::size_t open = text.rfind(u'<');
    if (open != std::u16string::npos && text.find(u'>', open) == std::u16string::npos &&
        MarkupScanner(samiText.substr(open), false).next().kind == Piece::Kind::tag)
        text.resize(open);
    const std::size_t amp = text.rfind(u'&');
    if (amp != std::u16string::npos && text.find(u';', amp) == std::u16string::npos && entityAt(samiText, amp))
        text.resize(amp);
    return text;
}

}  // namespace zav
