// SubRip and WebVTT files of 100,000 cues: reading, importing, exporting and adding
// a language beside an equally long one.
#include "bench/latin1_code_page.h"
#include "core/cue_document.h"
#include "core/cue_writer.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kCues = 100000;

const zav::bench::Latin1 latin1;

std::vector<zav::Cue> manyCues(std::int64_t offsetMs) {
    static const std::u16string texts[] = {u"An ordinary caption of one line",
                                           u"<i>Two lines</i><br>of speech &amp; more", u"Short",
                                           u"<font color=\"#ffff00\">Coloured</font> words, a < b"};
    std::vector<zav::Cue> cues;
    std::int64_t at = offsetMs;
    for (int i = 0; i < kCues; ++i) {
        const std::int64_t end = at + 1500 + (i % 7) * 300;
        cues.push_back(zav::Cue{at, end, texts[i % 4]});
        at = end + (i % 3 == 0 ? 0 : 250);
    }
    return cues;
}

const std::string& fileOf(zav::CueSyntax syntax) {
    static const std::string subRip = zav::cueFileBytes(manyCues(0), zav::CueSyntax::subRip);
    static const std::string webVtt = zav::cueFileBytes(manyCues(0), zav::CueSyntax::webVtt);
    return syntax == zav::CueSyntax::subRip ? subRip : webVtt;
}

void readFile(benchmark::State& state, zav::CueSyntax syntax) {
    const std::string& bytes = fileOf(syntax);
    for (auto _ : state) benchmark::DoNotOptimize(zav::readCueFile(bytes, latin1).cues.data());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK_CAPTURE(readFile, subRip, zav::CueSyntax::subRip)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readFile, webVtt, zav::CueSyntax::webVtt)->Unit(benchmark::kMillisecond);

void importFile(benchmark::State& state) {
    const zav::CueFile file = zav::readCueFile(fileOf(zav::CueSyntax::subRip), latin1);
    for (auto _ : state) {
        zav::CaptionDocument document;
        zav::replaceWithCues(document, file, latin1);
        benchmark::DoNotOptimize(document.times().data());
    }
}
BENCHMARK(importFile)->Unit(benchmark::kMillisecond);

void exportFile(benchmark::State& state, zav::CueSyntax syntax) {
    zav::CaptionDocument document;
    zav::replaceWithCues(document, zav::readCueFile(fileOf(syntax), latin1), latin1);
    for (auto _ : state) {
        const std::string bytes = syntax == zav::CueSyntax::subRip ? zav::subRipFileBytes(document, 0)
                                                                   : zav::webVttFileBytes(document, 0);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK_CAPTURE(exportFile, subRip, zav::CueSyntax::subRip)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFile, webVtt, zav::CueSyntax::webVtt)->Unit(benchmark::kMillisecond);

void addLanguage(benchmark::State& state) {
    zav::CaptionDocument document;
    zav::replaceWithCues(document, zav::readCueFile(fileOf(zav::CueSyntax::subRip), latin1), latin1);
    zav::CueFile second;
    second.cues = manyCues(700);  // offset: most of its times fall between the rows
    for (auto _ : state) {
        state.PauseTiming();
        zav::CaptionDocument copy = document;
        state.ResumeTiming();
        zav::addCueLanguage(copy, second, zav::LanguageClass("Second", "Second", "xx"), latin1);
        benchmark::DoNotOptimize(copy.times().data());
    }
}
BENCHMARK(addLanguage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
