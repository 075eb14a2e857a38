// Decodes the sound of the file named on the command line with the system decoder,
// as the program does for its timeline, and prints how long that took and what came
// out. `make bench` runs it under Wine on a two-hour movie beside ffmpeg.
#include "playback/sound_decoder.h"

#include <objbase.h>

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
    CoUninitialize();
    return FAILED(hr) ? 1 : 0;
}
