// Import and Add Language from cue files, and the round trips through the document
// and through SAMI.
#include "core/caption_timing.h"
#include "core/cue_document.h"
#include "core/cue_writer.h"
#include "core/sami_writer.h"
#include "core/sami_own_reader.h"
#include "core/transport_values.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;
const test::IconvCodePage utf8("UTF-8");

CaptionDocument imported(const std::string& bytes, const CodePageConverter& codePage = cp1252) {
    CaptionDocument document;
    EXPECT_TRUE(replaceWithCues(document, readCueFile(bytes, codePage), codePage));
    EXPECT_TRUE(document.isConsistent());
    return document;
}

CaptionDocument throughSami(const CaptionDocument& document, const CodePageConverter& codePage) {
    CaptionDocument back;
    SamiDocumentTarget target(back, codePage);
    readSami(textModeInput(samiFileBytes(document, codePage)), codePage, target);
    return back;
}

const std::string kSubRip =
    "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello <i>there</i>\r\n& more\r\n\r\n"
    "2\r\n00:00:02,500 --> 00:00:04,000\r\n<font color=\"#00ff00\">Green</font>\r\nthree\r\nlines\r\n\r\n"
    "3\r\n00:00:06,000 --> 00:00:07,000\r\nafter a gap\r\n\r\n"
    "4\r\n123:00:00,001 --> 123:00:09,999\r\nlate, caf\xC3\xA9\r\n\r\n";

const std::string kWebVtt =
    "WEBVTT\r\n\r\n"
    "00:00:01.000 --> 00:00:02.500\r\nTom &amp; Jerry &lt;3 <b>x</b>\r\n\r\n"
    "00:00:02.500 --> 00:00:04.000\r\n<u>a</u>\r\n&lt;i&gt; is no tag\r\n\r\n"
    "100:00:00.000 --> 100:00:01.000\r\nlast\r\n\r\n";

TEST(CueRoundTrip, WellFormedFilesComeBackByteForByte) {
    EXPECT_EQ(subRipFileBytes(imported(kSubRip), 0), kSubRip);
    EXPECT_EQ(webVttFileBytes(imported(kWebVtt), 0), kWebVtt);
    // Through a SAMI file as well: every time and text survives.
    EXPECT_EQ(subRipFileBytes(throughSami(imported(kSubRip), cp1252), 0), kSubRip);
    EXPECT_EQ(webVttFileBytes(throughSami(imported(kWebVtt), cp1252), 0), kWebVtt);
}

// Many near-copies: gaps, touching cues, long and short ones, far times, texts with
// markup; what is written and read back is written the same, directly or via SAMI.
TEST(CueRoundTrip, ManyFilesSurviveTheDocumentAndSami) {
    const std::u16string pool[] = {u"a",       u"<i>b</i> c",    u"d<br>e<br>f", u"Tom &amp; Jerry", u"1 < 2 > 0",
                                   u"caf\u00e9 \u4e2d\U0001F600", u"<b>x</b><br><u>y</u>", u"x<br><br>y"};
    const std::int64_t gaps[] = {0, 0, 1, 500, 3000, 400000000};
    const std::int64_t lengths[] = {1, 999, 2500, 7000, 12000};
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<Cue> cues;
        std::int64_t at = random() % 5000;
        for (int n = 1 + static_cast<int>(random() % 8); n > 0; --n) {
            const std::int64_t end = at + lengths[random() % 5];
            cues.push_back(Cue{at, end, pool[random() % 8]});
            at = end + gaps[random() % 6];
        }
        for (const CueSyntax syntax : {CueSyntax::subRip, CueSyntax::webVtt}) {
            const std::string written = cueFileBytes(cues, syntax);
            const CaptionDocument document = imported(written, utf8);
            const auto write = [syntax](const CaptionDocument& d) {
                return syntax == CueSyntax::subRip ? subRipFileBytes(d, 0) : webVttFileBytes(d, 0);
            };
            ASSERT_EQ(write(document), written) << round;
            ASSERT_EQ(write(throughSami(document, utf8)), written) << round;
        }
    }
}

