// TTML between files and the document: exports that read back as written, imports
// and added languages through the cue pipeline, ffmpeg's TTML read as the SubRip it
// came from, and markup of any shape written as well-formed XML.
#include "core/cue_document.h"
#include "core/cue_writer.h"
#include "core/text_encoding.h"
#include "core/ttml_document.h"
#include "core/ttml_writer.h"
#include "core/xml_reader.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

CaptionDocument documentOf(const std::vector<std::vector<std::u16string>>& texts, const std::vector<double>& times,
                           const std::vector<LanguageClass>& languages) {
    CaptionDocument document;
    for (const LanguageClass& language : languages) document.appendLanguage(language);
    for (std::size_t row = 0; row < times.size(); ++row) {
        document.appendRow();
        document.setStartTime(static_cast<int>(row), times[row], cp1252);
        for (std::size_t l = 0; l < languages.size(); ++l) document.setText(static_cast<int>(l), static_cast<int>(row), texts[l][row]);
    }
    return document;
}

CaptionDocument twoLanguages() {
    return documentOf({{u"Hello <i>there</i><br>second line", u"", u"Tom &amp; Jerry, 1 &lt; 2 \u4e2d", u"<b>late</b>"},
                       {u"Bonjour <u>l\u00e0</u>", u"", u"<i><b>Tom</b> et</i> Jerry", u"tard"}},
                      {1000, 2500, 3000, 363600000},
                      {LanguageClass("ENUSCC", "English (US)", "en-US"), LanguageClass("FRCC", "French", "fr")});
}

// What a language shows: each cue's times and the lines a WebVTT reader would see.
std::vector<std::pair<std::pair<std::int64_t, std::int64_t>, std::vector<std::u16string>>> shown(
    const CaptionDocument& document, int language) {
    std::vector<std::pair<std::pair<std::int64_t, std::int64_t>, std::vector<std::u16string>>> cues;
    for (const Cue& cue : documentCues(document, language))
        cues.push_back({{cue.startMs, cue.endMs}, cueLinesOf(cue.text, CueSyntax::webVtt)});
    return cues;
}

TEST(TtmlRoundTrip, DocumentToTtmlAndBackKeepsEveryCueAndTheBytes) {
    const CaptionDocument document = twoLanguages();
    for (int language = 0; language < 2; ++language) {
        const std::string written = ttmlFileBytes(document, language);
        CaptionDocument back;
        ASSERT_TRUE(replaceWithTtml(back, readTtmlFile(written), cp1252)) << written;
        EXPECT_EQ(shown(back, 0), shown(document, language));
        EXPECT_EQ(ttmlFileBytes(back, 0), written);
        EXPECT_EQ(back.languages()[0].langCode(), document.languages()[language].langCode());
    }
    const std::string all = ttmlFileBytesAllLanguages(document);
    CaptionDocument back;
    ASSERT_TRUE(replaceWithTtml(back, readTtmlFile(all), cp1252)) << all;
    ASSERT_EQ(back.languageCount(), 2);
    EXPECT_EQ(back.languages()[1].className(), "FRCC");
    EXPECT_EQ(back.languages()[1].displayName(), "French");
    for (int language = 0; language < 2; ++language) EXPECT_EQ(shown(back, language), shown(document, language));
    EXPECT_EQ(ttmlFileBytesAllLanguages(back), all);
}

TEST(TtmlRoundTrip, SubRipThroughTtmlComesBackAsItWas) {
    const std::string subRip =
        "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello <i>there</i>\r\nsecond & line\r\n\r\n"
        "2\r\n00:00:02,500 --> 00:00:04,000\r\n<b>Bold</b> <u>under</u> <i><b>both</b></i>\r\n\r\n"
        "3\r\n00:00:06,000 --> 00:00:07,250\r\ncaf\xC3\xA9 1 < 2\r\n\r\n"
        "4\r\n101:00:00,000 --> 101:00:01,000\r\nlate\r\n\r\n";
    CaptionDocument viaSubRip;
    ASSERT_TRUE(replaceWithCues(viaSubRip, readCueFile(subRip, cp1252), cp1252));
    CaptionDocument viaTtml;
    ASSERT_TRUE(replaceWithTtml(viaTtml, readTtmlFile(ttmlFileBytes(viaSubRip, 0)), cp1252));
    EXPECT_EQ(subRipFileBytes(viaTtml, 0), subRip);
}

// Markup as typed, nested wrongly or never closed, and the text it imports as.
TEST(TtmlWriter, AnyMarkupGivesWellFormedXml) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"<i><b>x</i>y</b>", u"<i><b>x</b></i><b>y</b>"},
        {u"</i>a<i>b", u"a<i>b</i>"},
        {u"<I>a<br>b</I>", u"<i>a<br>b</i>"},
        {u"a\u0001b\uFFFEc\td", u"abc d"},
        {u"<font color=red>r</font> <s>x</s> <p>", u"r x"},
        {u"&lt;tag&gt; &amp; < > \" '", u"&lt;tag> & < > \" '"},
        {u"<i><i>deep</i>still</i>not", u"<i>deepstill</i>not"},
    };
    for (const auto& [typed, imported] : cases) {
        const CaptionDocument document = documentOf({{typed}}, {1000}, {LanguageClass("A", "A", "en")});
        const std::string bytes = ttmlFileBytes(document, 0);
        const XmlDocument xml = readXml(bytes);
        ASSERT_TRUE(xml.ok()) << utf16ToUtf8(typed) << ": " << xml.error << "\n" << bytes;
        const TtmlFile file = readTtmlFile(bytes);
        ASSERT_EQ(file.languages.size(), 1u) << bytes;
        EXPECT_EQ(file.languages[0].cues.cues[0].text, imported) << bytes;
    }
}

