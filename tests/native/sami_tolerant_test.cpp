// Import SAMI of files made elsewhere: small files, one construct each, grouped by
// behaviour. Every case is listed as zavcaption lists it (class, code, start, text),
// and what the import gave must survive Export SAMI and a second import unchanged.
#include "core/caption_listing.h"
#include "core/sami_writer.h"
#include "core/sami_import.h"
#include "core/text_encoding.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace zav {
namespace {

using namespace std::string_literals;

struct Imported {
    CaptionDocument document;
    SamiImportReport report;
    std::string listing;
};

Imported importFile(const std::string& bytes, const CodePageConverter& codePage) {
    Imported result;
    SamiDocumentTarget target(result.document, codePage);
    result.report = importSamiFile(bytes, codePage, target);
    result.listing = captionListing(result.document, codePage);
    EXPECT_TRUE(result.document.isConsistent());
    return result;
}

// A file with the style rules and body lines, in the usual hand-made layout.
std::string sami(const std::string& rules, const std::string& body) {
    return "<SAMI>\n<HEAD>\n<STYLE TYPE=\"text/css\">\n<!--\n" + rules + "\n-->\n</STYLE>\n</HEAD>\n<BODY>\n" + body +
           "</BODY>\n</SAMI>\n";
}

const std::string kEnglish = ".ENCC { Name: English; lang: en-US; }";
const std::string kTwo = kEnglish + "\n.FRCC { Name: French; lang: fr-FR; }";

std::string english(const std::string& body) { return sami(kEnglish, body); }

// The UTF-8 text as UTF-16 bytes behind their byte-order mark.
std::string utf16File(const std::string& utf8, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : utf8ToUtf16(utf8)) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    std::string file;
    std::string listing;  // UTF-8
    const char* codePage = "WINDOWS-1252";
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class TolerantRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TolerantRead, ListsTheCaptionsAndKeepsThemThroughExport) {
    const test::IconvCodePage codePage(GetParam().codePage);
    const Imported imported = importFile(GetParam().file, codePage);
    EXPECT_FALSE(imported.report.ownLayout);
    EXPECT_EQ(imported.listing, GetParam().listing);
    EXPECT_EQ(imported.report.captions > 0, !GetParam().listing.empty());

    const std::string exported = samiFileBytes(imported.document, codePage);
    const Imported again = importFile(exported, codePage);
    EXPECT_TRUE(again.report.ownLayout);
    EXPECT_EQ(again.listing, imported.listing);
    EXPECT_EQ(samiFileBytes(again.document, codePage), exported);
}

