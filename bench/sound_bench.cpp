// The film's sound: the waveform envelope of two hours of 44.1 kHz stereo (fed as a
// decoder would, then drawn a thousand columns wide at several zooms, with its
// memory), and the speech detector's speed in seconds of sound per CPU second.
// Before the benchmarks it prints how far stamps land from where synthetic lines
// begin, with and without snapping to the onsets found.
#include "core/audio_envelope.h"
#include "core/speech_detector.h"
#include "tests/native/synthetic_sound.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRate = 44100;
constexpr std::size_t kBlockFrames = 4096;
constexpr double kTwoHoursS = 7200;

// Ten seconds of a random walk, interleaved stereo, fed over and over.
const std::vector<std::int16_t>& stereoLoop() {
    static const std::vector<std::int16_t> samples = [] {
        zav::test::Dice dice(1);
        std::vector<std::int16_t> loop(static_cast<std::size_t>(kRate) * 10 * 2);
        double value = 0;
        for (std::int16_t& sample : loop) {
            value = std::clamp(value + dice.uniform(-900, 900), -32768.0, 32767.0);
            sample = static_cast<std::int16_t>(value);
        }
        return loop;
    }();
    return samples;
}

void feed(zav::AudioEnvelope& envelope, double seconds) {
    const std::vector<std::int16_t>& loop = stereoLoop();
    const std::size_t loopFrames = loop.size() / 2;
    const auto total = static_cast<std::size_t>(seconds * kRate);
    for (std::size_t at = 0; at < total;) {
        const std::size_t offset = at % loopFrames;
        const std::size_t frames = std::min({kBlockFrames, total - at, loopFrames - offset});
        envelope.append(loop.data() + 2 * offset, frames, 2);
        at += frames;
    }
    envelope.finish();
}

void EnvelopeFeedTwoHours(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        zav::AudioEnvelope envelope(kRate);
        if (state.range(0) != 0) envelope.reserve(kTwoHoursS * 1000);
        feed(envelope, kTwoHoursS);
        bytes = envelope.memoryBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["memory_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["sound_s_per_s"] = benchmark::Counter(kTwoHoursS * static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate);
}
// Argument 1: the length told beforehand (reserve), 0: not.
BENCHMARK(EnvelopeFeedTwoHours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// A thousand columns over a span (in seconds) in the middle of two hours.
void EnvelopeQuery(benchmark::State& state) {
    static const std::unique_ptr<zav::AudioEnvelope> envelope = [] {
        auto built = std::make_unique<zav::AudioEnvelope>(kRate);
        feed(*built, kTwoHoursS);
        return built;
    }();
    const double spanMs = static_cast<double>(state.range(0)) * 1000;
    const double fromMs = std::max(0.0, 3600e3 - spanMs / 2);
    for (auto _ : state) {
        const std::vector<zav::EnvelopeColumn> columns = envelope->columns(fromMs, fromMs + spanMs, 1000);
        benchmark::DoNotOptimize(columns.data());
    }
}
BENCHMARK(EnvelopeQuery)->Arg(1)->Arg(10)->Arg(60)->Arg(600)->Arg(7200)->Unit(benchmark::kMicrosecond);

void SpeechDetector(benchmark::State& state) {
    const auto background = static_cast<zav::test::Background>(state.range(0));
    static const zav::test::SyntheticSound sounds[] = {
        zav::test::syntheticSpeech(kRate, 20, zav::test::Background::quiet, 3),
        zav::test::syntheticSpeech(kRate, 20, zav::test::Background::noise, 3),
        zav::test::syntheticSpeech(kRate, 20, zav::test::Background::music, 3)};
    const zav::test::SyntheticSound& sound = sounds[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(zav::test::detect(sound).size());
    const double seconds = static_cast<double>(sound.samples.size()) / kRate;
    state.counters["sound_s_per_cpu_s"] = benchmark::Counter(seconds * static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    state.SetLabel(background == zav::test::Background::quiet ? "quiet"
                   : background == zav::test::Background::noise ? "steady noise" : "music bed");
}
BENCHMARK(SpeechDetector)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void printStampErrors() {
    const char* names[] = {"quiet", "steady noise", "music bed"};
    std::printf("Stamps: 10 presses per line within 300 ms of a second after its onset, stamp = press - 1 s;\n"
                "snapped to the nearest onset found within 500 ms. Errors in ms from the line's onset.\n");
    for (int b = 0; b < 3; ++b) {
        const zav::test::SyntheticSound sound =
            zav::test::syntheticSpeech(kRate, 100, static_cast<zav::test::Background>(b), 7);
        const std::vector<zav::SpeechStretch> found = zav::test::detect(sound);
        const zav::test::StampErrors errors = zav::test::measureStamps(sound, found, 10, 11);
        const auto within = [](const std::vector<double>& values) {
            return 100.0 * static_cast<double>(std::count_if(values.begin(), values.end(), [](double v) { return v <= 40; })) /
                   static_cast<double>(values.size());
        };
        std::printf("%-12s %3zu lines, %3zu stretches found\n", names[b], sound.lines.size(), found.size());
        for (const bool snapped : {false, true}) {
            const std::vector<double>& values = snapped ? errors.snapped : errors.unsnapped;
            std::printf("  %-9s median %5.1f  90th %5.1f  max %5.1f  within 40 ms %5.1f%%", snapped ? "snapped" : "unsnapped",
                        zav::test::percentile(values, 0.5), zav::test::percentile(values, 0.9),
                        zav::test::percentile(values, 1.0), within(values));
            if (snapped) std::printf("  onto another line %d", errors.otherLine);
            std::printf("\n");
        }
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    printStampErrors();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
