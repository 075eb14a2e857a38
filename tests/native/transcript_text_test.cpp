// The transcript files' bytes: text-mode line ends on the way out and in, the
// round trip through a file, and the ".txt" rule of Save Transcript As.
#include "core/transcript_text.h"

#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const zav::test::IconvCodePage cp1252;

TEST(TranscriptBytes, LineBreaksAreStoredAsCrCrLf) {
    EXPECT_EQ(zav::transcriptFileBytes(u"a\r\nb", cp1252), "a\r\r\nb");
    EXPECT_EQ(zav::transcriptFileBytes(u"one\r\n\r\ntwo\r\n", cp1252), "one\r\r\n\r\r\ntwo\r\r\n");
    // Nothing is added before or after: no mark, no final line end.
    EXPECT_EQ(zav::transcriptFileBytes(u"", cp1252), "");
    EXPECT_EQ(zav::transcriptFileBytes(u"x", cp1252), "x");
    // A bare LF is written as CR LF; a lone CR stays as it is.
    EXPECT_EQ(zav::transcriptFileBytes(u"a\nb\rc", cp1252), "a\r\nb\rc");
    // A text that begins with a line break.
    EXPECT_EQ(zav::transcriptFileBytes(u"\r\nx", cp1252), "\r\r\nx");
    EXPECT_EQ(zav::transcriptFileBytes(u"\nx", cp1252), "\r\nx");
}

TEST(TranscriptBytes, TextIsWrittenInTheCodePage) {
    EXPECT_EQ(zav::transcriptFileBytes(u"caf\u00E9 \u20AC", cp1252), "caf\xE9 \x80");
    // Letters the code page lacks become its default character.
    EXPECT_EQ(zav::transcriptFileBytes(u"\u4E2D!", cp1252), "?!");
}

TEST(TranscriptBytes, ReadingInTextModeJoinsCrLfPairsOnly) {
    EXPECT_EQ(zav::textModeRead("a\r\r\nb"), "a\r\nb");
    EXPECT_EQ(zav::textModeRead("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(zav::textModeRead("a\rb\n\r"), "a\rb\n\r");
    EXPECT_EQ(zav::textModeRead("\r"), "\r");
    EXPECT_EQ(zav::textModeRead("\r\nx"), "\nx");
    EXPECT_EQ(zav::textModeRead("\r\r\nx"), "\r\nx");
    EXPECT_EQ(zav::textModeRead(""), "");
    EXPECT_EQ(zav::textModeWrite("\n\n"), "\r\n\r\n");
}

TEST(TranscriptBytes, RoundTripKeepsTheWindowText) {
    for (const std::u16string& text :
         {std::u16string(u"a\r\nb"), std::u16string(u"\r\n\r\nlines\r\nwith caf\u00E9\r\n"), std::u16string(u""),
          std::u16string(u"no line end"), std::u16string(u"\r\n")}) {
        EXPECT_EQ(zav::transcriptWindowText(zav::transcriptFileBytes(text, cp1252), cp1252), text);
    }
}

TEST(TranscriptBytes, ForeignFilesOpenAsTheyAre) {
    // Plain CR LF line ends arrive as bare LF characters.
    EXPECT_EQ(zav::transcriptWindowText("a\r\nb", cp1252), u"a\nb");
    EXPECT_EQ(zav::transcriptWindowText("\xE9t\xE9", cp1252), u"\u00E9t\u00E9");
    EXPECT_EQ(zav::transcriptWindowText("", cp1252), u"");
    EXPECT_EQ(zav::transcriptWindowText("\r\nx", cp1252), u"\nx");
    // A window text ends at a zero byte.
    EXPECT_EQ(zav::transcriptWindowText(std::string("ab\0cd", 5), cp1252), u"ab");
}

TEST(TranscriptBytes, TxtIsAppendedUnlessTheNameEndsInIt) {
    EXPECT_EQ(zav::withTxtExtension("C:\\notes"), "C:\\notes.txt");
    EXPECT_EQ(zav::withTxtExtension("C:\\notes.txt"), "C:\\notes.txt");
    EXPECT_EQ(zav::withTxtExtension("C:\\notes.TXT"), "C:\\notes.TXT.txt");
    EXPECT_EQ(zav::withTxtExtension("a.tx"), "a.tx.txt");
    EXPECT_EQ(zav::withTxtExtension("txt"), "txt.txt");
    EXPECT_EQ(zav::withTxtExtension(".txt"), ".txt");
    EXPECT_EQ(zav::withTxtExtension(""), ".txt");
}

}  // namespace