std::string caseName(const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Encodings, TolerantRead,
    ::testing::Values(
        ReadCase{"utf8_mark", "\xEF\xBB\xBF" + english("<SYNC Start=1><P Class=ENCC>caf\xC3\xA9 \xE2\x82\xAC"),
                 "ENCC\ten-US\t1\tcaf\xC3\xA9 \xE2\x82\xAC\n"},
        ReadCase{"utf16le_mark", utf16File(english("<SYNC Start=1><P Class=ENCC>\xE6\x97\xA5\xE6\x9C\xAC"), false),
                 "ENCC\ten-US\t1\t\xE6\x97\xA5\xE6\x9C\xAC\n", "CP932"},
        ReadCase{"utf16be_mark", utf16File(english("<SYNC Start=1><P Class=ENCC>\xE2\x82\xAC 5"), true),
                 "ENCC\ten-US\t1\t\xE2\x82\xAC 5\n"},
        ReadCase{"utf8_without_mark", english("<SYNC Start=1><P Class=ENCC>Gr\xC3\xBC\xC3\x9F" "e"),
                 "ENCC\ten-US\t1\tGr\xC3\xBC\xC3\x9F" "e\n"},
        ReadCase{"ansi", english("<SYNC Start=1><P Class=ENCC>Gr\xFC\xDF" "e"), "ENCC\ten-US\t1\tGr\xC3\xBC\xC3\x9F" "e\n"},
        ReadCase{"ansi_cyrillic", english("<SYNC Start=1><P Class=ENCC>\xCF\xF0\xE8\xE2\xE5\xF2"),
                 "ENCC\ten-US\t1\t\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n", "CP1251"},
        ReadCase{"utf8_names_reach_the_document_in_the_code_page",
                 sami(".\xC3\x91U { name: Espa\xC3\xB1ol; lang: \xC3\xB1; }", "<SYNC Start=1><P Class=\xC3\x91u>s\xC3\xAD"),
                 "\xC3\x91U\t\xC3\xB1\t1\ts\xC3\xAD\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    CaseAndQuoting, TolerantRead,
    ::testing::Values(
        ReadCase{"lower_case", "<sami><head><style><!-- .encc {name:e; lang:en;} --></style></head><body>\n"
                               "<sync start=5><p class=encc>five</p></sync></body></sami>",
                 "encc\ten\t5\tfive\n"},
        ReadCase{"mixed_case_and_class_case", english("<SyNc StArT=5><p CLASS=encc>five"), "ENCC\ten-US\t5\tfive\n"},
        ReadCase{"double_quotes_and_blanks_around_equals", english("<SYNC Start = \"5\" ><P Class = \"ENCC\" >five"),
                 "ENCC\ten-US\t5\tfive\n"},
        ReadCase{"single_quotes", english("<SYNC Start='5'><P Class='ENCC'>five"), "ENCC\ten-US\t5\tfive\n"},
        ReadCase{"unknown_attributes_and_tags", english("<TABLE><SYNC End=9 Start=5 Id=x><P ID=Source Class=ENCC "
                                                        "Style='x'>five</P></TABLE>"),
                 "ENCC\ten-US\t5\tfive\n"},
        ReadCase{"first_of_several_classes", english("<SYNC Start=5><P Class=\"ENCC big\">five"),
                 "ENCC\ten-US\t5\tfive\n"},
        ReadCase{"start_values", english("<SYNC Start=12><P Class=ENCC>a<SYNC Start=abc><P Class=ENCC>b"
                                         "<SYNC><P Class=ENCC>c<SYNC Start=\"3000ms\"><P Class=ENCC>d"),
                 "ENCC\ten-US\t12\ta\nENCC\ten-US\t0\tb\nENCC\ten-US\t0\tc\nENCC\ten-US\t3000\td\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    TextAcrossLines, TolerantRead,
    ::testing::Values(
        ReadCase{"text_on_the_lines_after_its_tag", english("<SYNC Start=1>\n  <P Class=ENCC>\n    one<br>\n    two\n"),
                 "ENCC\ten-US\t1\tone<br> two\n"},
        ReadCase{"crlf_and_cr_line_ends", english("<SYNC Start=1><P Class=ENCC>one\r\n\r\n two\rthree\r\n"),
                 "ENCC\ten-US\t1\tone two three\n"},
        ReadCase{"zero_characters_go", english("<SYNC Start=1><P Class=ENCC>one \0\n\0two\0"s),
                 "ENCC\ten-US\t1\tone two\n"},
        ReadCase{"blanks_within_a_line_stay", english("<SYNC Start=1><P Class=ENCC>  one  two\tthree  "),
                 "ENCC\ten-US\t1\tone  two\\tthree\n"}),  // the listing escapes the TAB
    caseName);

INSTANTIATE_TEST_SUITE_P(
    ClosingTags, TolerantRead,
    ::testing::Values(
        ReadCase{"end_of_p_and_sync", english("<SYNC Start=1><P Class=ENCC>one</P> stray </SYNC> stray\n"),
                 "ENCC\ten-US\t1\tone\n"},
        ReadCase{"end_of_body_and_of_data", english("<SYNC Start=1><P Class=ENCC>one") + "after\n" +
                                                "<SYNC Start=2><P Class=ENCC>two",
                 "ENCC\ten-US\t1\tone\nENCC\ten-US\t2\ttwo\n"},
        ReadCase{"inline_markup_and_entities_stay",
                 english("<SYNC Start=1><P Class=ENCC><i>one</i> <FONT color=\"red\">&amp;</FONT><BR/>"
                         "<span class=x>a < b &lt;</span>"),
                 "ENCC\ten-US\t1\t<i>one</i> <FONT color=\"red\">&amp;</FONT><BR/><span class=x>a < b &lt;</span>\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Comments, TolerantRead,
    ::testing::Values(
        ReadCase{"comments_in_the_body",
                 english("<!-- <SYNC Start=9><P Class=ENCC>gone -->\n<SYNC Start=1><P Class=ENCC>one<!-- not this -->"
                         " two\n<-- <SYNC Start=8><P Class=ENCC>hand-made -->"),
                 "ENCC\ten-US\t1\tone two\n"},
        // A comment never closed ends at the next ">", as a browser's bogus comment does,
        // rather than taking the rest of the file with it.
        ReadCase{"unclosed_comment_ends_at_the_next_gt", english("<SYNC Start=1><P Class=ENCC>one<!-- unclosed > two"),
                 "ENCC\ten-US\t1\tone two\n"},
        ReadCase{"an_arrow_is_no_comment", english("<SYNC Start=1><P Class=ENCC>back <-- here"),
                 "ENCC\ten-US\t1\tback <-- here\n"},
        ReadCase{"nothing_in_the_head",
                 "<SAMI><HEAD><SAMIParam>\n<SYNC Start=7><P Class=ENCC>param\n</SAMIParam>\n<TITLE><P>title</TITLE>"
                 "<SYNC Start=8><P Class=ENCC>head\n<STYLE><!--" + kEnglish + "--></STYLE></HEAD>\n"
                 "<BODY><SYNC Start=1><P Class=ENCC>one</BODY></SAMI>",
                 "ENCC\ten-US\t1\tone\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Classes, TolerantRead,
    ::testing::Values(
        ReadCase{"undeclared_class", english("<SYNC Start=1><P Class=ENCC>one<P Class=DECC>eins"),
                 "ENCC\ten-US\t1\tone\nDECC\t\t1\teins\n"},
        ReadCase{"no_classes_at_all", "<SAMI><BODY><SYNC Start=1><P>one<SYNC Start=2><P>two</BODY></SAMI>",
                 "CC\t\t1\tone\nCC\t\t2\ttwo\n"},
        ReadCase{"one_rule_over_several_lines_and_several_on_one",
                 sami("#Source { color: red }\nP { margin: 0 }\n.A\n{\n lang:\n  a;\n}\n.B{lang:b} .C {lang:c}",
                      "<SYNC Start=1><P Class=C>c<P Class=B>b<P Class=A>a"),
                 "A\ta\t1\ta\nB\tb\t1\tb\nC\tc\t1\tc\n"},
        ReadCase{"rules_without_blanks", sami(".A{lang:a}.B{lang:b}", "<SYNC Start=1><P Class=B>b"), "B\tb\t1\tb\n"},
        ReadCase{"a_rule_for_two_classes", sami(".A,.B { lang: x; }", "<SYNC Start=1><P Class=B>b"), "B\tx\t1\tb\n"},
        ReadCase{"rules_outside_comments", "<STYLE>.ENCC{lang:en}</STYLE><SYNC Start=1><P Class=ENCC>one",
                 "ENCC\ten\t1\tone\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Languages, TolerantRead,
    ::testing::Values(
        ReadCase{"two_in_one_sync", sami(kTwo, "<SYNC Start=1><P Class=FRCC>un<P Class=ENCC>one"),
                 "ENCC\ten-US\t1\tone\nFRCC\tfr-FR\t1\tun\n"},
        ReadCase{"two_in_separate_syncs",
                 sami(kTwo, "<SYNC Start=1><P Class=ENCC>one</SYNC><SYNC Start=2><P Class=FRCC>deux</SYNC>"),
                 "ENCC\ten-US\t1\tone\nFRCC\tfr-FR\t2\tdeux\n"},
        ReadCase{"several_p_of_one_class", sami(kTwo, "<SYNC Start=1><P Class=ENCC>one<P Class=FRCC>un"
                                                      "<P Class=ENCC>&nbsp;<P Class=ENCC>two</SYNC>"),
                 "ENCC\ten-US\t1\tone<br>two\nFRCC\tfr-FR\t1\tun\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Blanks, TolerantRead,
    ::testing::Values(
        ReadCase{"nbsp_and_white_space_are_empty",
                 english("<SYNC Start=1><P Class=ENCC>one<SYNC Start=2><P Class=ENCC>&nbsp;<SYNC Start=3>"
                         "<P Class=ENCC> &NBSP; &#160;\n<SYNC Start=4><P Class=ENCC>  \n<SYNC Start=5><P Class=ENCC>"
                         "<!-- x --><SYNC Start=6><P Class=ENCC>&nbsp;six"),
                 "ENCC\ten-US\t1\tone\nENCC\ten-US\t6\t&nbsp;six\n"}),
    caseName);

// Files that begin as Export SAMI writes them but whose body was edited elsewhere.
std::string editedExport(const std::string& body) {
    return "<SAMI>\r\n<HEAD>\r\n   <SAMIParam>\r\n   </SAMIParam>\r\n   <STYLE type=\"text/css\"><!--\r\n"
           "\t.KRCC { name:Korean; lang:ko-kr;  samitype:CC; }\r\n   --></STYLE>\r\n</HEAD>\r\n<BODY>\r\n" +
           body + "</BODY>\r\n</SAMI>\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    OwnHeadEditedBody, TolerantRead,
    ::testing::Values(
        ReadCase{"class_in_other_case", editedExport("<SYNC start=1000>\r\n<P class=krcc>one\r\n"),
                 "KRCC\tko-kr\t1000\tone\n"},
        ReadCase{"quoted_start", editedExport("<SYNC start=\"1000\">\r\n<P class=KRCC>one\r\n"),
                 "KRCC\tko-kr\t1000\tone\n"},
        ReadCase{"text_on_the_next_line", editedExport("<SYNC start=1000>\r\n<P class=KRCC>\r\none\r\n"),
                 "KRCC\tko-kr\t1000\tone\n"},
        ReadCase{"lower_case_tags", editedExport("<sync start=1000>\r\n<p class=KRCC>one\r\n"),
                 "KRCC\tko-kr\t1000\tone\n"}),
    caseName);

TEST(TolerantImport, EveryRowIsKeptWithItsTime) {
    const test::IconvCodePage cp1252;
    const Imported imported = importFile(sami(kTwo, "<SYNC Start=1><P Class=ENCC>one<SYNC Start=2><P Class=ENCC>&nbsp;"
                                                    "<SYNC Start=3.5>"),
                                         cp1252);
    EXPECT_EQ(imported.report.languages, 2);
    EXPECT_EQ(imported.report.rows, 3);
    EXPECT_EQ(imported.report.captions, 1);
    ASSERT_EQ(imported.document.rowCount(), 3);
    EXPECT_EQ(imported.document.times()[2].startMs, 3.5);
    EXPECT_EQ(imported.document.times()[2].timeText, u"00:00:00:003");
}

TEST(TolerantImport, StyleRulesGiveTheNames) {
    const test::IconvCodePage cp1252;
    const std::string longName(120, 'n');
    const Imported imported = importFile(
        sami(".A { NAME: 'Quoted Name' ; Lang : \"en-GB\"; samitype: CC }\n"
             ".B { name: " + longName + "; lang: abcdefghijkl }\n.C { color: red }\n.a { name: Again }\n"
             "/* .D { name: gone } */ .E, .F { lang: ef }\n.G { name: 'Chinese: Traditional'; lang: a>b }",
             ""),
        cp1252);
    const std::vector<std::vector<std::string>> expected = {
        {"A", "Again", "en-GB"}, {"B", longName.substr(0, 99), "abcdefghi"}, {"C", "C", ""}, {"E", "E", "ef"},
        {"F", "F", "ef"}, {"G", "Chinese  Traditional", "a b"}};
    ASSERT_EQ(imported.document.languageCount(), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const LanguageClass& language = imported.document.languages()[i];
        EXPECT_EQ(std::vector<std::string>({language.className(), language.displayName(), language.langCode()}),
                  expected[i]);
    }
}

TEST(TolerantImport, NamesAreCutToWholeCharacters) {
    const test::IconvCodePage shiftJis("CP932");
    // Sixteen two-byte characters: 14 fit into the 29 bytes of a class name.
    std::string name;
    for (int i = 0; i < 16; ++i) name += "\xE6\x97\xA5";
    const Imported imported = importFile(sami("." + name + " { lang: \xE6\x97\xA5\xE6\x97\xA5\xE6\x97\xA5"
                                              "\xE6\x97\xA5\xE6\x97\xA5; }", ""),
                                         shiftJis);
    ASSERT_EQ(imported.document.languageCount(), 1);
    EXPECT_EQ(shiftJis.fromAnsi(imported.document.languages()[0].className()), std::u16string(14, u'\u65e5'));
    EXPECT_EQ(shiftJis.fromAnsi(imported.document.languages()[0].langCode()), std::u16string(4, u'\u65e5'));
}

TEST(TolerantImport, OverlongTextsAreCutAndCounted) {
    const test::IconvCodePage cp1252;
    const std::string half(120, 'h');
    const Imported imported = importFile(
        sami(kTwo, "<SYNC Start=1><P Class=ENCC>" + std::string(250, 'x') + "<P Class=FRCC>" + half +
                       "<P Class=FRCC>" + half + "<SYNC Start=2><P Class=ENCC>" + std::string(199, 'y')),
        cp1252);
    EXPECT_EQ(imported.report.captions, 3);
    EXPECT_EQ(imported.report.cutCaptions, 2);
    EXPECT_EQ(imported.document.text(0, 0), std::u16string(199, u'x'));
    EXPECT_EQ(imported.document.text(1, 0), std::u16string(120, u'h') + u"<br>" + std::u16string(75, u'h'));
    EXPECT_EQ(imported.document.text(0, 1), std::u16string(199, u'y'));
}

TEST(TolerantImport, FilesWithNothingReadableGiveNoCaption) {
    const test::IconvCodePage cp1252;
    for (const std::string& file :
         {""s, "just some text"s, "\xFF\xFE"s, english(""), english("<P Class=ENCC>before any sync"),
          english("<SYNC Start=1><SYNC Start=2>"), "<SAMI><HEAD><SYNC Start=1><P>in the head</HEAD></SAMI>"s,
          "<SYNC Start=1><P>&nbsp;"s, "<SYNC Start=1>no paragraph"s, "\0\x01<\x80>"s}) {
        const Imported imported = importFile(file, cp1252);
        EXPECT_EQ(imported.report.captions, 0) << file;
        EXPECT_EQ(imported.listing, "") << file;
    }
}

}  // namespace
}  // namespace zav
