// Caption checks at their limits: what a viewer reads of a text, and the problems
// a document gives under the default limits and other frame rates.
#include "core/caption_checks.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

struct Row {
    double ms;
    std::u16string text;
    std::u16string second = u"";  // the second language's text
};

CaptionDocument documentOf(const std::vector<Row>& rows) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("EnCC", "English", "en"));
    document.appendLanguage(LanguageClass("FrCC", "French", "fr"));
    for (const Row& row : rows) {
        document.appendRow();
        const int index = document.rowCount() - 1;
        if (row.ms != kNoTime) document.setStartTime(index, row.ms, cp1252);
        document.setText(0, index, row.text);
        document.setText(1, index, row.second);
    }
    return document;
}

// "row kind value/limit" for each problem, joined by "; "; the language as "fr:"
// before the row when it is the second.
std::string problemsOf(const CheckReport& report) {
    std::string text;
    for (const CheckProblem& p : report.problems) {
        if (!text.empty()) text += "; ";
        text += (p.language == 1 ? "fr:" : "") + std::to_string(p.row) + ' ' + checkKindName(p.kind);
        if (checkKindHasValue(p.kind)) text += ' ' + checkNumberText(p.value) + '/' + checkNumberText(p.limit);
    }
    return text;
}

std::u16string chars(int count, char16_t c = u'x') { return std::u16string(count, c); }

TEST(CaptionChecks, TextsAreCountedAsAViewerReadsThem) {
    const struct {
        std::u16string text;
        int characters, lines, longest;
    } cases[] = {
        {u"", 0, 0, 0},
        {u"<i>Hello</i> &amp; <B>bye</B>", 11, 1, 11},
        {u"  one  <br><BR/> two ", 6, 2, 3},  // blanks at line ends and empty lines are not read
        {u"&lt;&#233;&#x1F600;\U0001F600", 4, 1, 4},  // entities and surrogate pairs are one character each
        {u"J&eacute;r&ocirc;me &amp c&; &x-y; &;", 24, 1, 24},  // named references; no entity without ";"
        {u"\u65e5\u672c\u8a9e\u306e\u5b57\u5e55<br>\U0002000B\u3002", 8, 2, 6},  // CJK
        {u"a&lrm;b\u200b\ufeff", 2, 1, 2},
        {u"&nbsp;<i> </i><br>", 0, 0, 0},  // a clear
        {u"a < b & c", 9, 1, 9},           // no tag, no entity
    };
    for (const auto& c : cases) {
        const TextMeasure measure = measureText(c.text);
        EXPECT_EQ(measure.characters, c.characters) << measure.characters;
        EXPECT_EQ(measure.lines, c.lines) << measure.characters;
        EXPECT_EQ(measure.longestLine, c.longest) << measure.characters;
    }
}