// Cues that start together become one row, their texts joined in file order and the
// longer end clearing the screen; a text joined past the limit is cut and counted.
TEST(CueRoundTrip, CuesStartingTogetherKeepEveryText) {
    const std::string bytes =
        "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:01,000 --> 00:00:03,000\nB\nb\n\n"
        "3\n00:00:05,000 --> 00:00:06,000\n" + std::string(150, 'x') + "\n\n4\n00:00:05,000 --> 00:00:06,000\ny\n\n";
    const std::string joined = "1\r\n00:00:01,000 --> 00:00:03,000\r\nA\r\nB\r\nb\r\n\r\n";
    const CueFile file = readCueFile(bytes, cp1252);
    EXPECT_EQ(file.cutTexts, 0);
    EXPECT_EQ(subRipFileBytes(imported(bytes), 0),
              joined + "2\r\n00:00:05,000 --> 00:00:06,000\r\n" + std::string(150, 'x') + "\r\ny\r\n\r\n");
    EXPECT_EQ(readCueFile(bytes + "5\n00:00:05,000 --> 00:00:06,000\n" + std::string(60, 'z') + "\n", cp1252).cutTexts, 1);
    // The same from cues not read from a file, and for Add Language.
    CaptionDocument document;
    ASSERT_TRUE(replaceWithCues(document, CueFile{CaptionFormat::subRip, {{1000, 2000, u"A"}, {1000, 3000, u"B<br>b"}}},
                                cp1252));
    EXPECT_EQ(subRipFileBytes(document, 0), joined);
    ASSERT_EQ(addCueLanguage(document, file, LanguageClass("X", "X", "x"), cp1252), 1);
    EXPECT_EQ(subRipFileBytes(document, 1).substr(0, joined.size()), joined);
}

TEST(CueImport, ReplacesTheDocumentKeepingTheCurrentLanguagesNames) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("ENUSCC", "US English", "en-us"));
    document.appendLanguage(LanguageClass("FRFRCC", "French", "fr-fr"));
    document.setCurrentLanguage(1);
    document.appendRow();
    const CueFile file = readCueFile(
        "00:00:01,000 --> 00:00:02,000\nA\n\n00:00:02,000 --> 00:00:03,000\nB\n\n"
        "00:00:05,000 --> 1193:02:47,295\nC\n",
        cp1252);
    ASSERT_TRUE(replaceWithCues(document, file, cp1252));
    ASSERT_TRUE(document.isConsistent());
    ASSERT_EQ(document.languageCount(), 1);
    EXPECT_EQ(document.currentLanguage(), 0);
    EXPECT_EQ(document.languages()[0].className(), "FRFRCC");
    EXPECT_EQ(document.languages()[0].displayName(), "French");
    EXPECT_EQ(document.languages()[0].langCode(), "fr-fr");
    // A clearing row where B ends before C; none after C, whose end means "no end".
    ASSERT_EQ(document.rowCount(), 4);
    EXPECT_EQ(document.languages()[0].texts(), (std::vector<std::u16string>{u"A", u"B", u"", u"C"}));
    const double times[] = {1000, 2000, 3000, 5000};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(document.times()[row].startMs, times[row]);
    EXPECT_EQ(document.times()[2].timeText, u"00:00:03:000");

    // No readable cue: nothing changes. A document without languages gets New Caption File's.
    const CaptionDocument before = document;
    EXPECT_FALSE(replaceWithCues(document, readCueFile("", cp1252), cp1252));
    EXPECT_EQ(document.times().size(), before.times().size());
    EXPECT_EQ(document.languages()[0].texts(), before.languages()[0].texts());
    CaptionDocument empty;
    ASSERT_TRUE(replaceWithCues(empty, file, cp1252));
    EXPECT_EQ(empty.languages()[0].className(), "US English");
    EXPECT_EQ(empty.languages()[0].langCode(), "en-us");
}

