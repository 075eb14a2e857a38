// The bytes of an exported SAMI file.
#include "core/sami_writer.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

// The lines joined with the CR LF that text mode writes.
std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

const std::vector<std::string> kHead = {"<SAMI>", "<HEAD>", "   <SAMIParam>", "   </SAMIParam>",
                                        "   <STYLE type=\"text/css\"><!--"};
const std::vector<std::string> kHeadEnd = {"   --></STYLE>", "</HEAD>", "<BODY>"};
const std::vector<std::string> kEnd = {"</BODY>", "</SAMI>"};

std::vector<std::string> fileLines(std::vector<std::string> classes, std::vector<std::string> body) {
    std::vector<std::string> lines = kHead;
    lines.insert(lines.end(), classes.begin(), classes.end());
    lines.insert(lines.end(), kHeadEnd.begin(), kHeadEnd.end());
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), kEnd.begin(), kEnd.end());
    return lines;
}

// Two languages, three rows with times 1000, none and 2500.7.
CaptionDocument twoLanguageDocument() {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("ENUSCC", "US English", "en-us"));
    document.appendLanguage(LanguageClass("FRFRCC", "French", "fr-fr"));
    for (int row = 0; row < 3; ++row) document.appendRow();
    const double times[] = {1000, kNoTime, 2500.7};
    const char16_t* english[] = {u"Hello", u"x", u"Bye"};
    const char16_t* french[] = {u"Bonjour", u"y", u""};
    for (int row = 0; row < 3; ++row) {
        document.setStartTime(row, times[row], cp1252);
        document.setText(0, row, english[row]);
        document.setText(1, row, french[row]);
    }
    return document;
}

TEST(SamiExport, TwoLanguagesWithAnUntimedRowLeftOut) {
    const std::string expected = crlfLines(fileLines(
        {"\t.ENUSCC { name:US English; lang:en-us;  samitype:CC; }",
         "\t.FRFRCC { name:French; lang:fr-fr;  samitype:CC; }"},
        {"<SYNC start=1000>", "<P class=ENUSCC>Hello", "<P class=FRFRCC>Bonjour", "<SYNC start=2500>",
         "<P class=ENUSCC>Bye", "<P class=FRFRCC>"}));
    EXPECT_EQ(samiFileBytes(twoLanguageDocument(), cp1252), expected);
}

TEST(SamiExport, EmptyDocumentsKeepTheFrame) {
    // No language (and so no row): no class line and an empty body.
    EXPECT_EQ(samiFileBytes(CaptionDocument(), cp1252), crlfLines(fileLines({}, {})));

    // Rows that all lack a time leave the body empty too.
    CaptionDocument untimed;
    untimed.appendLanguage(LanguageClass("US English", "US English", "en-us"));
    untimed.appendRow();
    untimed.appendRow();
    untimed.setText(0, 0, u"never written");
    EXPECT_EQ(samiFileBytes(untimed, cp1252),
              crlfLines(fileLines({"\t.US English { name:US English; lang:en-us;  samitype:CC; }"}, {})));
}

TEST(SamiExport, StartTimesAreCutTowardZero) {
    EXPECT_EQ(samiStartText(0), "0");
    EXPECT_EQ(samiStartText(999.99), "999");
    EXPECT_EQ(samiStartText(1500.9), "1500");
    EXPECT_EQ(samiStartText(-0.5), "0");
    EXPECT_EQ(samiStartText(-2.5), "-2");
    EXPECT_EQ(samiStartText(360000000), "360000000");
    EXPECT_EQ(samiStartText(4294967296.0), "4294967296");
    // Beyond 64 bits the value's own digits, so that reading it back gives it again.
    EXPECT_EQ(samiStartText(1e20), "100000000000000000000");
}

TEST(SamiExport, EveryTimeButMinusOneIsWrittenWithItsClassNameAsStored) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("US English", "US English", "en-us"));
    for (int row = 0; row < 3; ++row) document.appendRow();
    document.setStartTime(0, 0, cp1252);
    document.setStartTime(1, -1.5, cp1252);
    document.setStartTime(2, kNoTime, cp1252);
    document.setText(0, 0, u"a <b> & c");
    document.setText(0, 1, u"caf\u00e9 \u4e2d");
    EXPECT_EQ(samiFileBytes(document, cp1252),
              crlfLines(fileLines({"\t.US English { name:US English; lang:en-us;  samitype:CC; }"},
                                  {"<SYNC start=0>", "<P class=US English>a <b> & c", "<SYNC start=-1>",
                                   "<P class=US English>caf\xe9 ?"})));
}

TEST(SamiExport, LineBreaksInsideATextGetCrLfAsTextModeWritesThem) {
    EXPECT_EQ(textModeOutput("a\nb\r\n\rc"), "a\r\nb\r\r\n\rc");
}

TEST(SamiExport, ExtensionIsAddedUnlessThePathEndsInExactlySmi) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\captions\\movie", "C:\\captions\\movie.smi"},
        {"C:\\captions\\movie.smi", "C:\\captions\\movie.smi"},
        {"C:\\captions\\movie.SMI", "C:\\captions\\movie.SMI.smi"},
        {"movie.smi.txt", "movie.smi.txt.smi"},
        {"smi", "smi.smi"},
        {".smi", ".smi"},
        {"", ".smi"},
    };
    for (const auto& [given, expected] : cases) {
        std::string path = given;
        addSamiExtension(path);
        EXPECT_EQ(path, expected) << given;
    }
}

}  // namespace
}  // namespace zav
