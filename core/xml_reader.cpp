#include "core/xml_reader.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <unordered_map>

namespace zav {
namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isNameStart(char16_t c) { return isLetter(c) || c == u'_' || c == u':' || (c >= 0xC0 && c != 0xD7 && c != 0xF7); }
bool isNameChar(char16_t c) { return isNameStart(c) || isDigit(c) || c == u'-' || c == u'.' || c == 0xB7; }

std::string lowerAscii(std::u16string_view text) {
    std::string lower;
    for (const char16_t c : text) lower.push_back(c < 0x80 ? static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c) : '?');
    return lower;
}

std::string narrow(std::u16string_view text) { return utf16ToUtf8(text.substr(0, 40)); }

// A character XML 1.0 allows in a document (surrogates are checked in pairs apart).
bool isXmlChar(char32_t c) {
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

// ---- Encoding ----

struct Decoded {
    std::u16string text;
    std::string error;
    int errorLine = 1;
};

enum class Family { utf8, utf8Marked, utf16Le, utf16Be };

// The encoding name of an XML declaration at the start of the text; empty when the
// declaration names none (or there is no declaration). Only read to pick the
// decoding: the parser checks the declaration's form afterwards.
std::u16string declaredEncoding(std::u16string_view text) {
    if (text.substr(0, 5) != u"<?xml" || text.size() < 6 || !isSpace(text[5])) return {};
    const std::u16string_view declaration = text.substr(0, text.find(u"?>"));
    std::size_t at = declaration.find(u"encoding");
    if (at == std::u16string_view::npos) return {};
    at += 8;
    while (at < declaration.size() && (isSpace(declaration[at]) || declaration[at] == u'=')) ++at;
    if (at >= declaration.size()) return {};
    const char16_t quote = declaration[at];
    const std::size_t end = declaration.find(quote, at + 1);
    if ((quote != u'"' && quote != u'\'') || end == std::u16string_view::npos) return {};
    return std::u16string(declaration.substr(at + 1, end - at - 1));
}

int lineOfByte(std::string_view bytes, std::size_t offset) {
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// The line of the first malformed UTF-8 sequence (a sequence never holds a LF byte,
// so lines can be checked one by one); 0 when there is none.
int badUtf8Line(std::string_view bytes) {
    int line = 1;
    for (std::size_t start = 0; start <= bytes.size(); ++line) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        if (!isValidUtf8(bytes.substr(start, end - start))) return line;
        start = end + 1;
    }
    return 0;
}

// strict: malformed UTF-8 is refused; otherwise it reads as U+FFFD (enough to tell
// a format by the head of the file).
Decoded decode(std::string_view bytes, bool strict) {
    Decoded out;
    Family family = Family::utf8;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        family = Family::utf8Marked;
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == std::string_view("<\0", 2)) {
        family = Family::utf16Le;
    } else if (bytes.substr(0, 2) == "\xFE\xFF" || bytes.substr(0, 2) == std::string_view("\0<", 2)) {
        family = Family::utf16Be;
    }
    if (family == Family::utf16Le || family == Family::utf16Be) {
        const bool marked = bytes[0] != '<' && bytes[1] != '<';
        if (bytes.size() % 2 != 0) {
            out.error = "a UTF-16 file of an odd number of bytes";
            out.errorLine = lineOfByte(bytes, bytes.size());  // roughly: LF bytes of UTF-16 count too
            return out;
        }
        out.text = decodeUtf16(bytes.substr(marked ? 2 : 0), family == Family::utf16Be);
        const std::string declared = lowerAscii(declaredEncoding(out.text));
        if (!declared.empty() && declared != "utf-16" && declared != (family == Family::utf16Le ? "utf-16le" : "utf-16be"))
            out.error = "the file is UTF-16 but declares the encoding '" + declared + "'";
        return out;
    }
    const std::string_view body = bytes.substr(family == Family::utf8Marked ? 3 : 0);
    std::u16string head;
    for (const char c : body.substr(0, std::min(body.find('>'), body.size()))) head.push_back(static_cast<unsigned char>(c));
    const std::string declared = lowerAscii(declaredEncoding(head));
    const bool latin1 = declared == "iso-8859-1" || declared == "latin1";
    const bool ascii = declared == "us-ascii" || declared == "ascii";
    if (!declared.empty() && declared != "utf-8" && declared != "utf8" && !latin1 && !ascii) {
        out.error = declared.rfind("utf-16", 0) == 0 ? "the file declares the encoding '" + declared + "' but is not UTF-16"
                                                     : "the encoding '" + declared + "' is not supported (UTF-8, UTF-16, "
                                                       "US-ASCII and ISO-8859-1 are)";
        return out;
    }
    if ((latin1 || ascii) && family == Family::utf8Marked) {
        out.error = "the file has a UTF-8 byte-order mark but declares the encoding '" + declared + "'";
        return out;
    }
    if (latin1) {
        out.text.resize(body.size());
        for (std::size_t i = 0; i < body.size(); ++i) out.text[i] = static_cast<unsigned char>(body[i]);
        return out;
    }
    if (ascii) {
        const auto high = std::find_if(body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        if (high != body.end()) {
            out.error = "a byte above 127 in a file declared US-ASCII";
            out.errorLine = lineOfByte(body, static_cast<std::size_t>(high - body.begin()));
            return out;
        }
    }
    if (const int line = strict ? badUtf8Line(body) : 0) {
        out.error = "bytes that are not UTF-8" + std::string(declared.empty() ? " (no other encoding is declared)" : "");
        out.errorLine = line;
        return out;
    }
    out.text = utf8ToUtf16(body);
    return out;
}

// CR LF and a CR on its own read as LF, as XML's line-end handling says.
void normalizeLineEnds(std::u16string& text) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            text[out++] = u'\n';
        } else {
            text[out++] = text[i];
        }
    }
    text.resize(out);
}