TEST(CaptionChecks, ProblemsAtTheLimits) {
    CheckLimits ntsc;
    ntsc.frameRate = FrameRate::fps2997;
    const struct {
        const char* name;
        std::vector<Row> rows;
        CheckLimits limits;
        std::string problems;
    } cases[] = {
        {"17 cps exactly", {{0, chars(17)}, {1000, u""}}, {}, ""},
        {"a hair over 17 cps", {{0, chars(17)}, {999, u""}}, {}, "0 too-fast 17.017/17"},
        {"a hair over 17 cps never reads as 17",
         {{0, chars(22) + u"<br>" + chars(23)}, {2647, u""}},
         {},
         "0 too-fast 17.001/17"},
        {"two lines at 17 cps", {{0, chars(17) + u"<br>" + chars(17)}, {2000, u""}}, {}, ""},
        {"tags and entities", {{0, u"<i>&amp;" + chars(16) + u"</i>"}, {999, u""}}, {}, "0 too-fast 17.017/17"},
        {"42 and 43 a line, 3 lines",
         {{0, chars(42)}, {3000, u""}, {4000, chars(43) + u"<br>a<br>b"}, {9000, u""}},
         {},
         "2 line-too-long 43/42; 2 too-many-lines 3/2"},
        {"a CJK line", {{0, chars(17, u'\u5b57')}, {999, u""}}, {}, "0 too-fast 17.017/17"},
        {"shortest and longest times",
         {{0, u"a"}, {832, u""}, {2000, u"b"}, {2833, u""}, {4000, u"c"}, {11001, u""}, {20000, u"d"}, {27000, u""}},
         {},
         "0 too-short 832/833; 4 too-long 7001/7000"},
        {"2 frames at 25 fps",
         {{0, u"a"}, {1000, u""}, {1080, u"b"}, {2000, u""}, {2079, u"c"}, {3000, u""}},
         {},
         "3 short-clear 79/80"},
        {"2 frames at 29.97 fps",
         {{0, u"a"}, {1000, u""}, {1067, u"b"}, {2000, u""}, {2066, u"c"}, {3000, u""}},
         ntsc,
         "3 short-clear 66/66.733"},
        {"back to back, then a clear that shows nothing",
         {{0, u"a"}, {1000, u"b"}, {2000, u"<i> </i>&nbsp;"}, {2040, u"c"}},
         {},
         "0 gap-too-small 0/80; 2 short-clear 40/80"},
        {"the last caption shows for its reading time, at most 7 s",
         {{0, chars(40) + u"<br>" + chars(40) + u"<br>" + chars(40)}},
         {},
         "0 too-fast 17.143/17; 0 too-many-lines 3/2"},
        {"equal and unsorted times",
         {{1000, u"hidden"}, {1000, u"b"}, {500, u"c"}, {3000, u""}},
         {},
         "1 unsorted 1000/1000; 2 too-short 500/833; 2 gap-too-small 0/80; 2 unsorted 500/1000; "
         "fr:1 unsorted 1000/1000; fr:2 unsorted 500/1000"},
        {"texts without a time", {{kNoTime, u"x"}, {kNoTime, u""}, {0, u"a", u"b"}, {1000, u""}}, {},
         "0 untimed-text"},
        {"languages apart",
         {{0, u"", chars(20)}, {1000, u"a", u""}, {2000, u""}},
         {},
         "fr:0 too-fast 20/17"},
    };
    for (const auto& c : cases) EXPECT_EQ(problemsOf(checkDocument(documentOf(c.rows), c.limits)), c.problems) << c.name;
}

TEST(CaptionChecks, ReportsCountCaptionsAndWordProblems) {
    const CaptionDocument document = documentOf({{0, chars(17), u"b"}, {999, u""}, {kNoTime, u"x"}});
    const CheckReport both = checkDocument(document, CheckLimits());
    EXPECT_EQ(both.captions, 2);
    const CheckReport french = checkLanguage(document, 1, CheckLimits());
    EXPECT_EQ(french.captions, 1);
    EXPECT_EQ(problemsOf(french), "");
    EXPECT_TRUE(checkLanguage(document, 2, CheckLimits()).problems.empty());
    EXPECT_EQ(checkProblemText(both.problems[0]), "Reading speed 17.017 characters a second; at most 17");
    EXPECT_EQ(checkProblemText(both.problems[1]), "Has a text but no start time");
    for (const CheckKind kind : kCheckKinds) EXPECT_NE(std::string(checkKindDescription(kind)), "") << checkKindName(kind);
}

TEST(CaptionChecks, RowMeasuresWhileTyping) {
    const CaptionDocument document = documentOf({{0, u""}, {2000, u"a"}, {2000, u"b"}, {kNoTime, u""}, {1000, u""}});
    const struct {
        int row;
        std::u16string typed;
        std::int64_t durationMs;
        double cps;
        bool tooFast, lineTooLong;
    } cases[] = {
        {0, chars(18), 1000, 18, true, false},
        {4, chars(43), 1000, 43, true, true},
        {2, chars(30), 2000, 15, false, false},  // the last row: its reading time
        {1, u"a", -1, 0, false, false},          // hidden by the next row of its time
        {3, u"a", -1, 0, false, false},
        {7, u"a", -1, 0, false, false},
    };
    for (const auto& c : cases) {
        const RowMeasure measure = measureRow(document, c.row, c.typed, CheckLimits());
        EXPECT_EQ(measure.durationMs, c.durationMs) << c.row;
        EXPECT_EQ(measure.charactersPerSecond, c.cps) << c.row;
        EXPECT_EQ(measure.tooFast, c.tooFast) << c.row;
        EXPECT_EQ(measure.lineTooLong, c.lineTooLong) << c.row;
    }
}

}  // namespace
}  // namespace zav
