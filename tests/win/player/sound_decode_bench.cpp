// Decodes the sound of the file named on the command line with the system decoder,
// as the program does for its timeline, and prints how long that took and what came
// out. `make bench` runs it under Wine on a two-hour movie beside ffmpeg.
#include "playback/movie_sound.h"
#include "playback/sound_decoder.h"

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

double nowSeconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Counter final : zav::SoundReceiver {
    void soundFormat(int rate, int channelCount, double length) override {
        sampleRate = rate;
        channels = channelCount;
        durationMs = length;
    }
    void soundBlock(const std::int16_t*, std::size_t count) override {
        frames += count;
        ++blocks;
    }

    int sampleRate = 0;
    int channels = 0;
    double durationMs = 0;
    unsigned long long frames = 0;
    unsigned long long blocks = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sound_decode_bench <media file>\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
    Counter sound;
    const std::atomic<bool> cancel{false};
    const double start = nowSeconds();
    const HRESULT hr = zav::makeSystemSoundDecoder()->decode(argv[1], sound, cancel);
    const double taken = nowSeconds() - start;
    const double decoded = sound.sampleRate ? static_cast<double>(sound.frames) / sound.sampleRate : 0.0;
    std::printf("decoded %.1f s of sound (%d Hz, %d channels, %llu samples in %llu blocks; file says %.1f s) in %.2f s, "
                "result %#lx\n",
                decoded, sound.sampleRate, sound.channels, sound.frames * sound.channels, sound.blocks,
                sound.durationMs / 1000, taken, static_cast<unsigned long>(hr));
    // The program's own path: the film's sound read on the worker into the envelope
    // and the speech detector while this thread, standing for the window, asks for a
    // thousand columns of the newest 30 s and the speech found, as the timeline does
    // every 40 ms; the longest of those calls is how long the window ever waited.
    zav::MovieSound movie;
    const double programStart = nowSeconds();
    movie.load(argv[1]);
    double longestWaitMs = 0;
    while (movie.state() == zav::MovieSound::State::Decoding) {
        const double asked = nowSeconds();
        if (const auto envelope = movie.envelope()) {
            const double end = envelope->decodedMs();
            envelope->columns(std::max(0.0, end - 30000), end, 1000);
        }
        movie.speech();
        longestWaitMs = std::max(longestWaitMs, (nowSeconds() - asked) * 1000);
        Sleep(40);
    }
    const auto envelope = movie.envelope();
    std::printf("with the envelope and the speech detector: %.2f s; %zu stretches of speech; envelope %.2f MB; "
                "the window thread's longest wait on the sound %.3f ms\n",
                nowSeconds() - programStart, movie.speech().size(), envelope ? envelope->memoryBytes() / 1e6 : 0.0,
                longestWaitMs);
    CoUninitialize();
    return FAILED(hr) ? 1 : 0;
}