// The offset of the first character XML does not allow; npos when there is none.
std::size_t badCharacterAt(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || !isXmlChar(c)) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// ---- Parsing ----

struct RawAttribute {
    std::u16string qualifiedName;
    std::u16string value;
};

struct OpenElement {
    int node;
    std::u16string qualifiedName;
    std::vector<std::u16string> declaredPrefixes;
};

class Parser {
public:
    Parser(std::u16string_view text, XmlDocument& document) : s_(text), doc_(document) {}

    // Reads the document; with rootOnly, stops after the root's start tag.
    bool run(bool rootOnly) {
        rootOnly_ = rootOnly;
        bindings_[u"xml"].emplace_back(kXmlNamespace);
        if (s_.substr(0, 5) == u"<?xml" && s_.size() > 5 && isSpace(s_[5]) && !xmlDeclaration()) return false;
        if (!misc()) return false;
        if (at_ >= s_.size() || s_[at_] != u'<') return fail(at_ >= s_.size() ? "no root element" : "text before the root element");
        if (!startTag()) return false;
        while (!open_.empty() && !rootOnly_) {
            if (!content()) return false;
        }
        if (rootOnly_) return true;
        if (!misc()) return false;
        if (at_ < s_.size()) return fail(s_[at_] == u'<' ? "a second root element" : "text after the root element");
        return true;
    }

private:
    bool fail(std::string message) { return failAt(lineAt(at_), std::move(message)); }
    bool failAt(int line, std::string message) {
        if (doc_.error.empty()) {
            doc_.error = std::move(message);
            doc_.errorLine = line;
        }
        return false;
    }

    // Lines are counted forward only, so the whole file is counted once.
    int lineAt(std::size_t offset) {
        offset = std::min(offset, s_.size());
        if (offset < counted_) return line_;  // not reached: offsets only grow
        line_ += static_cast<int>(std::count(s_.begin() + static_cast<std::ptrdiff_t>(counted_),
                                             s_.begin() + static_cast<std::ptrdiff_t>(offset), u'\n'));
        counted_ = offset;
        return line_;
    }

