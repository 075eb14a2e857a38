// Caption checks on a long programme: 20,000 rows in two languages, with clears,
// markup and entities, as a delivery check or the check window runs them; and the
// measures of one row as the user types.
#include "core/caption_checks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRows = 20000;

// Start times are set straight into the rows: the time texts do not take part.
zav::CaptionDocument programme() {
    static const std::u16string english[] = {u"An ordinary caption of one line",
                                             u"<i>Two lines</i><br>of speech &amp; more", u"",
                                             u"<font color=\"#ffff00\">Coloured</font> words, a &lt; b",
                                             u"A rather long line that goes on past the limit of 42<br>and more"};
    static const std::u16string french[] = {u"Une l&eacute;gende ordinaire", u"", u"&#171;&nbsp;Deux&nbsp;&#187;<br>lignes",
                                            u"Caract&egrave;res \u00e9\u00e8 &amp; <b>gras</b>", u"Court"};
    zav::CaptionDocument document;
    document.appendLanguage(zav::LanguageClass("EnCC", "English", "en"));
    document.appendLanguage(zav::LanguageClass("FrCC", "French", "fr"));
    double at = 1000;
    for (int row = 0; row < kRows; ++row) {
        document.appendRow(zav::TimeEntry{at, u"", 0}, {});
        document.setText(0, row, english[row % 5]);
        document.setText(1, row, french[row % 5]);
        at += 700 + (row % 7) * 450;
    }
    return document;
}

void checkProgramme(benchmark::State& state) {
    const zav::CaptionDocument document = programme();
    const zav::CheckLimits limits;
    std::size_t problems = 0;
    for (auto _ : state) {
        const zav::CheckReport report = zav::checkDocument(document, limits);
        problems = report.problems.size();
        benchmark::DoNotOptimize(report.problems.data());
    }
    state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(checkProgramme)->Unit(benchmark::kMillisecond);

void measureTypedRow(benchmark::State& state) {
    const zav::CaptionDocument document = programme();
    const std::u16string typed = u"<i>Typing</i> a caption &amp; its second<br>line";
    for (auto _ : state) benchmark::DoNotOptimize(zav::measureRow(document, kRows / 2, typed, zav::CheckLimits()));
}
BENCHMARK(measureTypedRow)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
