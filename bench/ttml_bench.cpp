// TTML files of 100,000 cues: the XML reader alone, reading into cues, Import and
// Export, of one language and of two.
#include "bench/latin1_code_page.h"
#include "core/cue_document.h"
#include "core/cue_writer.h"
#include "core/ttml_document.h"
#include "core/ttml_file.h"
#include "core/ttml_writer.h"
#include "core/xml_reader.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kCues = 100000;

const zav::bench::Latin1 latin1;

zav::CueFile manyCues(std::int64_t offsetMs) {
    static const std::u16string texts[] = {u"An ordinary caption of one line", u"<i>Two lines</i><br>of speech &amp; more",
                                           u"Short", u"<b>Bold</b> and <u>underlined</u> words, a < b"};
    zav::CueFile file;
    std::int64_t at = offsetMs;
    for (int i = 0; i < kCues; ++i) {
        const std::int64_t end = at + 1500 + (i % 7) * 300;
        file.cues.push_back(zav::Cue{at, end, texts[i % 4]});
        at = end + (i % 3 == 0 ? 0 : 250);
    }
    return file;
}

const zav::CaptionDocument& document(int languages) {
    static const zav::CaptionDocument one = [] {
        zav::CaptionDocument document;
        document.appendLanguage(zav::LanguageClass("US English", "US English", "en-US"));
        zav::replaceWithCues(document, manyCues(0), latin1);
        return document;
    }();
    static const zav::CaptionDocument two = [] {
        zav::CaptionDocument document = one;
        zav::addCueLanguage(document, manyCues(0), zav::LanguageClass("FRCC", "French", "fr"), latin1);
        return document;
    }();
    return languages == 1 ? one : two;
}

const std::string& fileOf(int languages) {
    static const std::string one = zav::ttmlFileBytes(document(1), 0);
    static const std::string two = zav::ttmlFileBytesAllLanguages(document(2));
    return languages == 1 ? one : two;
}

void readXml(benchmark::State& state) {
    const std::string& bytes = fileOf(1);
    for (auto _ : state) benchmark::DoNotOptimize(zav::readXml(bytes).nodes.data());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(readXml)->Unit(benchmark::kMillisecond);

void readTtml(benchmark::State& state) {
    const std::string& bytes = fileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(zav::readTtmlFile(bytes).languages.data());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(readTtml)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void importTtml(benchmark::State& state) {
    const zav::TtmlFile file = zav::readTtmlFile(fileOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        zav::CaptionDocument imported;
        zav::replaceWithTtml(imported, file, latin1);
        benchmark::DoNotOptimize(imported.times().data());
    }
}
BENCHMARK(importTtml)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void exportTtml(benchmark::State& state) {
    const bool both = state.range(0) == 2;
    for (auto _ : state) {
        const std::string bytes = both ? zav::ttmlFileBytesAllLanguages(document(2)) : zav::ttmlFileBytes(document(1), 0);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(exportTtml)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