    bool startsWith(std::u16string_view prefix) const { return s_.substr(at_, prefix.size()) == prefix; }
    void skipSpace() {
        while (at_ < s_.size() && isSpace(s_[at_])) ++at_;
    }

    std::u16string name() {
        const std::size_t start = at_;
        if (at_ < s_.size() && isNameStart(s_[at_])) {
            ++at_;
            while (at_ < s_.size() && isNameChar(s_[at_])) ++at_;
        }
        return std::u16string(s_.substr(start, at_ - start));
    }

    // "<?xml version=... encoding=... standalone=...?>"; the encoding was dealt with
    // when the bytes were decoded.
    bool xmlDeclaration() {
        at_ += 5;
        std::vector<RawAttribute> pseudo;
        if (!attributes(pseudo, u"?>")) return false;
        if (pseudo.empty() || pseudo[0].qualifiedName != u"version" || pseudo[0].value.substr(0, 2) != u"1.")
            return fail("the XML declaration has no version 1.x first");
        for (const RawAttribute& attribute : pseudo) {
            if (attribute.qualifiedName != u"version" && attribute.qualifiedName != u"encoding" &&
                attribute.qualifiedName != u"standalone")
                return fail("the XML declaration holds '" + narrow(attribute.qualifiedName) + "'");
        }
        at_ += 2;
        return true;
    }

    // White space, comments and processing instructions outside the root element.
    bool misc() {
        for (;;) {
            skipSpace();
            if (startsWith(u"<!--")) {
                if (!comment()) return false;
            } else if (startsWith(u"<?")) {
                if (!processingInstruction()) return false;
            } else if (startsWith(u"<!DOCTYPE")) {
                if (!rootOnly_) return fail("a document type declaration (DOCTYPE) is not accepted");
                skipDoctype();
            } else {
                return true;
            }
        }
    }

    // Only to tell the root's name: passed over without reading it (an internal
    // subset runs to the first "]" and its ">").
    void skipDoctype() {
        const std::size_t bracket = s_.find(u'[', at_);
        std::size_t close = s_.find(u'>', at_);
        if (bracket < close) close = s_.find(u'>', std::min(s_.find(u']', bracket), s_.size()));
        at_ = close == std::u16string_view::npos ? s_.size() : close + 1;
    }

    bool comment() {
        const std::size_t dashes = s_.find(u"--", at_ + 4);
        if (dashes == std::u16string_view::npos) return fail("a comment that is not closed");
        at_ = dashes;
        if (!startsWith(u"-->")) return fail("\"--\" inside a comment");
        at_ += 3;
        return true;
    }

    bool processingInstruction() {
        at_ += 2;
        const std::u16string target = name();
        if (target.empty()) return fail("a processing instruction without a target");
        if (lowerAscii(target) == "xml") return fail("an XML declaration that is not at the start of the file");
        const std::size_t end = s_.find(u"?>", at_);
        if (end == std::u16string_view::npos) return fail("a processing instruction that is not closed");
        at_ = end + 2;
        return true;
    }

