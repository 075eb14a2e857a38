// Export SubRip and Export WebVTT: which rows become cues, and the bytes written.
#include "core/caption_timing.h"
#include "core/cue_writer.h"
#include "core/transport_values.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

CaptionDocument oneLanguage(const std::vector<std::pair<double, std::u16string>>& rows) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("US English", "US English", "en-us"));
    for (const auto& [ms, text] : rows) {
        document.appendRow();
        const int row = document.rowCount() - 1;
        if (ms != kNoTime) document.setStartTime(row, ms, cp1252);
        document.setText(0, row, text);
    }
    return document;
}

TEST(CueExport, RowsBecomeCuesAsThePreviewShowsThem) {
    const CaptionDocument document = oneLanguage({
        {1000, u"Hello <I>there</I><br>&amp; more"},
        {2500, u""},  // clears
        {3000.9, u"<font color=\"#00ff00\" face=x>Green</font> <span>x</span>"},
        {kNoTime, u"untimed"},
        {5000, u"hidden by the next row of its time"},
        {5000, u"a < b &lt;c&gt; \u00e9"},
        {9000, u"  "},  // shows nothing, but ends the caption before it
        {12000, u"Last words here"},
    });
    EXPECT_EQ(subRipFileBytes(document, 0),
              "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello <i>there</i>\r\n& more\r\n\r\n"
              "2\r\n00:00:03,000 --> 00:00:05,000\r\n<font color=\"#00ff00\">Green</font> x\r\n\r\n"
              "3\r\n00:00:05,000 --> 00:00:09,000\r\na < b <c> \xC3\xA9\r\n\r\n"
              "4\r\n00:00:12,000 --> 00:00:13,500\r\nLast words here\r\n\r\n");
    EXPECT_EQ(webVttFileBytes(document, 0),
              "WEBVTT\r\n\r\n"
              "00:00:01.000 --> 00:00:02.500\r\nHello <i>there</i>\r\n&amp; more\r\n\r\n"
              "00:00:03.000 --> 00:00:05.000\r\nGreen x\r\n\r\n"
              "00:00:05.000 --> 00:00:09.000\r\na &lt; b &lt;c&gt; \xC3\xA9\r\n\r\n"
              "00:00:12.000 --> 00:00:13.500\r\nLast words here\r\n\r\n");
    EXPECT_EQ(subRipFileBytes(document, 1), "");
    // Rows out of time order are taken in time order.
    EXPECT_EQ(subRipFileBytes(oneLanguage({{5000, u"five"}, {1000, u"one"}}), 0),
              "1\r\n00:00:01,000 --> 00:00:05,000\r\none\r\n\r\n2\r\n00:00:05,000 --> 00:00:06,500\r\nfive\r\n\r\n");
    EXPECT_EQ(webVttFileBytes(CaptionDocument(), 0), "WEBVTT\r\n\r\n");
}

// Whatever the markup of a text, the tags of every cue written are balanced.
TEST(CueExport, WrittenTagsAreBalanced) {
    const std::u16string pieces[] = {u"<i>", u"</i>", u"<B>", u"</b>", u"<u>", u"</u>", u"<s>", u"</s>",
                                     u"<font color=red>", u"<font face=x>", u"</font>", u"<br>", u"x", u" ", u"&amp;", u"<"};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        for (int n = static_cast<int>(random() % 80); n > 0; --n) text += pieces[random() % std::size(pieces)];
        for (const CueSyntax syntax : {CueSyntax::subRip, CueSyntax::webVtt}) {
            std::vector<std::string> open;
            const std::string bytes = cueFileBytes({Cue{0, 1000, text}}, syntax);
            static const std::regex tag("<(/?)(i|b|u|font)( [^>]*)?>");
            for (std::sregex_iterator it(bytes.begin(), bytes.end(), tag), end; it != end; ++it) {
                if ((*it)[1].length() == 0) {
                    open.push_back((*it)[2]);
                } else {
                    ASSERT_TRUE(!open.empty() && open.back() == (*it)[2]) << bytes;
                    open.pop_back();
                }
            }
            ASSERT_TRUE(open.empty()) << bytes;
        }
    }
}