TEST(CueAddLanguage, CuesGoBesideTheRowsAndNothingElseChanges) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("ENUSCC", "US English", "en-us"));
    const std::vector<std::pair<double, std::u16string>> rows{
        {5000, u""}, {0, u"A"}, {2000, u"B"}, {kNoTime, u"untimed"}};
    for (const auto& [ms, text] : rows) {
        document.appendRow();
        if (ms != kNoTime) document.setStartTime(document.rowCount() - 1, ms, cp1252);
        document.setText(0, document.rowCount() - 1, text);
    }
    const CueFile file = readCueFile(
        "00:00:01,000 --> 00:00:02,000\nUn\n\n00:00:02,000 --> 00:00:03,000\nDeux\n\n"
        "00:00:06,000 --> 00:00:07,000\nTrois\n",
        cp1252);
    EXPECT_EQ(addCueLanguage(document, file, LanguageClass("FRFRCC", "French", "fr-fr"), cp1252), 1);
    ASSERT_TRUE(document.isConsistent());
    const double times[] = {0, 1000, 2000, 3000, 5000, 6000, 7000, kNoTime};
    ASSERT_EQ(document.rowCount(), 8);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(document.times()[row].startMs, times[row]) << row;
    EXPECT_EQ(document.languages()[0].texts(),
              (std::vector<std::u16string>{u"A", u"A", u"B", u"B", u"", u"", u"", u"untimed"}));
    EXPECT_EQ(document.languages()[1].texts(),
              (std::vector<std::u16string>{u"", u"Un", u"Deux", u"", u"", u"Trois", u"", u""}));
    EXPECT_EQ(document.times()[1].timeText, u"00:00:01:000");
    EXPECT_EQ(document.languages()[1].className(), "FRFRCC");
    EXPECT_EQ(document.currentLanguage(), 0);
    // A cue that stays open still shows on the timed rows after it, not on the untimed one.
    const CueFile open = readCueFile("00:00:06,000 --> 1193:02:47,295\nOpen\n", cp1252);
    EXPECT_EQ(addCueLanguage(document, open, LanguageClass("DEDECC", "German", "de"), cp1252), 2);
    EXPECT_EQ(document.languages()[2].texts().back(), u"");
    EXPECT_EQ(document.languages()[2].texts()[document.rowCount() - 2], u"Open");
    EXPECT_EQ(addCueLanguage(document, CueFile(), LanguageClass("X", "X", "x"), cp1252), -1);
    EXPECT_EQ(document.languageCount(), 3);
}

// What a language shows at a time, by the preview line's rule.
std::u16string shownAt(const CaptionDocument& document, int language, double ms) {
    bool any = false;
    for (const TimeEntry& entry : document.times()) any = any || (entry.startMs != kNoTime && entry.startMs <= ms);
    return any ? document.text(language, dueCaptionRow(document.times(), ms)) : std::u16string();
}

std::u16string shownAt(const CueFile& file, double ms) {
    for (const Cue& cue : file.cues) {
        if (cue.startMs <= ms && ms < cue.endMs) return cue.text;
    }
    return {};
}

TEST(CueAddLanguage, NoLanguageShowsAnythingElseAtAnyTime) {
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        CaptionDocument document;
        document.appendLanguage(LanguageClass("L0", "L0", "x"));
        document.appendLanguage(LanguageClass("L1", "L1", "y"));
        for (int r = static_cast<int>(random() % 8); r > 0; --r) {
            document.appendRow();
            const int row = document.rowCount() - 1;
            if (random() % 6) document.setStartTime(row, 1000.0 * (random() % 15), cp1252);
            const std::u16string text = u"t" + std::u16string(1, char16_t(u'a' + row));
            for (int l = 0; l < 2; ++l) document.setText(l, row, random() % 3 ? text : u"");
        }
        std::string file;
        for (std::int64_t at = random() % 3000; at < 15000; at += 1000 * (random() % 4)) {
            const std::int64_t end = at + 500 + 1000 * (random() % 3);
            file += cueTimestamp(at, CueSyntax::subRip) + " --> " + cueTimestamp(end, CueSyntax::subRip) + "\nc" +
                    std::to_string(at) + "\n\n";
            at = end;
        }
        const CueFile cues = readCueFile(file, cp1252);
        CaptionDocument added = document;
        ASSERT_EQ(addCueLanguage(added, cues, LanguageClass("New", "New", "z"), cp1252), 2);
        ASSERT_TRUE(added.isConsistent());
        for (double t = 0; t < 16000; t += 250) {
            for (int l = 0; l < 2; ++l) ASSERT_EQ(shownAt(added, l, t), shownAt(document, l, t)) << round << " " << t;
            ASSERT_EQ(shownAt(added, 2, t), shownAt(cues, t)) << round << " " << t;
        }
    }
}

}  // namespace
}  // namespace zav