    // "&...;" at at_, appended to out.
    bool reference(std::u16string& out) {
        const std::size_t start = at_++;
        if (at_ < s_.size() && s_[at_] == u'#') {
            const bool hex = ++at_ < s_.size() && s_[at_] == u'x';
            if (hex) ++at_;
            char32_t value = 0;
            std::size_t digits = 0;
            for (; at_ < s_.size() && s_[at_] != u';'; ++at_, ++digits) {
                const char16_t c = s_[at_];
                const int digit = isDigit(c) ? c - u'0' : hex && c >= u'a' && c <= u'f' ? c - u'a' + 10
                                                        : hex && c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
                if (digit < 0) return fail("a malformed character reference");
                value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
                if (value > 0x10FFFF) return fail("a character reference beyond U+10FFFF");
            }
            if (digits == 0 || at_ >= s_.size()) return fail("a malformed character reference");
            if (!isXmlChar(value) || (value >= 0xD800 && value <= 0xDFFF))
                return fail("a character reference to a character XML does not allow");
            ++at_;
            if (value < 0x10000) {
                out.push_back(static_cast<char16_t>(value));
            } else {
                out.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
            }
            return true;
        }
        const std::u16string entity = name();
        if (at_ >= s_.size() || s_[at_] != u';') {
            at_ = start;
            return fail("a '&' that starts no reference (write &amp;)");
        }
        ++at_;
        static const std::pair<std::u16string_view, char16_t> kEntities[] = {
            {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};
        for (const auto& [known, character] : kEntities) {
            if (entity == known) {
                out.push_back(character);
                return true;
            }
        }
        return fail("the entity '&" + narrow(entity) + ";' is not defined (no DTD is read)");
    }

    // Attributes up to the end text ("/>" or ">" for tags, "?>" for the declaration),
    // at_ left on it.
    bool attributes(std::vector<RawAttribute>& out, std::u16string_view end) {
        for (;;) {
            const std::size_t before = at_;
            skipSpace();
            if (at_ >= s_.size()) return fail("a tag that is not closed");
            if (startsWith(end) || (end != u"?>" && startsWith(u"/>"))) return true;
            if (at_ == before) return fail("no white space before an attribute");
            RawAttribute attribute{name(), {}};
            if (attribute.qualifiedName.empty()) return fail("a malformed attribute");
            skipSpace();
            if (at_ >= s_.size() || s_[at_] != u'=') return fail("the attribute '" + narrow(attribute.qualifiedName) + "' has no value");
            ++at_;
            skipSpace();
            const char16_t quote = at_ < s_.size() ? s_[at_] : u'\0';
            if (quote != u'"' && quote != u'\'') return fail("an attribute value without quotes");
            for (++at_; at_ < s_.size() && s_[at_] != quote;) {
                const char16_t c = s_[at_];
                if (c == u'<') return fail("a '<' inside an attribute value");
                if (c == u'&') {
                    if (!reference(attribute.value)) return false;
                } else {
                    attribute.value.push_back(isSpace(c) ? u' ' : c);
                    ++at_;
                }
            }
            if (at_ >= s_.size()) return fail("an attribute value that is not closed");
            ++at_;
            out.push_back(std::move(attribute));
        }
    }

    bool resolve(std::u16string_view qualified, bool isAttribute, XmlName& out) {
        const std::size_t colon = qualified.find(u':');
        if (colon == std::u16string_view::npos) {
            out.localName = qualified;
            if (!isAttribute) {
                const auto found = bindings_.find(u"");
                if (found != bindings_.end() && !found->second.empty()) out.namespaceUri = found->second.back();
            }
            return true;
        }
        const std::u16string prefix(qualified.substr(0, colon));
        out.localName = qualified.substr(colon + 1);
        if (prefix.empty() || out.localName.empty() || out.localName.find(u':') != std::u16string::npos)
            return fail("the malformed name '" + narrow(qualified) + "'");
        const auto found = bindings_.find(prefix);
        if (found == bindings_.end() || found->second.empty())
            return fail("the namespace prefix '" + narrow(prefix) + "' is not declared");
        out.namespaceUri = found->second.back();
        return true;
    }

    bool declareNamespaces(std::vector<RawAttribute>& raw, OpenElement& element) {
        for (const RawAttribute& attribute : raw) {
            const std::u16string& name = attribute.qualifiedName;
            if (name != u"xmlns" && name.rfind(u"xmlns:", 0) != 0) continue;
            const std::u16string prefix = name.size() > 5 ? name.substr(6) : u"";
            if (name.size() > 5 && prefix.empty()) return fail("the malformed name 'xmlns:'");
            if (prefix == u"xmlns" || (prefix == u"xml") != (attribute.value == kXmlNamespace))
                return fail("a reserved namespace prefix or name bound wrongly");
            if (name.size() > 5 && attribute.value.empty()) return fail("the prefix '" + narrow(prefix) + "' bound to no namespace");
            bindings_[prefix].push_back(attribute.value);
            element.declaredPrefixes.push_back(prefix);
        }
        return true;
    }

    void closeScope(const OpenElement& element) {
        for (const std::u16string& prefix : element.declaredPrefixes) bindings_[prefix].pop_back();
    }

    int addNode(XmlNode node) {
        const int index = static_cast<int>(doc_.nodes.size());
        if (!open_.empty()) doc_.nodes[open_.back().node].children.push_back(index);
        doc_.nodes.push_back(std::move(node));
        return index;
    }

    bool startTag() {
        const int line = lineAt(at_);
        ++at_;
        OpenElement element{-1, name(), {}};
        if (element.qualifiedName.empty()) return fail("a '<' that starts no tag (write &lt;)");
        if (open_.size() >= static_cast<std::size_t>(kMaxXmlDepth))
            return fail("elements nested more than " + std::to_string(kMaxXmlDepth) + " deep");
        std::vector<RawAttribute> raw;
        if (!attributes(raw, u">") || !declareNamespaces(raw, element)) return false;
        XmlNode node;
        node.line = line;
        if (!resolve(element.qualifiedName, false, node.name)) return false;
        for (RawAttribute& attribute : raw) {
            if (attribute.qualifiedName == u"xmlns" || attribute.qualifiedName.rfind(u"xmlns:", 0) == 0) continue;
            XmlAttribute resolved;
            if (!resolve(attribute.qualifiedName, true, resolved.name)) return false;
            resolved.value = std::move(attribute.value);
            node.attributes.push_back(std::move(resolved));
        }
        if (!uniqueAttributes(raw, node.attributes)) return false;
        element.node = addNode(std::move(node));
        if (startsWith(u"/>")) {
            at_ += 2;
            closeScope(element);
        } else {
            ++at_;
            open_.push_back(std::move(element));
        }
        return true;
    }

    // Neither two attributes of one name nor two of one expanded name; sorted, so
    // that an element of many attributes costs no more than n log n.
    bool uniqueAttributes(const std::vector<RawAttribute>& raw, const std::vector<XmlAttribute>& resolved) {
        if (raw.size() < 2) return true;
        if (raw.size() <= 8) {  // the usual few: compared pairwise, nothing allocated
            for (std::size_t i = 0; i < raw.size(); ++i) {
                for (std::size_t j = i + 1; j < raw.size(); ++j) {
                    if (raw[i].qualifiedName == raw[j].qualifiedName)
                        return fail("the attribute '" + narrow(raw[i].qualifiedName) + "' given twice");
                }
            }
            for (std::size_t i = 0; i < resolved.size(); ++i) {
                for (std::size_t j = i + 1; j < resolved.size(); ++j) {
                    if (resolved[i].name.localName == resolved[j].name.localName &&
                        resolved[i].name.namespaceUri == resolved[j].name.namespaceUri)
                        return fail("the attribute '" + narrow(resolved[i].name.localName) + "' given twice");
                }
            }
            return true;
        }
        std::vector<std::u16string> keys;
        for (const RawAttribute& attribute : raw) keys.push_back(u"q" + attribute.qualifiedName);
        for (const XmlAttribute& attribute : resolved)
            keys.push_back(u"e" + attribute.name.namespaceUri + u'\x01' + attribute.name.localName);
        std::sort(keys.begin(), keys.end());
        const auto twice = std::adjacent_find(keys.begin(), keys.end());
        if (twice != keys.end()) return fail("the attribute '" + narrow(twice->substr(1)) + "' given twice");
        return true;
    }

    bool endTag() {
        at_ += 2;
        const std::u16string closing = name();
        skipSpace();
        if (at_ >= s_.size() || s_[at_] != u'>') return fail("a malformed end tag");
        const OpenElement& element = open_.back();
        if (closing != element.qualifiedName)
            return fail("the end tag </" + narrow(closing) + "> does not close <" + narrow(element.qualifiedName) +
                        "> of line " + std::to_string(doc_.nodes[element.node].line));
        ++at_;
        closeScope(element);
        open_.pop_back();
        return true;
    }

    std::u16string& textNode() {
        std::vector<int>& children = doc_.nodes[open_.back().node].children;
        if (!children.empty() && doc_.nodes[children.back()].isText) return doc_.nodes[children.back()].text;
        XmlNode text;
        text.isText = true;
        text.line = lineAt(at_);
        // Adding the node may move every node: nothing taken before it is used after.
        return doc_.nodes[addNode(std::move(text))].text;
    }

    // One piece of the open element's content.
    bool content() {
        if (at_ >= s_.size()) {
            const OpenElement& element = open_.back();
            return fail("<" + narrow(element.qualifiedName) + "> of line " + std::to_string(doc_.nodes[element.node].line) +
                        " is not closed at the end of the file");
        }
        const char16_t c = s_[at_];
        if (c == u'&') return reference(textNode());
        if (c != u'<') {
            std::size_t stop = at_;
            while (stop < s_.size() && s_[stop] != u'<' && s_[stop] != u'&') ++stop;
            textNode().append(s_.substr(at_, stop - at_));
            at_ = stop;
            return true;
        }
        if (startsWith(u"</")) return endTag();
        if (startsWith(u"<!--")) return comment();
        if (startsWith(u"<?")) return processingInstruction();
        if (startsWith(u"<![CDATA[")) {
            const std::size_t end = s_.find(u"]]>", at_ + 9);
            if (end == std::u16string_view::npos) return fail("a CDATA section that is not closed");
            textNode().append(s_.substr(at_ + 9, end - at_ - 9));
            at_ = end + 3;
            return true;
        }
        if (startsWith(u"<!")) return fail(startsWith(u"<!DOCTYPE") ? "a document type declaration (DOCTYPE) is not accepted"
                                                                    : "a markup declaration inside an element");
        return startTag();
    }

    std::u16string_view s_;
    XmlDocument& doc_;
    std::size_t at_ = 0;
    std::size_t counted_ = 0;
    int line_ = 1;
    bool rootOnly_ = false;
    std::vector<OpenElement> open_;
    std::unordered_map<std::u16string, std::vector<std::u16string>> bindings_;
};

}  // namespace