TEST(CueExport, TimesAreWholeMillisecondsWithinRange) {
    const std::pair<double, std::int64_t> times[] = {
        {1000.9, 1000}, {-0.5, 0}, {-5000, 0}, {std::nan(""), 0}, {1e300, kMaxCueMs},
        {std::numeric_limits<double>::infinity(), kMaxCueMs}, {360000000.7, 360000000},
    };
    for (const auto& [ms, whole] : times) EXPECT_EQ(cueTimeOf(ms), whole) << ms;
    EXPECT_EQ(cueTimestamp(0, CueSyntax::subRip), "00:00:00,000");
    EXPECT_EQ(cueTimestamp(3723004, CueSyntax::subRip), "01:02:03,004");
    EXPECT_EQ(cueTimestamp(32400000, CueSyntax::subRip), "09:00:00,000");
    EXPECT_EQ(cueTimestamp(360000000, CueSyntax::webVtt), "100:00:00.000");
    EXPECT_EQ(cueTimestamp(kMaxCueMs, CueSyntax::webVtt), "2501999792:59:00.991");
}

TEST(CueExport, TheLastCaptionStaysForItsReadingTime) {
    const std::u16string thirty(30, u'x');
    std::u16string smileys;
    for (int i = 0; i < 23; ++i) smileys += u"\U0001F600";
    const std::pair<std::u16string, std::int64_t> cases[] = {
        {u"x", 1500},
        {thirty, 2000},
        {u"<i>" + thirty + u"</i><br>" + std::u16string(15, u'y'), 3000},  // tags and breaks are not read
        {u"&amp;&amp;&amp;" + std::u16string(42, u'z'), 3000},
        {std::u16string(22, u'\u263a') + smileys, 3000},  // a pair of surrogates is one character
        {std::u16string(199, u'x'), 7000},
    };
    for (const auto& [text, ms] : cases) {
        EXPECT_EQ(readingTimeMs(text), ms);
        const std::vector<Cue> cues = documentCues(oneLanguage({{60000, text}}), 0);
        ASSERT_EQ(cues.size(), 1u);
        EXPECT_EQ(cues[0].endMs, 60000 + ms);
    }
}

// Over many documents with equal, empty and blank rows: at every time before the
// last row's, a cue shows exactly what the preview line shows (dueCaptionRow).
TEST(CueExport, CuesAgreeWithThePreviewLine) {
    const std::u16string pool[] = {u"", u"  ", u"one", u"<i>two</i>", u"three<br>3"};
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<double, std::u16string>> rows;
        const int count = 1 + static_cast<int>(random() % 9);
        for (int r = 0; r < count; ++r) {
            const double ms = random() % 5 == 0 ? kNoTime : 1000.0 * (random() % 12);
            rows.emplace_back(ms, pool[random() % 5]);
        }
        CaptionDocument document = oneLanguage(rows);
        sortRowsByTime(document);
        const std::vector<Cue> cues = documentCues(document, 0);
        double last = kNoTime;
        for (const TimeEntry& entry : document.times()) last = std::max(last, entry.startMs);
        for (double t = 0; t < last; t += 500) {
            const bool anyShown = document.times()[0].startMs != kNoTime && document.times()[0].startMs <= t;
            const std::u16string& due = document.text(0, dueCaptionRow(document.times(), t));
            const bool blank = !anyShown || due.empty() || due == u"  ";
            const Cue* covering = nullptr;
            for (const Cue& cue : cues) {
                if (cue.startMs <= t && t < cue.endMs) covering = &cue;
            }
            ASSERT_EQ(covering == nullptr, blank) << "round " << round << " at " << t;
            if (covering) EXPECT_EQ(covering->text, due);
        }
    }
}

TEST(CueExport, ATextLineThatReadsAsATimingLineStaysText) {
    const CaptionDocument document = oneLanguage({{1000, u"00:00:05,000 --&gt; 00:00:06,000<br>7"}});
    EXPECT_EQ(subRipFileBytes(document, 0),
              "1\r\n00:00:01,000 --> 00:00:03,000\r\n00:00:05,000 -- > 00:00:06,000\r\n7\r\n\r\n");
    EXPECT_EQ(readCueFile(subRipFileBytes(document, 0), cp1252).cues.size(), 1u);
}

TEST(CueExport, ExtensionsAreAddedUnlessThePathEndsInExactlyThem) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"movie", "movie.srt", "movie.vtt"}, {"movie.srt", "movie.srt", "movie.srt.vtt"},
        {"movie.SRT", "movie.SRT.srt", "movie.SRT.vtt"}, {"", ".srt", ".vtt"}};
    for (auto [path, subRip, webVtt] : cases) {
        std::string other = path;
        addSubRipExtension(path);
        addWebVttExtension(other);
        EXPECT_EQ(path, subRip);
        EXPECT_EQ(other, webVtt);
    }
}

}  // namespace
}  // namespace zav
