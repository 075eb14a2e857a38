// Reading SAMI files: round trips through the writer, and the forms the reader
// accepts or passes over.
#include "core/sami_writer.h"
#include "core/sami_own_reader.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace zav {
namespace {

using namespace std::string_literals;

const test::IconvCodePage cp1252;

struct Imported {
    CaptionDocument document;
    int refusedRows = 0;
    int bodiesEnded = 0;
    int rows() const { return document.rowCount(); }
    const LanguageClass& language(int index) const { return document.languages()[index]; }
    double time(int row) const { return document.times()[row].startMs; }
    std::u16string text(int language, int row) const { return document.text(language, row); }
};

// Reads the bytes as they lie on disk.
Imported import(const std::string& bytes) {
    Imported result;
    SamiDocumentTarget target(result.document, cp1252);
    readSami(textModeInput(bytes), cp1252, target);
    result.refusedRows = target.refusedRows;
    result.bodiesEnded = target.bodiesEnded;
    EXPECT_TRUE(result.document.isConsistent());
    return result;
}

const std::string kStyleStart = "<SAMI>\n<HEAD>\n<STYLE type=\"text/css\"><!--\n";
const std::string kStyleEnd = "--></STYLE>\n</HEAD>\n";
const std::string kEnglish = "\t.ENUSCC { name:US English; lang:en-us;  samitype:CC; }\n";

// A file with the one class ENUSCC and the given body lines.
std::string englishFile(const std::string& body) {
    return kStyleStart + kEnglish + kStyleEnd + "<BODY>\n" + body + "</BODY>\n</SAMI>\n";
}

TEST(SamiImport, WhatTheWriterWritesComesBack) {
    CaptionDocument original;
    original.appendLanguage(LanguageClass("ENUSCC", "US English", "en-us"));
    original.appendLanguage(LanguageClass("FRFRCC", "French", "fr-fr"));
    for (int row = 0; row < 4; ++row) original.appendRow();
    const double times[] = {1000.9, kNoTime, 2500, 0};
    for (int row = 0; row < 4; ++row) {
        original.setStartTime(row, times[row], cp1252);
        original.setText(0, row, u"en " + std::u16string(1, char16_t(u'0' + row)) + u" <i>&amp;</i> caf\u00e9");
        original.setText(1, row, row == 2 ? u"" : u"fr " + std::u16string(1, char16_t(u'0' + row)));
    }
    const Imported back = import(samiFileBytes(original, cp1252));
    ASSERT_EQ(back.document.languageCount(), 2);
    EXPECT_EQ(back.language(0).className(), "ENUSCC");
    EXPECT_EQ(back.language(0).displayName(), "US English");
    EXPECT_EQ(back.language(0).langCode(), "en-us");
    EXPECT_EQ(back.language(1).className(), "FRFRCC");
    EXPECT_EQ(back.language(1).displayName(), "French");
    EXPECT_EQ(back.language(1).langCode(), "fr-fr");
    // The untimed row 1 stays behind; times come back as whole numbers.
    ASSERT_EQ(back.rows(), 3);
    EXPECT_EQ(back.time(0), 1000);
    EXPECT_EQ(back.time(1), 2500);
    EXPECT_EQ(back.time(2), 0);
    EXPECT_EQ(back.document.times()[0].timeText, u"00:00:01:000");
    EXPECT_EQ(back.text(0, 0), u"en 0 <i>&amp;</i> caf\u00e9");
    EXPECT_EQ(back.text(0, 1), u"en 2 <i>&amp;</i> caf\u00e9");
    EXPECT_EQ(back.text(1, 0), u"fr 0");
    EXPECT_EQ(back.text(1, 1), u"");
    EXPECT_EQ(back.text(1, 2), u"fr 3");
    EXPECT_EQ(back.refusedRows, 0);
    EXPECT_EQ(back.bodiesEnded, 1);

    // Written again, the file is the same.
    EXPECT_EQ(samiFileBytes(back.document, cp1252), samiFileBytes(original, cp1252));
}

TEST(SamiImport, AClassNameWithASpaceComesBackUpToTheSpace) {
    CaptionDocument original;
    original.appendLanguage(LanguageClass("US English", "US English", "en-us"));
    original.appendRow();
    original.setStartTime(0, 0, cp1252);
    original.setText(0, 0, u"first");
    const Imported back = import(samiFileBytes(original, cp1252));
    ASSERT_EQ(back.document.languageCount(), 1);
    EXPECT_EQ(back.language(0).className(), "US");
    EXPECT_EQ(back.language(0).displayName(), "US English");
    EXPECT_EQ(back.language(0).langCode(), "en-us");
    ASSERT_EQ(back.rows(), 1);
    EXPECT_EQ(back.text(0, 0), u"first");
}

TEST(SamiImport, LineEndsOfAnyKindReadAlike) {
    const std::string lf = englishFile("<SYNC start=5>\n<P class=ENUSCC>five\n");
    std::string crlf, cr;
    for (char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    for (const std::string& file : {lf, crlf, cr, lf.substr(0, lf.size() - 1)}) {
        const Imported back = import(file);
        ASSERT_EQ(back.rows(), 1);
        EXPECT_EQ(back.time(0), 5);
        EXPECT_EQ(back.text(0, 0), u"five");
    }
    EXPECT_EQ(textModeInput("a\r\nb\rc\n\r\r\n"), "a\nb\rc\n\r\n");
}

TEST(SamiImport, TagNamesAreCaseSensitive) {
    // A lower-case body tag: the languages, but no rows.
    std::string file = englishFile("<SYNC start=5>\n<P class=ENUSCC>five\n");
    file.replace(file.find("<BODY>"), 6, "<body>");
    Imported back = import(file);
    EXPECT_EQ(back.document.languageCount(), 1);
    EXPECT_EQ(back.rows(), 0);

    // A lower-case style tag: no language, so every SYNC tag is refused.
    file = englishFile("<SYNC start=5>\n<P class=ENUSCC>five\n<SYNC start=6>\n<P class=ENUSCC>six\n");
    file.replace(file.find("<STYLE"), 6, "<style");
    back = import(file);
    EXPECT_EQ(back.document.languageCount(), 0);
    EXPECT_EQ(back.rows(), 0);
    EXPECT_EQ(back.refusedRows, 2);
    EXPECT_EQ(back.bodiesEnded, 1);
}

TEST(SamiImport, ClassLinesAreReadWordByWord) {
    const std::string file = kStyleStart +
                             "\t.OPEN { name:Tail }\n"
                             "\t.CAPS { Name:Upper; LANG:up; }\n"
                             "\t.QUOTE { name:\"Q\"; lang:qq; color:red; }\n"
                             "\t.NOSPACE{ name:Run; lang:xx; }\n" +
                             kStyleEnd;
    const Imported back = import(file);
    ASSERT_EQ(back.document.languageCount(), 4);
    // A value without ";" runs to the end of its line, "}" included.
    EXPECT_EQ(back.language(0).className(), "OPEN");
    EXPECT_EQ(back.language(0).displayName(), "Tail }");
    // Keys are compared case-sensitively; unknown keys are skipped.
    EXPECT_EQ(back.language(1).className(), "CAPS");
    EXPECT_EQ(back.language(1).displayName(), "");
    EXPECT_EQ(back.language(1).langCode(), "");
    EXPECT_EQ(back.language(2).displayName(), "\"Q\"");
    EXPECT_EQ(back.language(2).langCode(), "qq");
    // No space before "{": the name runs on into the block, whose first brace is then
    // the closing one; with no brace after that, the class gets no names.
    EXPECT_EQ(back.language(3).className(), "NOSPACE{");
    EXPECT_EQ(back.language(3).displayName(), "");
}

TEST(SamiImport, ClassesAddUpOverStyleSections) {
    const std::string file = kStyleStart + kEnglish + kEnglish + kStyleEnd +
                             "<BODY>\n<SYNC start=1>\n<P class=ENUSCC>one\n</BODY>\n" +
                             "<STYLE><!--\n\t.FRFRCC { name:French; lang:fr; }\n--></STYLE>\n" +
                             "<BODY>\n<SYNC start=2>\n<P class=FRFRCC>deux\n</BODY>\n";
    const Imported back = import(file);
    ASSERT_EQ(back.document.languageCount(), 3);
    // A class defined twice is two languages; P lines find the first.
    EXPECT_EQ(back.language(0).className(), "ENUSCC");
    EXPECT_EQ(back.language(1).className(), "ENUSCC");
    EXPECT_EQ(back.language(2).className(), "FRFRCC");
    ASSERT_EQ(back.rows(), 2);
    EXPECT_EQ(back.text(0, 0), u"one");
    EXPECT_EQ(back.text(1, 0), u"");
    EXPECT_EQ(back.text(2, 0), u"");
    EXPECT_EQ(back.text(2, 1), u"deux");
    EXPECT_EQ(back.bodiesEnded, 2);

    // Classes without any body: languages and no rows.
    const Imported styleOnly = import(kStyleStart + kEnglish + kStyleEnd);
    EXPECT_EQ(styleOnly.document.languageCount(), 1);
    EXPECT_EQ(styleOnly.rows(), 0);
    EXPECT_EQ(styleOnly.bodiesEnded, 0);
}

TEST(SamiImport, ParagraphsTakeTheRestOfTheirLine) {
    const Imported back = import(englishFile(
        "<P class=ENUSCC>before any row\n"
        "<SYNC start=1>\n<P class=ENUSCC>\nnext line\n"
        "<SYNC start=2>\n<P class=ENUSCC>first\n<P class=ENUSCC>second\n"
        "<SYNC start=3>\n<P class=\"ENUSCC\">quoted\n<P class=OTHER>other <SYNC start=9> text\n"
        "<SYNC start=4>\n<P>no class\n<P class>none\n<P class=ENUSCC lang=x>with more</P><BR>\n"));
    // The tags inside an ignored text are still seen: its SYNC tag makes row 3.
    ASSERT_EQ(back.rows(), 5);
    EXPECT_EQ(back.time(3), 9);
    EXPECT_EQ(back.text(0, 0), u"");        // the text on the following line is not imported
    EXPECT_EQ(back.text(0, 1), u"second");  // the second text of a class replaces the first
    EXPECT_EQ(back.text(0, 2), u"");        // a quoted class name matches no language
    EXPECT_EQ(back.text(0, 4), u"with more</P><BR>");
}

TEST(SamiImport, SyncValuesAreLeadingDecimalNumbers) {
    const Imported back = import(englishFile(
        "<SYNC start=\"1000\">\n<SYNC start=1500ms>\n<SYNC start=+2.5e3>\n<SYNC start=.5>\n<SYNC start=-7>\n"
        "<SYNC start=x12>\n<SYNC start=1e999>\n<SYNC start=nan>\n<SYNC start=0x10>\n<SYNC Start = 9 >\n"));
    const double expected[] = {0, 1500, 2500, 0.5, -7, 0, 0, 0, 0, 9};
    ASSERT_EQ(back.rows(), 10);
    for (int row = 0; row < 10; ++row) EXPECT_EQ(back.time(row), expected[row]) << row;
}

TEST(SamiImport, ASyncWithoutValueNeverTakesTheTextAfterIt) {
    const Imported back = import(englishFile(
        "<SYNC start>\n<P class=ENUSCC>kept\n<SYNC>7 <P class=ENUSCC>also\n<SYNC start>1234 <P class=ENUSCC>last\n"));
    ASSERT_EQ(back.rows(), 3);
    EXPECT_EQ(back.time(0), 0);
    EXPECT_EQ(back.text(0, 0), u"kept");
    EXPECT_EQ(back.time(1), 0);
    EXPECT_EQ(back.text(0, 1), u"also");
    // Digits right after the tag's end are not its value.
    EXPECT_EQ(back.time(2), 0);
    EXPECT_EQ(back.text(0, 2), u"last");
}

TEST(SamiImport, OverlongValuesAreCut) {
    const std::string longClass(40, 'C');
    const std::string longName(150, 'n');
    const std::string longText(300, 't');
    const std::string file = kStyleStart + "\t." + longClass + " { name:" + longName + "; lang:abcdefghijkl; }\n" +
                             kStyleEnd + "<BODY>\n<SYNC start=1>\n<P class=" + longClass + ">" + longText +
                             "\n</BODY>\n";
    const Imported back = import(file);
    ASSERT_EQ(back.document.languageCount(), 1);
    EXPECT_EQ(back.language(0).className(), longClass.substr(0, 29));
    EXPECT_EQ(back.language(0).displayName(), longName.substr(0, 99));
    EXPECT_EQ(back.language(0).langCode(), "abcdefghi");
    ASSERT_EQ(back.rows(), 1);
    // The P line still finds its over-long class.
    EXPECT_EQ(back.text(0, 0), std::u16string(199, u't'));
}

TEST(SamiImport, BrokenFilesEndCleanly) {
    // No end tag of the body: the rows read so far, and the body still ends.
    Imported back = import(kStyleStart + kEnglish + kStyleEnd + "<BODY>\n<SYNC start=1>\n<P class=ENUSCC>cut");
    ASSERT_EQ(back.rows(), 1);
    EXPECT_EQ(back.text(0, 0), u"cut");
    EXPECT_EQ(back.bodiesEnded, 1);

    // A stray ">" before any "<" is passed over; an empty tag is ignored.
    back = import("> >" + englishFile("<><SYNC start=3>\n<P class=ENUSCC>three\n"));
    ASSERT_EQ(back.rows(), 1);
    EXPECT_EQ(back.time(0), 3);

    // A class without braces gets no names; a STYLE tag with nothing after it, none.
    back = import("<STYLE><!--\n\t.BARE\n-->\n");
    ASSERT_EQ(back.document.languageCount(), 1);
    EXPECT_EQ(back.language(0).className(), "BARE");
    back = import("<SAMI><STYLE>\t.LAST { name:x; }");
    EXPECT_EQ(back.document.languageCount(), 0);

    // Zero bytes inside the data end words and lines, never the scan for tags.
    back = import(englishFile("<SYNC start=4>\n<P class=ENUSCC>a\0b\n<SYNC\0start=5>\n"s));
    ASSERT_EQ(back.rows(), 2);
    EXPECT_EQ(back.text(0, 0), u"a");
    EXPECT_EQ(back.time(1), 5);

    // Fragments: a body is ended even when it holds nothing; a tag never closed is no
    // tag, so none of them yields a language or a row.
    struct Fragment {
        const char* file;
        int bodiesEnded;
    };
    for (const Fragment& fragment : {Fragment{"", 0}, Fragment{"<", 0}, Fragment{">", 0}, Fragment{"<STYLE>", 0},
                                     Fragment{"<BODY>", 1}, Fragment{"<BODY><P class=A>", 1},
                                     Fragment{"<STYLE><!--.A{", 0}, Fragment{"<SYNC start=", 0},
                                     Fragment{"<BODY><SYNC start=5", 1}}) {
        back = import(fragment.file);
        EXPECT_EQ(back.document.languageCount(), 0) << fragment.file;
        EXPECT_EQ(back.rows(), 0) << fragment.file;
        EXPECT_EQ(back.refusedRows, 0) << fragment.file;
        EXPECT_EQ(back.bodiesEnded, fragment.bodiesEnded) << fragment.file;
    }
}

}  // namespace
}  // namespace zav
