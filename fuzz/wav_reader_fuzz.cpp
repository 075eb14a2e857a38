// The WAV reader on any bytes: it stays inside the data (the sanitizers watch),
// what it reads keeps its promises, and the sound goes safely through the speech
// detector and the waveform envelope at whatever rate and length the file claims.
#include "core/audio_envelope.h"
#include "core/speech_detector.h"
#include "core/wav_reader.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "wav_reader_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define CHECK(condition) checkAt(condition, __LINE__)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zav::WavReadResult read = zav::readWav(bytes);
    CHECK(read.sound.has_value() == read.error.empty());
    if (!read.sound) return 0;
    const zav::WavSound& sound = *read.sound;
    CHECK(sound.sampleRate >= 1 && sound.channels >= 1 && sound.bitsPerSample % 8 == 0);
    CHECK(sound.mono.size() * static_cast<std::size_t>(sound.channels) * static_cast<std::size_t>(sound.bitsPerSample / 8) <= size);
    for (const float sample : sound.mono) CHECK(std::isfinite(sample) && sample >= -1.0f && sample <= 1.0f);

    // The same bytes written again as the reader understood them read back the same.
    const zav::WavReadResult again = zav::readWav(zav::writeWav(sound.mono, 1, sound.sampleRate, 32, true));
    CHECK(again.sound && again.sound->mono == sound.mono);

    zav::SpeechDetector detector(sound.sampleRate);
    zav::AudioEnvelope envelope(sound.sampleRate);
    detector.append(sound.mono.data(), sound.mono.size(), 1);
    envelope.append(sound.mono.data(), sound.mono.size(), 1);
    detector.finish();
    envelope.finish();
    double previous = -1;
    for (const zav::SpeechStretch& stretch : detector.stretches()) {
        CHECK(stretch.onsetMs > previous && stretch.endMs > stretch.onsetMs);
        CHECK(stretch.confidence >= 0 && stretch.confidence <= 1);
        previous = stretch.endMs;
    }
    for (const zav::EnvelopeColumn& column : envelope.columns(-10, envelope.decodedMs() + 10, 64))
        CHECK(!column.hasSound || column.min <= column.max);
    return 0;
}
