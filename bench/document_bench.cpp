// The document operations at the sizes of a long caption file.
#include "core/caption_document.h"
#include "core/time_text.h"
#include "tests/native/iconv_code_page.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 3000;
const zav::test::IconvCodePage cp1252;

zav::CaptionDocument filledDocument(int languages) {
    zav::CaptionDocument document;
    for (int l = 0; l < languages; ++l) document.appendLanguage(zav::LanguageClass("Lang", "Lang", "xx"));
    for (int r = 0; r < kRows; ++r) {
        document.appendRow();
        for (int l = 0; l < languages; ++l) document.setText(l, r, u"A caption of ordinary length, row " + std::u16string(1, u'0' + r % 10));
        document.setStartTime(r, 1000.5 * r, cp1252);
    }
    return document;
}

void appendRows(benchmark::State& state) {
    for (auto _ : state) {
        zav::CaptionDocument document;
        document.appendLanguage(zav::LanguageClass("US English", "US English", "en-us"));
        document.appendLanguage(zav::LanguageClass("French", "French", "fr"));
        for (int r = 0; r < kRows; ++r) document.appendRow();
        benchmark::DoNotOptimize(document.times().data());
    }
}
BENCHMARK(appendRows)->Unit(benchmark::kMicrosecond);

void removeMiddleRow(benchmark::State& state) {
    zav::CaptionDocument document = filledDocument(2);
    for (auto _ : state) {
        document.removeRow(kRows / 2);
        state.PauseTiming();
        document.appendRow();
        state.ResumeTiming();
    }
}
BENCHMARK(removeMiddleRow)->Unit(benchmark::kMicrosecond);

void storeAllTexts(benchmark::State& state) {
    zav::CaptionDocument document = filledDocument(1);
    const std::u16string typed = u"Typed again into every row of the panel";
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r) document.setText(0, r, typed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(storeAllTexts)->Unit(benchmark::kMicrosecond);

void stampAllRows(benchmark::State& state) {
    zav::CaptionDocument document = filledDocument(1);
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r) document.setStartTime(r, 12345.678 + r, cp1252);
    }
}
BENCHMARK(stampAllRows)->Unit(benchmark::kMicrosecond);

void formatTime(benchmark::State& state) {
    double ms = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::formatTimeText(ms));
        ms += 1234.5;
    }
}
BENCHMARK(formatTime);

void addAndRemoveLanguage(benchmark::State& state) {
    zav::CaptionDocument document = filledDocument(1);
    for (auto _ : state) {
        document.appendLanguage(zav::LanguageClass("Added", "Added", "ZAV-CC"));
        document.removeLanguage(1);
    }
}
BENCHMARK(addAndRemoveLanguage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