const std::u16string* XmlNode::attribute(std::u16string_view uri, std::u16string_view local) const {
    for (const XmlAttribute& attribute : attributes) {
        if (attribute.name.is(uri, local)) return &attribute.value;
    }
    return nullptr;
}

XmlDocument readXml(std::string_view bytes) {
    XmlDocument document;
    Decoded decoded = decode(bytes, true);
    if (decoded.error.empty()) {
        normalizeLineEnds(decoded.text);
        const std::size_t bad = badCharacterAt(decoded.text);
        if (bad != std::u16string::npos) {
            decoded.error = "a character XML does not allow";
            decoded.errorLine = 1 + static_cast<int>(std::count(decoded.text.begin(),
                                                                decoded.text.begin() + static_cast<std::ptrdiff_t>(bad), u'\n'));
        }
    }
    if (!decoded.error.empty()) {
        document.error = std::move(decoded.error);
        document.errorLine = decoded.errorLine;
        return document;
    }
    if (Parser(decoded.text, document).run(false)) {
        document.root = 0;
    } else {
        document.nodes.clear();
    }
    return document;
}

XmlName xmlRootName(std::string_view bytes) {
    XmlDocument document;
    Decoded decoded = decode(bytes, false);
    // An encoding declaration the bytes contradict does not hide what the file is.
    if (!decoded.error.empty() && decoded.text.empty())
        decoded.text = utf8ToUtf16(bytes.substr(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0));
    normalizeLineEnds(decoded.text);
    if (!Parser(decoded.text, document).run(true) || document.nodes.empty()) return {};
    return document.nodes[0].name;
}

}  // namespace zav
