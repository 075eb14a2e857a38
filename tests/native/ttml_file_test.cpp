// Reading TTML: every form of time expression, the time containers, styles,
// white space, languages, and what is counted or refused.
#include "core/ttml_file.h"
#include "core/ttml_time.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace zav {
namespace {

TtmlTiming timingOf(double frameRate, double subFrameRate, double tickRate) {
    return TtmlTiming{frameRate, subFrameRate, tickRate};
}

struct TimeCase {
    const char* expression;
    std::optional<std::int64_t> ms;
    TtmlTiming timing;
};

const TtmlTiming kDefault;
const TtmlTiming kPal = timingOf(25, 1, 25);
const std::u16string kThirty = u"30", kNtscMultiplier = u"1000 1001";
const TtmlTiming kNtsc = ttmlTiming(&kThirty, &kNtscMultiplier, nullptr, nullptr);
const TtmlTiming kTicks = timingOf(30, 2, 10000000);

const TimeCase kTimes[] = {
    {"00:00:01", 1000, kDefault},          {"00:00:01.5", 1500, kDefault},
    {"01:02:03.004", 3723004, kDefault},   {"123:00:00.000", 442800000, kDefault},
    {"00:00:01.0004", 1000, kDefault},     {" 00:00:02.250 ", 2250, kDefault},
    {"00:00:01:12", 1480, kPal},           {"00:00:01:12", 1400, kDefault},
    {"00:00:00:15.1", 517, kTicks},        {"00:00:00:01", 33, kNtsc},
    {"00:00:10:00", 10000, kNtsc},         {"30f", 1001, kNtsc},
    {"12f", 480, kPal},                    {"1h", 3600000, kDefault},
    {"1.5m", 90000, kDefault},             {"2.25s", 2250, kDefault},
    {"250ms", 250, kDefault},              {"10000000t", 1000, kTicks},
    {"5t", 5000, kDefault},                {"50t", 2000, kPal},
    {"0s", 0, kDefault},                   {"1", std::nullopt, kDefault},
    {"1x", std::nullopt, kDefault},        {"1.s", std::nullopt, kDefault},
    {"-1s", std::nullopt, kDefault},       {"00:01", std::nullopt, kDefault},
    {"0:00:01", std::nullopt, kDefault},   {"00:60:00", std::nullopt, kDefault},
    {"00:00:01.", std::nullopt, kDefault}, {"01:02:03:4", std::nullopt, kDefault},
    {"1 s", std::nullopt, kDefault},       {"", std::nullopt, kDefault},
    {"99999999999999999999h", std::nullopt, kDefault}, {"2502000000h", std::nullopt, kDefault},
};

TEST(TtmlTime, ReadsEveryFormOfTimeExpression) {
    for (const TimeCase& c : kTimes) {
        const std::u16string expression(c.expression, c.expression + std::char_traits<char>::length(c.expression));
        EXPECT_EQ(ttmlTimeMs(expression, c.timing), c.ms) << c.expression;
    }
}

TEST(TtmlTime, ParametersFallBackToTheirDefaults) {
    const std::u16string zero = u"0", rate = u"24", ticks = u"90000", bad = u"2 x";
    EXPECT_EQ(ttmlTiming(nullptr, nullptr, nullptr, nullptr).tickRate, 1);
    EXPECT_EQ(ttmlTiming(&rate, nullptr, nullptr, nullptr).tickRate, 24);
    EXPECT_EQ(ttmlTiming(&rate, &bad, &zero, &ticks).frameRate, 24);
    EXPECT_EQ(ttmlTiming(&rate, &bad, &zero, &ticks).tickRate, 90000);
    EXPECT_EQ(ttmlTiming(&zero, nullptr, nullptr, nullptr).frameRate, 30);
}

using CueList = std::vector<std::tuple<std::int64_t, std::int64_t, std::u16string>>;
using Languages = std::vector<std::pair<std::string, CueList>>;

std::string ttml(const std::string& inner, const std::string& attributes = "") {
    return "<tt xmlns=\"http://www.w3.org/ns/ttml\" xmlns:tts=\"http://www.w3.org/ns/ttml#styling\""
           " xmlns:ttp=\"http://www.w3.org/ns/ttml#parameter\" xml:lang=\"en\"" +
           attributes + ">" + inner + "</tt>";
}

std::string body(const std::string& paragraphs) { return ttml("<body><div>" + paragraphs + "</div></body>"); }

struct ReadCase {
    const char* name;
    std::string bytes;
    Languages languages;
    int malformed = 0;
    int shortened = 0;
    int cut = 0;
};

const std::string kLong(250, 'x');

const ReadCase kReads[] = {
    {"nested_times_add_up",
     ttml("<body begin='1s'><div begin='2s'><p begin='1s' end='2s'>A</p><p begin='3s' dur='500ms'>B</p></div></body>"),
     {{"en", {{4000, 5000, u"A"}, {6000, 6500, u"B"}}}}},
    {"earlier_of_end_and_dur_wins_and_parents_clip",
     ttml("<body><div begin='1s' end='5s'><p end='3s' dur='1s'>A</p><p begin='3s' end='10s'>B</p>"
          "<p begin='6s' end='7s'>C</p></div></body>"),
     {{"en", {{1000, 2000, u"A"}, {4000, 5000, u"B"}}}}},
    {"open_end_stays_until_the_next",
     body("<p begin='1s'>A</p><p begin='3s' end='4s'>B</p><p begin='5s'>C</p>"),
     {{"en", {{1000, 3000, u"A"}, {3000, 4000, u"B"}, {5000, kOpenCueEndMs, u"C"}}}}, 0, 1},
    {"overlaps_are_cut_short", body("<p begin='1s' end='3s'>A</p><p begin='2s' end='4s'>B</p>"),
     {{"en", {{1000, 2000, u"A"}, {2000, 4000, u"B"}}}}, 0, 1},
    {"malformed_times_are_counted",
     body("<p begin='x'>A</p><p begin='2s' end='1s'>B</p><p begin='1s' end='2s'>C</p><p begin='1s' dur='0s'>E</p>"
          "<div begin='bad'><p begin='1s' end='2s'>D</p></div>"),
     {{"en", {{1000, 2000, u"C"}}}}, 4},
    {"spans_with_times_split_the_paragraph",
     body("<p begin='1s' end='4s'>A <span begin='1s' end='2s'>B</span></p><p begin='5s' end='6s'>"
          "<span begin='0s' end='1s'>same</span><span begin='500ms'> </span></p>"),
     {{"en", {{1000, 2000, u"A"}, {2000, 3000, u"A B"}, {3000, 4000, u"A"}, {5000, 6000, u"same"}}}}},
    {"styles_referenced_chained_inline_and_cyclic",
     ttml("<head><styling><style xml:id='i' tts:fontStyle='italic'/><style xml:id='ib' style='i' tts:fontWeight='bold'/>"
          "<style xml:id='loop1' style='loop2'/><style xml:id='loop2' style='loop1' tts:textDecoration='underline'/>"
          "</styling></head><body><div><p begin='1s' end='2s'>a <span style='ib'>b</span> "
          "<span tts:textDecoration='underline'>c</span></p><p begin='2s' end='3s' style='loop1'>d"
          "<span tts:textDecoration='noUnderline'>e</span></p><p begin='3s' end='4s' style='ib'>"
          "<span tts:fontStyle='normal'>f</span>g</p></div></body>"),
     {{"en", {{1000, 2000, u"a <i><b>b</b></i> <u>c</u>"}, {2000, 3000, u"<u>d</u>e"}, {3000, 4000, u"<b>f<i>g</i></b>"}}}}},
    {"region_styles_lie_under_inherited_ones",
     ttml("<head><layout><region xml:id='r' tts:fontStyle='italic'><style tts:fontWeight='normal'/></region></layout>"
          "</head><body region='r'><div tts:fontWeight='bold'><p begin='1s' end='2s'>x</p>"
          "<p begin='2s' end='3s' tts:fontStyle='normal'>y</p></div></body>"),
     {{"en", {{1000, 2000, u"<i><b>x</b></i>"}, {2000, 3000, u"<b>y</b>"}}}}},
    {"white_space_default_and_preserve",
     body("<p begin='1s' end='2s'>\n   Two   words \n <br/>  next\tline  </p>"
          "<p begin='2s' end='3s' xml:space='preserve'>a  b\nc</p>"),
     {{"en", {{1000, 2000, u"Two words<br>next line"}, {2000, 3000, u"a  b<br>c"}}}}},
    {"markup_characters_are_escaped", body("<p begin='1s' end='2s'>&lt;i&gt; &amp;amp; a&lt;b &amp; 1 &lt; 2</p>"),
     {{"en", {{1000, 2000, u"&lt;i> &amp;amp; a&lt;b & 1 < 2"}}}}},
    {"metadata_and_foreign_elements_are_left_out",
     body("<p begin='1s' end='2s'>a<metadata>no</metadata><x:y xmlns:x='urn:x'>no</x:y>b</p>"),
     {{"en", {{1000, 2000, u"ab"}}}}},
    {"a_language_per_div",
     ttml("<body><div xml:lang='fr'><p begin='1s' end='2s'>Bonjour</p></div><div><p begin='1s' end='2s'>Hello</p>"
          "</div><div xml:lang='de'><p begin='1s' end='2s' xml:lang='es'>Hola</p><p>untimed</p></div></body>"),
     {{"fr", {{1000, 2000, u"Bonjour"}}}, {"en", {{1000, 2000, u"Hello"}}}, {"es", {{1000, 2000, u"Hola"}}},
      {"de", {{0, kOpenCueEndMs, u"untimed"}}}}},
    {"frames_and_ticks_of_the_root",
     ttml("<body><p begin='1500t' end='00:00:02:05'>A</p></body>", " ttp:tickRate='1000' ttp:frameRate='25'"),
     {{"en", {{1500, 2200, u"A"}}}}},
    {"blank_paragraphs_give_nothing", body("<p begin='1s' end='2s'>  </p><p begin='2s' end='3s'><br/></p>"), {}},
    {"dfxp_draft_namespaces",
     "<tt xmlns='http://www.w3.org/2006/10/ttaf1' xmlns:tts='http://www.w3.org/2006/10/ttaf1#style' "
     "xmlns:ttp='http://www.w3.org/2006/10/ttaf1#parameter' ttp:tickRate='10'><body><div><p begin='10t' end='20t'>"
     "<span tts:fontWeight='bold'>old</span></p></div></body></tt>",
     {{"", {{1000, 2000, u"<b>old</b>"}}}}},
    {"long_texts_are_cut", body("<p begin='1s' end='2s'>" + kLong + "</p>"),
     {{"en", {{1000, 2000, std::u16string(199, u'x')}}}}, 0, 0, 1},
};

Languages languagesOf(const TtmlFile& file) {
    Languages languages;
    for (const TtmlLanguage& language : file.languages) {
        CueList cues;
        for (const Cue& cue : language.cues.cues) cues.emplace_back(cue.startMs, cue.endMs, cue.text);
        languages.emplace_back(language.code, cues);
    }
    return languages;
}

TEST(TtmlFile, ReadsTimesStylesWhiteSpaceAndLanguages) {
    for (const ReadCase& c : kReads) {
        const TtmlFile file = readTtmlFile(c.bytes);
        ASSERT_TRUE(file.ok()) << c.name << ": " << ttmlErrorText(file);
        EXPECT_EQ(languagesOf(file), c.languages) << c.name;
        EXPECT_EQ(file.malformedCues, c.malformed) << c.name;
        EXPECT_EQ(file.shortenedCues, c.shortened) << c.name;
        EXPECT_EQ(file.cutTexts, c.cut) << c.name;
        EXPECT_EQ(captionFormatOfContent(c.bytes), CaptionFormat::ttml) << c.name;
    }
}

TEST(TtmlFile, RefusesWhatIsNotWellFormedTtml) {
    const std::pair<std::string, int> refused[] = {
        {"<?xml version='1.0'?>\n<html xmlns='http://www.w3.org/ns/ttml'/>", 2},
        {"<tt xmlns='http://www.w3.org/ns/ttml#styling'/>", 1},
        {"<tt xmlns='http://www.w3.org/ns/ttml'>\n<body>\n<p begin='1s'>open\n</body></tt>", 4},
        {"<!DOCTYPE tt [<!ENTITY a 'aaaa'>]><tt xmlns='http://www.w3.org/ns/ttml'>&a;</tt>", 1},
    };
    for (const auto& [bytes, line] : refused) {
        const TtmlFile file = readTtmlFile(bytes);
        EXPECT_FALSE(file.ok()) << bytes;
        EXPECT_TRUE(file.languages.empty()) << bytes;
        EXPECT_EQ(file.errorLine, line) << bytes << ": " << file.error;
        EXPECT_EQ(ttmlErrorText(file).rfind("line " + std::to_string(line) + ": ", 0), 0u) << ttmlErrorText(file);
    }
}

TEST(TtmlFile, TellsItsFormatByContentAndName) {
    EXPECT_EQ(captionFormatOfContent("\xEF\xBB\xBF<?xml version='1.0'?><!-- x --><a:tt xmlns:a='http://www.w3.org/ns/ttml'/>"),
              CaptionFormat::ttml);
    EXPECT_EQ(captionFormatOfContent("<tt xmlns='http://example.com/'/>"), CaptionFormat::unknown);
    EXPECT_EQ(readCueFile(body(""), test::IconvCodePage()).format, CaptionFormat::ttml);
    for (const char* path : {"a.ttml", "b.DFXP", "c.Xml"}) EXPECT_EQ(captionFormatOfPath(path), CaptionFormat::ttml) << path;
}

}  // namespace
}  // namespace zav
