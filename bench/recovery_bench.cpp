// A recovery copy of 3,000 rows in two languages: made into bytes (what the worker
// thread does before it writes) and read back (what a start-up after a crash does).
#include "bench/latin1_code_page.h"
#include "core/recovery_copy.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRows = 3000;

zav::RecoveryCopy longCopy() {
    static const std::u16string texts[] = {u"An ordinary caption of one line", u"<i>Two lines</i><br>of speech",
                                           u"", u"Caract\u00e8res \u00e9\u00e8 &amp; gras", u"Tab\there"};
    zav::CaptionDocument document;
    document.appendLanguage(zav::LanguageClass("EnCC", "English", "en"));
    document.appendLanguage(zav::LanguageClass("FrCC", "French", "fr"));
    for (int row = 0; row < kRows; ++row) {
        document.appendRow(zav::TimeEntry{row % 4 ? 1000.0 + row * 1700.25 : zav::kNoTime, u"", 0}, {});
        document.setText(0, row, texts[row % 5]);
        document.setText(1, row, texts[(row + 2) % 5]);
    }
    zav::RecoveryCopy copy;
    copy.document = zav::captureState(document, nullptr, nullptr);
    copy.mediaPath = u"C:\\Films\\programme.wmv";
    return copy;
}

void makeCopyBytes(benchmark::State& state) {
    const zav::RecoveryCopy copy = longCopy();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string made = zav::recoveryCopyBytes(copy);
        bytes = made.size();
        benchmark::DoNotOptimize(made.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(makeCopyBytes)->Unit(benchmark::kMillisecond);

// What the window's thread does on a tick after a change: the document as a state,
// sharing what equals the state taken before.
void takeContent(benchmark::State& state) {
    const zav::RecoveryCopy copy = longCopy();
    const zav::bench::Latin1 codePage;
    zav::CaptionDocument document = zav::documentOf(copy.document, codePage);
    const zav::DocumentState previous = zav::captureState(document, nullptr, nullptr);
    document.setText(0, 1500, u"one caption typed");
    for (auto _ : state) benchmark::DoNotOptimize(zav::captureState(document, nullptr, &previous).rowCount());
}
BENCHMARK(takeContent)->Unit(benchmark::kMillisecond);

void readCopyBack(benchmark::State& state) {
    const std::string bytes = zav::recoveryCopyBytes(longCopy());
    for (auto _ : state) benchmark::DoNotOptimize(zav::readRecoveryCopy(bytes).copy.has_value());
}
BENCHMARK(readCopyBack)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
