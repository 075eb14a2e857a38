// Caption texts from SAMI markup to the lines of SubRip and WebVTT cues, and the cut
// to the document's limit. The way back is in the reader's cases.
#include "core/cue_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

using Lines = std::vector<std::u16string>;

struct ExportCase {
    std::u16string sami;
    Lines subRip;
    Lines webVtt;
};

TEST(CueLines, MarkupBecomesEachFormatsLines) {
    const ExportCase cases[] = {
        {u"plain", {u"plain"}, {u"plain"}},
        {u"a<br>b<BR>c<Br/>d<br />e</br>f", {u"a", u"b", u"c", u"d", u"e", u"f"}, {u"a", u"b", u"c", u"d", u"e", u"f"}},
        {u"<I>it</I> <b>b</b> <u>u</u>", {u"<i>it</i> <b>b</b> <u>u</u>"}, {u"<i>it</i> <b>b</b> <u>u</u>"}},
        {u"<font face=Arial color='#ff0000'>red</font> <FONT size=2>big</FONT>",
         {u"<font color=\"#ff0000\">red</font> big"},
         {u"red big"}},
        {u"<font color= \"red\">x</font>", {u"<font color=\"red\">x</font>"}, {u"x"}},
        {u"<span class=x>s</span> <p>q", {u"s q"}, {u"s q"}},
        {u"Tom &amp; Jerry &lt;3&gt; caf&#233; &#x263A; &nbsp;x", {u"Tom & Jerry <3> caf\u00e9 \u263a \u00a0x"},
         {u"Tom &amp; Jerry &lt;3&gt; caf\u00e9 \u263a \u00a0x"}},
        // A "<" or "&" that starts no tag or entity is a plain character.
        {u"a < b, 1<2, x &co; AT&T <i", {u"a < b, 1<2, x &co; AT&T <i"},
         {u"a &lt; b, 1&lt;2, x &amp;co; AT&amp;T &lt;i"}},
        // Lines left blank would end the cue early.
        {u"<br>top<br> <br><i></i><br>bottom<br>", {u"top", u"<i></i>", u"bottom"}, {u"top", u"<i></i>", u"bottom"}},
        // Tags are balanced within the cue: open ones close at its end, stray closers go,
        // and crossed ones close and open again.
        {u"<u>open<br>x<br> ", {u"<u>open", u"x</u>"}, {u"<u>open", u"x</u>"}},
        {u"<s>x</b></I>", {u"x"}, {u"x"}},
        {u"<i><b>x</i>y</b>", {u"<i><b>x</b></i><b>y</b>"}, {u"<i><b>x</b></i><b>y</b>"}},
        {u"<font color=red>a<font size=2>b</font>c</font></font>", {u"<font color=\"red\">abc</font>"}, {u"abc"}},
        {u"   ", {}, {}},
        {u"", {}, {}},
    };
    for (const ExportCase& c : cases) {
        EXPECT_EQ(cueLinesOf(c.sami, CueSyntax::subRip), c.subRip);
        EXPECT_EQ(cueLinesOf(c.sami, CueSyntax::webVtt), c.webVtt);
    }
    EXPECT_EQ(plainTextOf(u"<i>a</i><br>b &amp; c"), u"a\nb & c");
}

TEST(CutSamiText, LongTextsLoseNoHalfTagOrEntity) {
    const std::u16string filler(195, u'x');
    const struct {
        std::u16string text;
        std::u16string kept;
        bool cut;
    } cases[] = {
        {filler, filler, false},
        {filler + u"abcdefg", filler + u"abcd", true},
        {filler + u"a<br>b", filler + u"a", true},
        {filler + u"<i>bcd", filler + u"<i>b", true},
        {filler + u"&amp;x", filler, true},
        {filler + u"a < b c", filler + u"a < ", true},
        {filler + u"ab&cd e", filler + u"ab&c", true},
        {filler + u"abc\U0001F600", filler + u"abc", true},
    };
    for (const auto& c : cases) {
        bool cut = false;
        EXPECT_EQ(cutSamiText(c.text, cut), c.kept);
        EXPECT_EQ(cut, c.cut);
    }
}

}  // namespace
}  // namespace zav
