#pragma once
// Where speech (or any sound in the foreground: a line spoken over music, a shout
// over traffic) starts and ends in a film's sound, found while the sound is being
// decoded, for snapping caption times to the words.
//
// How it hears: every 5 ms a frame of about 11 ms (the largest power of two of
// samples within 16 ms, 4096 at most) goes through an FFT into four band energies:
// the speech band 300-3400 Hz and three bands for the start of words, 300-1000,
// 1000-3400 and 3400-8000 Hz (where a consonant's hiss is). Each band's floor is
// the level its smoothed energy stayed above for 80% of the last 3 s, so steady
// noise and a music bed, dips between chords included, become the background the
// foreground is measured against.
//  - A stretch starts when the speech band, smoothed over 30 ms, rises 10 dB over its
//    floor (and above -70 dBFS), goes on while it stays 6 dB over, and ends after
//    300 ms below that (pauses inside a line are bridged); stretches shorter than
//    100 ms are clicks and dropped.
//  - Its onset is then refined on the 5 ms frames (each onset band smoothed over
//    three): walking back from where the rise was detected (up to 300 ms, never into
//    the previous stretch) over every frame in which one of the three onset bands
//    stands 8 dB over what it held before (its mean excess over the floor 200-300 ms
//    back: a music note already sounding is no onset) and within 40 dB of its own
//    peak near the onset, across gaps of up to 50 ms (the closure of a stop
//    consonant). The onset is the centre of the earliest such frame.
//  - Confidence grows with how far the stretch stood over the floor: its mean
//    speech-band excess over 6 dB, over 20 dB, clamped to 0..1.
// The detector keeps about 3 s of state whatever the length of the sound; its work
// is a 512-point FFT per 5 ms at 44.1 kHz, some 700 times faster than real time on
// one core. It copes with steady noise up to some 10 dB below the speech and a
// music bed 8 dB below it; louder beds run lines together or hide them.
//
// Threads: feed it from one thread (append, finish); stretches() may be called from
// another at any time and copies what has been found so far under a mutex.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zav {

struct SpeechStretch {
    double onsetMs = 0;
    double endMs = 0;
    double confidence = 0;  // 0..1
};

class SpeechDetector {
public:
    explicit SpeechDetector(int sampleRate);
    ~SpeechDetector();
    SpeechDetector(const SpeechDetector&) = delete;
    SpeechDetector& operator=(const SpeechDetector&) = delete;

    // Frames of interleaved samples, mixed to mono by the channels' mean (16-bit
    // integers scaled to -1..1). A block with no channel is ignored, as is anything
    // after finish().
    void append(const std::int16_t* samples, std::size_t frames, int channels);
    void append(const float* samples, std::size_t frames, int channels);
    // The end of the sound: a stretch still open ends where its sound did.
    void finish();

    // The stretches found so far, in time order; a stretch appears once it has ended
    // (300 ms after its last sound, or at finish()).
    std::vector<SpeechStretch> stretches() const;
    // How far the sound has been analysed, in ms.
    double analysedMs() const;

private:
    struct State;
    void appendMono(const float* mono, std::size_t count);

    std::unique_ptr<State> state_;
    mutable std::mutex mutex_;
    std::vector<SpeechStretch> found_;
    double analysedMs_ = 0;
};

// The onsets of the stretches, in order.
std::vector<double> onsetsOf(const std::vector<SpeechStretch>& stretches);

// The onset nearest to targetMs that lies within windowMs of it (the earlier of two
// equally near), or nothing when none does. onsetsMs must be sorted; the search
// takes logarithmic time.
std::optional<double> nearestOnset(const std::vector<double>& onsetsMs, double targetMs, double windowMs = 500);

}  // namespace zav
