// The XML reader: what well-formed files give, and that every fault is refused with
// its line, quickly, whatever the file holds.
#include "core/text_encoding.h"
#include "core/xml_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace zav {
namespace {

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// The text of every text node, in document order, joined with "|".
std::u16string texts(const XmlDocument& document) {
    std::u16string out;
    for (const XmlNode& node : document.nodes) {
        if (node.isText) out += (out.empty() ? u"" : u"|") + node.text;
    }
    return out;
}

struct GoodCase {
    const char* name;
    std::string bytes;
    std::u16string rootUri;
    std::u16string texts;
};

const GoodCase kGood[] = {
    {"prefixed", "<?xml version='1.0'?><!-- c --><?pi x?><t:tt xmlns:t='urn:a'>x</t:tt>\n<!-- after -->", u"urn:a", u"x"},
    {"default_namespace", "<tt xmlns=\"urn:b\"><p xmlns=\"\">y</p></tt>", u"urn:b", u"y"},
    {"references", "<a>&amp;&lt;&gt;&quot;&apos;&#65;&#x42;&#x1F600;</a>", u"", u"&<>\"'AB\U0001F600"},
    {"cdata_joins_text", "<a>x<![CDATA[<b>&amp;]]>y</a>", u"", u"x<b>&amp;y"},
    {"comment_splits_nothing", "<a>x<!-- - -->y<?p?>z</a>", u"", u"xyz"},
    {"line_ends", "<a>1\r\n2\r3\n</a>", u"", u"1\n2\n3\n"},
    {"utf8_bom", "\xEF\xBB\xBF<a>caf\xC3\xA9</a>", u"", u"caf\u00e9"},
    {"latin1_declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xE9</a>", u"", u"caf\u00e9"},
    {"utf16le_bom", utf16(u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\u4e2d</a>", false), u"", u"\u4e2d"},
    {"utf16be_bom", utf16(u"\uFEFF<a>\u4e2d</a>", true), u"", u"\u4e2d"},
    {"utf16le_unmarked", utf16(u"<a>z</a>", false), u"", u"z"},
};

TEST(XmlReader, ReadsWellFormedFiles) {
    for (const GoodCase& c : kGood) {
        const XmlDocument document = readXml(c.bytes);
        ASSERT_TRUE(document.ok()) << c.name << ": line " << document.errorLine << ": " << document.error;
        EXPECT_EQ(document.nodes[document.root].name.namespaceUri, c.rootUri) << c.name;
        EXPECT_EQ(texts(document), c.texts) << c.name;
    }
}

TEST(XmlReader, ResolvesAttributesByNamespaceAndKeepsLines) {
    const XmlDocument document =
        readXml("<r xmlns:a='urn:x'>\n<e a:k=' v\t1 ' k='&lt;&#10;' xml:lang='fr'/>\n<e xmlns:a='urn:y' a:k='2'/></r>");
    ASSERT_TRUE(document.ok()) << document.error;
    const XmlNode& first = document.nodes[document.nodes[0].children[1]];
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(*first.attribute(u"urn:x", u"k"), u" v 1 ");
    EXPECT_EQ(*first.attribute(u"", u"k"), u"<\n");
    EXPECT_EQ(*first.attribute(kXmlNamespace, u"lang"), u"fr");
    const XmlNode& second = document.nodes[document.nodes[0].children[3]];
    EXPECT_EQ(second.attribute(u"urn:x", u"k"), nullptr);
    EXPECT_EQ(*second.attribute(u"urn:y", u"k"), u"2");
}

struct BadCase {
    const char* name;
    std::string bytes;
    int line;
    const char* reason;  // a part of the message
};

const BadCase kBad[] = {
    {"billion_laughs",
     "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n" +
         repeat("<!ENTITY lol9 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n", 9) + "]>\n<lolz>&lol9;</lolz>",
     2, "DOCTYPE"},
    {"external_entity", "<!DOCTYPE a SYSTEM \"file:///etc/passwd\"><a>&x;</a>", 1, "DOCTYPE"},
    {"doctype_inside", "<a>\n<!DOCTYPE a></a>", 2, "DOCTYPE"},
    {"undefined_entity", "<a>\n&nbsp;</a>", 2, "&nbsp;"},
    {"bare_ampersand", "<a>Tom & Jerry</a>", 1, "&amp;"},
    {"bad_character_reference", "<a>&#0;</a>", 1, "character reference"},
    {"unclosed", "<a>\n<b>\n</a>", 3, "does not close <b> of line 2"},
    {"unclosed_at_end", "<a>\n<b>x</b>\n", 3, "<a> of line 1 is not closed"},
    {"second_root", "<a/>\n<b/>", 2, "second root"},
    {"text_after_root", "<a/>x", 1, "after the root"},
    {"no_root", "<!-- only -->", 1, "no root"},
    {"duplicate_attribute", "<a k='1' k='2'/>", 1, "twice"},
    {"duplicate_expanded_attribute", "<a xmlns:p='u' xmlns:q='u' p:k='1' q:k='2'/>", 1, "twice"},
    {"undeclared_prefix", "<a>\n<p:b/></a>", 2, "prefix 'p'"},
    {"unquoted_value", "<a k=1/>", 1, "quotes"},
    {"lt_in_value", "<a k='<'/>", 1, "'<'"},
    {"lone_lt", "<a>1 < 2</a>", 1, "&lt;"},
    {"declaration_later", "\n<?xml version='1.0'?><a/>", 2, "not at the start"},
    {"double_dash_comment", "<a><!-- a -- b --></a>", 1, "--"},
    {"control_character", "<a>\n\x01</a>", 2, "does not allow"},
    {"utf16_declared_in_utf8", "<?xml version='1.0' encoding='UTF-16'?><a/>", 1, "not UTF-16"},
    {"utf8_declared_in_utf16", utf16(u"\uFEFF<?xml version='1.0' encoding='UTF-8'?><a/>", false), 1, "UTF-16 but"},
    {"unknown_encoding", "<?xml version='1.0' encoding='EBCDIC-US'?><a/>", 1, "not supported"},
    {"ascii_with_high_bytes", "<?xml version='1.0' encoding='US-ASCII'?>\n<a>\xC3\xA9</a>", 2, "US-ASCII"},
    {"broken_utf8", "<a>\n\n\xC3(</a>", 3, "not UTF-8"},
    {"deep_nesting", repeat("<a>", 300), 1, "nested more than 256"},
    {"empty_file", "", 1, "no root"},
};

TEST(XmlReader, RefusesMalformedFilesNamingTheLine) {
    for (const BadCase& c : kBad) {
        const XmlDocument document = readXml(c.bytes);
        EXPECT_FALSE(document.ok()) << c.name;
        EXPECT_TRUE(document.nodes.empty()) << c.name;
        EXPECT_EQ(document.errorLine, c.line) << c.name << ": " << document.error;
        EXPECT_NE(document.error.find(c.reason), std::string::npos) << c.name << ": " << document.error;
    }
}

// Files built to be slow for a careless reader come back at once; the checks are
// on the outcome, the time is for the benchmarks and sanitizers to watch.
TEST(XmlReader, HostileFilesAreRefusedOrReadWithoutBlowingUp) {
    EXPECT_FALSE(readXml(repeat("<a>", 1000000)).ok());
    EXPECT_FALSE(readXml("<a>" + repeat("&", 1000000) + "</a>").ok());
    EXPECT_FALSE(readXml("<a" + repeat(" k='1'", 100000) + "/>").ok());
    std::string attributes;
    for (int i = 0; i < 100000; ++i) attributes += " k" + std::to_string(i) + "='1'";
    EXPECT_TRUE(readXml("<a" + attributes + "/>").ok());
    const std::string scoped = "<a" + repeat(" xmlns:p='u'", 1) + ">" + repeat("<p:b xmlns:q='v' q:c='1'/>", 100000) + "</a>";
    const XmlDocument document = readXml(scoped);
    ASSERT_TRUE(document.ok()) << document.error;
    EXPECT_EQ(document.nodes.size(), 100001u);
    EXPECT_TRUE(readXml(repeat("<a>", 256) + repeat("</a>", 256)).ok());
}

TEST(XmlReader, TellsTheRootNameFromTheHeadAlone) {
    EXPECT_TRUE(xmlRootName("<?xml version='1.0'?>\n<!DOCTYPE x [<!ENTITY a 'b'>]>\n<p:tt xmlns:p='urn:t'>&a; <broken")
                    .is(u"urn:t", u"tt"));
    EXPECT_TRUE(xmlRootName("<?xml version='1.0' encoding='UTF-16'?><tt xmlns='urn:t'/>").is(u"urn:t", u"tt"));
    EXPECT_EQ(xmlRootName("1\n00:00:01,000 --> 00:00:02,000\nHi\n").localName, u"");
    EXPECT_EQ(xmlRootName("<SAMI><BODY>").localName, u"SAMI");
}

}  // namespace
}  // namespace zav
