// Reading SubRip and WebVTT files: the forms real files take, what is passed over,
// and what is counted.
#include "core/cue_file.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace zav {
namespace {

using namespace std::string_literals;

const test::IconvCodePage cp1252;

using CueList = std::vector<std::tuple<std::int64_t, std::int64_t, std::u16string>>;

CueList cueList(const CueFile& file) {
    CueList list;
    for (const Cue& cue : file.cues) list.emplace_back(cue.startMs, cue.endMs, cue.text);
    return list;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    CaptionFormat format;
    CueList cues;
    int malformed = 0;
    int shortened = 0;
    int cut = 0;
};

const std::string kLong(250, 'x');

std::string utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

const ReadCase kCases[] = {
    {"subrip_with_crlf",
     "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nBye\r\n\r\n",
     CaptionFormat::subRip, {{1000, 2500, u"Hello"}, {3000, 4000, u"Bye"}}},
    {"three_lines", "1\n00:00:01,000 --> 00:00:02,000\n{\\an8}an &amp;\n<i>b</i> <s>x</s>\nc{ d\n",
     CaptionFormat::subRip, {{1000, 2000, u"an &amp;<br><i>b</i> <s>x</s><br>c{ d"}}},
    {"hours_above_99", "1\n123:04:05,678 --> 1234:00:00,000\nlate\n", CaptionFormat::subRip,
     {{443045678, 4442400000, u"late"}}},
    {"blank_before_the_first_index", " 1\n00:59:00,000 --> 00:59:01,000\nA\n", CaptionFormat::subRip,
     {{3540000, 3541000, u"A"}}},
    {"missing_index_lines", "00:00:01,000 --> 00:00:02,000\nA\n\n00:00:03,000 --> 00:00:04,000\nB\n",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {3000, 4000, u"B"}}},
    {"comma_or_point", "1\n00:00:01.000 --> 00:00:02,000\nA\n\n2\n00:00:03,000-->00:00:04.000 X1:10 Y1:20\nB\n",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {3000, 4000, u"B"}}},
    {"trailing_block_without_blank_line", "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:03,000 --> 00:00:04,000\nB",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {3000, 4000, u"B"}}},
    {"cues_without_blank_lines", "1\n00:00:01,000 --> 00:00:02,000\nA\n2\n00:00:03,000 --> 00:00:04,000\nB\n17\n",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {3000, 4000, u"B<br>17"}}},
    {"utf8_bom", "\xEF\xBB\xBF" "1\r\n00:00:01,000 --> 00:00:02,000\r\ncaf\xC3\xA9\r\n", CaptionFormat::subRip,
     {{1000, 2000, u"caf\u00e9"}}},
    {"utf16_bom", utf16Le(u"\uFEFF00:01.000 --> 00:02.000\n\u00e9"), CaptionFormat::subRip, {{1000, 2000, u"\u00e9"}}},
    {"ansi", "1\n00:00:01,000 --> 00:00:02,000\ncaf\xE9\n", CaptionFormat::subRip, {{1000, 2000, u"caf\u00e9"}}},
    {"cr_only_line_ends", "1\r00:00:01,000 --> 00:00:02,000\rA\rB\r\r2\r00:00:03,000 --> 00:00:04,000\rC\r",
     CaptionFormat::subRip, {{1000, 2000, u"A<br>B"}, {3000, 4000, u"C"}}},
    {"empty_file", "", CaptionFormat::unknown, {}},
    {"plain_text", "just words\n", CaptionFormat::unknown, {}},
    {"sami", "<SAMI>\n<BODY>\n<SYNC start=0>\n", CaptionFormat::sami, {}},
    {"overlapping_and_touching",
     "1\n00:00:01,000 --> 00:00:03,000\nA\n\n2\n00:00:02,000 --> 00:00:04,000\nB\n\n"
     "3\n00:00:04,000 --> 00:00:05,000\nC\n\n4\n00:00:04,500 --> 00:00:04,800\nD\n",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {2000, 4000, u"B"}, {4000, 4500, u"C"}, {4500, 4800, u"D"}}, 0, 2},
    {"out_of_order", "2\n00:00:03,000 --> 00:00:04,000\nB\n\n1\n00:00:01,000 --> 00:00:02,000\nA\n",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {3000, 4000, u"B"}}},
    {"malformed_blocks_are_counted",
     "1\n00:00:01,000 --> 00:00:02,000\nA\n\ngarbage\nmore\n\n2\n00:00:03,000 --> 00:00:02,000\nbackwards\n\n"
     "3\n00:00:61,000 --> 00:00:62,000\nbad seconds\n\njunk\n4\n00:00:05,000 --> 00:00:06,000\nE\n\n"
     "5\n00:00:07,000 --> 00:00:08,000\n\n",
     CaptionFormat::subRip, {{1000, 2000, u"A"}, {5000, 6000, u"E"}}, 4},
    {"long_texts_are_cut", "1\n00:00:01,000 --> 00:00:02,000\n" + kLong + "\n", CaptionFormat::subRip,
     {{1000, 2000, std::u16string(199, u'x')}}, 0, 0, 1},
    {"webvtt",
     "WEBVTT - with a title\nKind: captions\n\nSTYLE\n::cue { color: red }\n\nREGION\nid:r\n\nNOTE a comment\n"
     "that spans lines\n\nintro\n00:01.000 --> 00:02.000 align:start line:0\n"
     "<v Bob>Hi</v> &amp; <c.x>bye</c><lang en>!</lang>\n"
     "<ruby>k<rt>r</rt></ruby><00:01.500><i.loud>t</i> &lt;<c>b</c> &lt;i&gt; &amp;amp;\n\n"
     "01:00:03.000 --> 01:00:04.000\n<i>one</i>\ntwo &lt;3\n",
     CaptionFormat::webVtt,
     {{1000, 2000, u"Hi & bye!<br>kr<i>t</i> &lt;b &lt;i> &amp;amp;"}, {3603000, 3604000, u"<i>one</i><br>two <3"}}},
    {"subrip_centiseconds_and_tenths",
     "1\n00:29:27,46 --> 00:29:30,12\nA\n\n2\n00:29:31,5 --> 00:29:32.05\nB\n\n3\n00:29:33,1234 --> 00:29:34,000\nC\n",
     CaptionFormat::subRip, {{1767460, 1770120, u"A"}, {1771500, 1772050, u"B"}}, 1},
    {"webvtt_arrow_line_ends_the_text",
     "WEBVTT\n\n00:01.000 --> 00:02.000\nA\nnot --> a time\nlost\n00:03.000 --> 00:04.000\nB\n", CaptionFormat::webVtt,
     {{1000, 2000, u"A"}, {3000, 4000, u"B"}}, 1},
    {"webvtt_nul_is_a_replacement_character",
     "WEBVTT\n\n00:01.000 --> 00:0\0\x32.000\nA\n\n00:03.000 --> 00:04.000\nB\0C\n"s, CaptionFormat::webVtt,
     {{3000, 4000, u"B\uFFFDC"}}, 1},
    {"webvtt_form_feed_is_white_space", "WEBVTT\n\n00:01.000\f-->\f00:02.000\fline:0\nA\n", CaptionFormat::webVtt,
     {{1000, 2000, u"A"}}},
    {"webvtt_cue_in_the_header", "WEBVTT\n00:00:01.000 --> 00:00:02.000\nA\n", CaptionFormat::webVtt,
     {{1000, 2000, u"A"}}},
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ReadCueFile : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadCueFile, GivesTheCuesAndCounts) {
    const ReadCase& c = GetParam();
    const CueFile file = readCueFile(c.bytes, cp1252);
    EXPECT_EQ(file.format, c.format);
    EXPECT_EQ(cueList(file), c.cues);
    EXPECT_EQ(file.malformedBlocks, c.malformed);
    EXPECT_EQ(file.shortenedCues, c.shortened);
    EXPECT_EQ(file.cutTexts, c.cut);
    EXPECT_EQ(captionFormatOfContent(c.bytes), c.format);
}

INSTANTIATE_TEST_SUITE_P(Forms, ReadCueFile, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaptionFormatOfPath, ExtensionsInAnyCase) {
    const std::pair<const char*, CaptionFormat> cases[] = {
        {"a.srt", CaptionFormat::subRip}, {"C:\\x\\A.SRT", CaptionFormat::subRip}, {"a.b.vtt", CaptionFormat::webVtt},
        {"a.smi", CaptionFormat::sami},   {"a.Sami", CaptionFormat::sami},        {"a.txt", CaptionFormat::unknown},
        {"srt", CaptionFormat::unknown},  {"dir.srt/file", CaptionFormat::unknown}, {"", CaptionFormat::unknown},
    };
    for (const auto& [path, format] : cases) EXPECT_EQ(captionFormatOfPath(path), format) << path;
}

}  // namespace
}  // namespace zav
