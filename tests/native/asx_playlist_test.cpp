// The ASX playlist bytes and the path arithmetic of Create ASX and Export to Producer.

#include "core/asx_playlist.h"

#include <gtest/gtest.h>

namespace {

using zav::asxPlaylist;
using zav::fileNameOf;
using zav::withAsxExtension;

TEST(AsxPlaylist, FiveLinesWithCrLfAndTheReferenceExactlyQuoted) {
    EXPECT_EQ(asxPlaylist("clip.wmv", "clip.smi"),
              "<ASX version = \"3.0\">\r\n"
              "<ENTRY>\r\n"
              "<REF HREF = \"clip.wmv?SAMI=clip.smi\"/>\r\n"
              "</ENTRY>\r\n"
              "</ASX>\r\n");
}

TEST(AsxPlaylist, NamesAreWrittenAsTheyAreWithoutEscaping) {
    const std::string bytes = asxPlaylist("my clip & <b>.wmv", "caps\xE9 \"x\".smi");
    EXPECT_NE(bytes.find("<REF HREF = \"my clip & <b>.wmv?SAMI=caps\xE9 \"x\".smi\"/>\r\n"), std::string::npos);
    // Empty names still give the fixed frame.
    EXPECT_EQ(asxPlaylist("", ""),
              "<ASX version = \"3.0\">\r\n<ENTRY>\r\n<REF HREF = \"?SAMI=\"/>\r\n</ENTRY>\r\n</ASX>\r\n");
}

TEST(AsxPlaylist, TheProducerPlaylistNamesTheFixedFiles) {
    EXPECT_EQ(asxPlaylist(zav::kProducerMovieName, zav::kProducerSamiName),
              "<ASX version = \"3.0\">\r\n<ENTRY>\r\n<REF HREF = \"0MM0.wmv?SAMI=0MM0.smi\"/>\r\n</ENTRY>\r\n</ASX>\r\n");
}

TEST(AsxPaths, FileNameIsWhatFollowsTheLastBackslash) {
    EXPECT_EQ(fileNameOf(u"C:\\movies\\clip.wmv"), u"clip.wmv");
    EXPECT_EQ(fileNameOf(u"\\\\server\\share\\a b\\my clip.wmv"), u"my clip.wmv");
    EXPECT_EQ(fileNameOf(u"clip.wmv"), u"clip.wmv");
    EXPECT_EQ(fileNameOf(u"C:\\folder\\"), u"");
    // Only the backslash separates; a forward slash belongs to the name.
    EXPECT_EQ(fileNameOf(u"C:\\a/b.wmv"), u"a/b.wmv");
    // A character whose second ANSI byte would be 0x5C (Shift-JIS 0x955C) stays whole.
    EXPECT_EQ(fileNameOf(u"C:\\\u8868.wmv"), u"\u8868.wmv");
}

TEST(AsxPaths, AsxIsAppendedUnlessThePathEndsInExactlyAsx) {
    EXPECT_EQ(withAsxExtension(u"C:\\out\\playlist"), u"C:\\out\\playlist.asx");
    EXPECT_EQ(withAsxExtension(u"C:\\out\\playlist.asx"), u"C:\\out\\playlist.asx");
    EXPECT_EQ(withAsxExtension(u"C:\\out\\playlist.ASX"), u"C:\\out\\playlist.ASX.asx");
    EXPECT_EQ(withAsxExtension(u"C:\\out\\playlist.asx.txt"), u"C:\\out\\playlist.asx.txt.asx");
    EXPECT_EQ(withAsxExtension(u".asx"), u".asx");
    EXPECT_EQ(withAsxExtension(u"asx"), u"asx.asx");
    EXPECT_EQ(withAsxExtension(u""), u".asx");
}

TEST(ProducerPaths, FolderPatternAndFilesInsideTheProjectEntry) {
    EXPECT_EQ(zav::producerMovieFolder(u"C:\\Projects\\Lecture.wmv"), u"C:\\Projects\\");
    EXPECT_EQ(zav::producerMovieFolder(u"Lecture.wmv"), u"");
    EXPECT_EQ(zav::producerMovieFolder(u""), u"");
    EXPECT_EQ(zav::producerMovieFolder(u"\\Lecture.wmv"), u"\\");

    EXPECT_EQ(zav::producerSearchPattern(u"C:\\Projects\\"), u"C:\\Projects\\*_files");
    EXPECT_EQ(zav::producerFilePath(u"C:\\Projects\\", u"Lecture_files", zav::kProducerSamiFileName),
              u"C:\\Projects\\Lecture_files\\0MM0.smi");
    EXPECT_EQ(zav::producerFilePath(u"C:\\Projects\\", u"Lecture_files", zav::kProducerPlaylistFileName),
              u"C:\\Projects\\Lecture_files\\0Media.asx");
}

}  // namespace