TEST(TtmlDocument, NamesLanguagesAndChangesNothingWithoutCues) {
    const std::pair<const char*, LanguageClass> names[] = {
        {"en-US", LanguageClass("ENUSCC", "English (US)", "en-US")}, {"fr", LanguageClass("FRCC", "French", "fr")},
        {"x-klingon", LanguageClass("XKLINGONCC", "x-klingon", "x-klingon")},
        {"", LanguageClass("UNDCC", "Undetermined", "und")}, {"\xC3\xA9", LanguageClass("UNDCC", "Undetermined", "und")}};
    for (const auto& [code, expected] : names) {
        const LanguageClass language = ttmlLanguageClass(code);
        EXPECT_EQ(language.className(), expected.className()) << code;
        EXPECT_EQ(language.displayName(), expected.displayName()) << code;
        EXPECT_EQ(language.langCode(), expected.langCode()) << code;
    }

    CaptionDocument document = documentOf({{u"Hi"}}, {500}, {LanguageClass("US English", "US English", "en-us")});
    const TtmlFile file = readTtmlFile(ttmlFileBytesAllLanguages(twoLanguages()));
    // Import keeps the names of a language of the same code, Add Language names by code.
    CaptionDocument imported = document;
    ASSERT_TRUE(replaceWithTtml(imported, file, cp1252));
    EXPECT_EQ(imported.languages()[0].className(), "US English");
    EXPECT_EQ(imported.languages()[1].className(), "FRCC");
    EXPECT_EQ(addTtmlLanguages(imported, file, cp1252), 2);
    ASSERT_EQ(imported.languageCount(), 4);
    EXPECT_EQ(imported.languages()[2].className(), "ENUSCC");
    EXPECT_EQ(imported.languages()[3].className(), "FRCC2");
    EXPECT_TRUE(imported.isConsistent());

    for (const std::string& bytes : {std::string("<tt xmlns='http://www.w3.org/ns/ttml'><body/></tt>"), std::string("<tt>")}) {
        CaptionDocument unchanged = document;
        EXPECT_FALSE(replaceWithTtml(unchanged, readTtmlFile(bytes), cp1252));
        EXPECT_EQ(addTtmlLanguages(unchanged, readTtmlFile(bytes), cp1252), 0);
        EXPECT_EQ(unchanged.languageCount(), 1);
        EXPECT_EQ(unchanged.text(0, 0), u"Hi");
    }
}

// ffmpeg writes TTML (it reads none), dropping the styling: its TTML of a SubRip
// file without tags imports as that SubRip file does.
TEST(TtmlFfmpeg, ItsTtmlImportsAsTheSubRipItCameFrom) {
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not on PATH";
    const std::string subRip =
        "1\n00:00:01,000 --> 00:00:02,500\nHello there\nsecond & line\n\n"
        "2\n00:00:02,500 --> 00:00:04,000\nTom & Jerry: 1 < 2, 3 > 2\n\n"
        "3\n00:00:06,000 --> 00:00:07,250\ncaf\xC3\xA9 \xE4\xB8\xAD   spaced\n\n"
        "4\n01:00:00,000 --> 01:00:01,000\nan hour\n\n";
    const std::string base = ::testing::TempDir() + "zav_ttml_" + std::to_string(getpid());
    std::ofstream(base + ".srt", std::ios::binary) << subRip;
    ASSERT_EQ(std::system(("ffmpeg -nostdin -loglevel error -y -i '" + base + ".srt' -f ttml '" + base + ".ttml'").c_str()), 0);
    std::ifstream in(base + ".ttml", std::ios::binary);
    const std::string ttml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove((base + ".srt").c_str());
    std::remove((base + ".ttml").c_str());

    CaptionDocument viaSubRip, viaTtml;
    ASSERT_TRUE(replaceWithCues(viaSubRip, readCueFile(subRip, cp1252), cp1252));
    const TtmlFile file = readTtmlFile(ttml);
    ASSERT_TRUE(replaceWithTtml(viaTtml, file, cp1252)) << ttmlErrorText(file) << "\n" << ttml;
    ASSERT_EQ(viaTtml.rowCount(), viaSubRip.rowCount()) << ttml;
    EXPECT_EQ(viaTtml.languages()[0].className(), viaSubRip.languages()[0].className());
    for (int row = 0; row < viaSubRip.rowCount(); ++row) {
        EXPECT_EQ(viaTtml.times()[row].startMs, viaSubRip.times()[row].startMs) << row;
        // ffmpeg's TTML collapses runs of blanks as every TTML reader does.
        std::u16string expected = viaSubRip.text(0, row);
        for (std::size_t at; (at = expected.find(u"  ")) != std::u16string::npos;) expected.erase(at, 1);
        EXPECT_EQ(viaTtml.text(0, row), expected) << row;
    }
}

}  // namespace
}  // namespace zav
