// The text script split on a large script: ordinary prose with line breaks, and a
// file that is one long word (as a pasted block of encoded data would be).
#include "core/text_script.h"
#include "core/transcript_text.h"
#include "tests/native/iconv_code_page.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

const zav::test::IconvCodePage cp1252;

// About `bytes` of text in lines of words, with CR LF line ends and blank lines
// between paragraphs, as read in text mode.
std::string scriptOf(std::size_t bytes) {
    static const char* const words[] = {"the", "caption", "editor", "shows", "a", "movie", "while", "its",
                                        "speakers", "talk,", "and", "everyone", "reads", "along.", "Then", "quietly"};
    std::mt19937 random(7);
    std::string file;
    int inLine = 0;
    while (file.size() < bytes) {
        file += words[random() % 16];
        if (++inLine == 12) {
            file += random() % 5 == 0 ? "\r\n\r\n" : "\r\n";
            inLine = 0;
        } else {
            file += ' ';
        }
    }
    return zav::textModeRead(file);
}

void splitLargeScript(benchmark::State& state) {
    const std::string text = scriptOf(4 << 20);
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto captions = zav::scriptCaptions(text, n, cp1252);
        benchmark::DoNotOptimize(captions.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(splitLargeScript)->Arg(25)->Arg(80)->Arg(200)->Unit(benchmark::kMillisecond);

void splitOneLongWord(benchmark::State& state) {
    const std::string text(4 << 20, 'x');
    for (auto _ : state) {
        auto pieces = zav::splitScriptText(text, 25);
        benchmark::DoNotOptimize(pieces.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(splitOneLongWord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
