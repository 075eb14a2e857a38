#pragma once
// A strict, small XML 1.0 reader for caption files (TTML). It reads the whole file
// into a tree of elements and text, or refuses it with the line of the first fault
// and a short reason; it never guesses at a repair.
//
// What it reads: elements, attributes, text, CDATA sections, XML's five named
// entities (amp, lt, gt, quot, apos) and character references. Comments and
// processing instructions are passed over. Any document type declaration is
// refused at once, so no entity is ever defined, expanded or fetched. Names are
// resolved against the namespace declarations in scope (the "xml" prefix is bound
// to its namespace), so callers match namespace URIs, never prefixes.
//
// The encoding: a byte-order mark (UTF-8, UTF-16 LE or BE) decides, else UTF-16
// told by a first "<" of two bytes, else UTF-8. An encoding declaration must agree
// with that (UTF-8, UTF-16, or US-ASCII / ISO-8859-1 for bytes without a mark,
// ISO-8859-1 then read as such); any other name, or one the bytes contradict, is
// refused. Line ends are read as LF whatever they are.
//
// Limits: elements nest at most kMaxXmlDepth deep; the work is linear in the size
// of the input (namespace lookups and duplicate-attribute checks included).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr int kMaxXmlDepth = 256;

inline constexpr std::u16string_view kXmlNamespace = u"http://www.w3.org/XML/1998/namespace";

struct XmlName {
    std::u16string namespaceUri;  // empty: no namespace
    std::u16string localName;
    bool is(std::u16string_view uri, std::u16string_view local) const {
        return namespaceUri == uri && localName == local;
    }
};

struct XmlAttribute {
    XmlName name;
    std::u16string value;  // references decoded, white space characters read as blanks
};

// An element, or a run of text (adjacent text, CDATA and references joined).
struct XmlNode {
    bool isText = false;
    std::u16string text;                  // text only
    XmlName name;                         // element only
    std::vector<XmlAttribute> attributes;  // element only, namespace declarations left out
    std::vector<int> children;             // element only: indices into XmlDocument::nodes
    int line = 0;                          // where it starts

    // The value of the attribute, or nullptr when the element has none.
    const std::u16string* attribute(std::u16string_view uri, std::u16string_view local) const;
};

struct XmlDocument {
    std::vector<XmlNode> nodes;
    int root = -1;  // index of the root element; -1 when the reading failed

    // An error: the 1-based line where reading stopped and what was wrong there.
    int errorLine = 0;
    std::string error;  // empty when the document was read
    bool ok() const noexcept { return error.empty(); }
};

// Reads the file. On error the document holds no node.
XmlDocument readXml(std::string_view bytes);

// The expanded name of the root element, read from the prolog and the root's start
// tag only; an empty local name when the file does not get that far as XML.
XmlName xmlRootName(std::string_view bytes);

}  // namespace zav
