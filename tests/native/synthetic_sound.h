#pragma once
// Speech-like sound made in code, for the detector's tests, its benchmark and the
// command-line fixtures: lines of syllables, each a harmonic series on a gliding
// pitch shaped by three formants and a syllable's swell, most led by a short hiss
// (a consonant); lines apart by pauses, over silence, steady noise or a music bed
// of sustained chords and slow melody notes. Where each line's first sound starts
// is known to the sample. Also the measure of stamps snapped to the onsets found.

#include "core/speech_detector.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace zav::test {

enum class Background { quiet, noise, music };

struct SyntheticLine {
    double onsetMs = 0;
    double endMs = 0;
};

struct SyntheticSound {
    int rate = 0;
    std::vector<float> samples;  // mono
    std::vector<SyntheticLine> lines;
};

// Uniform numbers from a seed, the same on every machine.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    double uniform(double low, double high) { return low + (high - low) * ((engine_() >> 8) / 16777216.0); }
    double noise() { return uniform(-1, 1); }

private:
    std::mt19937 engine_;
};

constexpr double kTau = 6.283185307179586;

inline double formantGain(double hz, const double (&formants)[3]) {
    double gain = 0.05;
    for (const double f : formants) gain += 1 / (1 + std::pow((hz - f) / (0.08 * f + 60), 2));
    return gain * std::sqrt(200 / std::max(hz, 100.0));
}

// A syllable at `at` (in samples): a hiss of `hissMs` first when given, then a voiced
// vowel of vowelMs. Returns the sample where it ends.
inline std::size_t addSyllable(std::vector<float>& out, int rate, std::size_t at, double hissMs, double vowelMs,
                               Dice& dice) {
    const std::size_t hiss = static_cast<std::size_t>(hissMs * rate / 1000);
    double previous = 0;
    for (std::size_t i = 0; i < hiss && at + i < out.size(); ++i) {
        const double n = dice.noise();
        const double rise = std::min(1.0, static_cast<double>(i) / (0.003 * rate));
        out[at + i] += static_cast<float>(0.12 * rise * (n - previous));  // differenced: a bright hiss
        previous = n;
    }
    at += hiss;
    const double formants[3] = {dice.uniform(300, 800), dice.uniform(900, 2200), dice.uniform(2400, 3000)};
    const double pitchStart = dice.uniform(100, 220);
    const double pitchEnd = pitchStart * dice.uniform(0.8, 1.2);
    const std::size_t length = static_cast<std::size_t>(vowelMs * rate / 1000);
    double phase = 0;
    for (std::size_t i = 0; i < length && at + i < out.size(); ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(length);
        const double pitch = pitchStart + (pitchEnd - pitchStart) * x;
        phase += kTau * pitch / rate;
        const double swell = std::min(1.0, static_cast<double>(i) / (0.015 * rate)) * std::sin(3.14159 * x * 0.9 + 0.3);
        double value = 0;
        for (int h = 1; pitch * h < std::min(4500.0, rate / 2.0); ++h)
            value += formantGain(pitch * h, formants) * std::sin(phase * h);
        out[at + i] += static_cast<float>(0.08 * swell * value);
    }
    return at + length;
}

// A bed of chords that change every 2-3 s and melody notes every 0.4-0.9 s, at `level`;
// every note swells in and fades out, as a bed without clicks would.
inline void addMusic(std::vector<float>& out, int rate, double level, Dice& dice) {
    static const double chords[4][3] = {{130.8, 164.8, 196.0}, {174.6, 220.0, 261.6}, {196.0, 246.9, 293.7},
                                        {220.0, 261.6, 329.6}};
    const std::size_t total = out.size();
    for (std::size_t start = 0; start < total;) {
        const std::size_t length = static_cast<std::size_t>(dice.uniform(2, 3) * rate);
        const double* chord = chords[static_cast<int>(dice.uniform(0, 3.999))];
        for (std::size_t i = 0; i < length && start + i < total; ++i) {
            const double t = static_cast<double>(i) / rate;
            const double swell = std::min(1.0, t / 0.08) * std::min(1.0, static_cast<double>(length - i) / (0.08 * rate));
            double value = 0;
            for (int n = 0; n < 3; ++n)
                for (int h = 1; h <= 6; ++h) value += std::sin(kTau * chord[n] * h * t) / h;
            out[start + i] += static_cast<float>(level * 0.25 * swell * value);
        }
        start += length;
    }
    for (std::size_t start = 0; start < total;) {
        const double pitch = 261.6 * std::pow(2.0, static_cast<int>(dice.uniform(0, 14.999)) / 12.0);
        const std::size_t length = static_cast<std::size_t>(dice.uniform(0.4, 0.9) * rate);
        for (std::size_t i = 0; i < length && start + i < total; ++i) {
            const double t = static_cast<double>(i) / rate;
            const double release = std::min(1.0, static_cast<double>(length - i) / (0.03 * rate));
            const double swell = std::min(1.0, t / 0.015) * std::exp(-t / 0.6) * release;
            double value = 0;
            for (int h = 1; h <= 5; ++h) value += std::sin(kTau * pitch * h * t) / (h * h);
            out[start + i] += static_cast<float>(level * 0.5 * swell * value);
        }
        start += length;
    }
}

// `lines` lines of 2-5 syllables, 0.8-2 s apart, after 1 s of background.
inline SyntheticSound syntheticSpeech(int rate, int lines, Background background, std::uint32_t seed) {
    Dice dice(seed);
    SyntheticSound sound;
    sound.rate = rate;
    std::vector<std::pair<std::size_t, std::vector<double>>> plan;  // start and syllable lengths
    double atMs = 1000;
    for (int line = 0; line < lines; ++line) {
        SyntheticLine placed{atMs, atMs};
        const int syllables = 2 + static_cast<int>(dice.uniform(0, 3.999));
        for (int s = 0; s < syllables; ++s) {
            if (s > 0) placed.endMs += dice.uniform(0, 120);
            const double hissMs = s == 0 || dice.uniform(0, 1) < 0.5 ? dice.uniform(25, 60) : 0;
            const double vowelMs = dice.uniform(120, 260);
            plan.push_back({static_cast<std::size_t>(placed.endMs * rate / 1000), {hissMs, vowelMs}});
            placed.endMs += hissMs + vowelMs;
        }
        sound.lines.push_back(placed);
        atMs = placed.endMs + dice.uniform(800, 2000);
    }
    sound.samples.assign(static_cast<std::size_t>((atMs + 500) * rate / 1000), 0.0f);
    for (const auto& [start, lengths] : plan) addSyllable(sound.samples, rate, start, lengths[0], lengths[1], dice);
    if (background == Background::noise) {
        double low = 0;
        for (float& sample : sound.samples) {
            low += 0.3 * (dice.noise() - low);
            sample += static_cast<float>(0.03 * low + 0.01 * dice.noise());
        }
    } else if (background == Background::music) {
        addMusic(sound.samples, rate, 0.05, dice);
    }
    for (float& sample : sound.samples) sample = std::clamp(sample, -1.0f, 1.0f);
    return sound;
}

inline std::vector<SpeechStretch> detect(const SyntheticSound& sound, std::size_t block = 4096) {
    SpeechDetector detector(sound.rate);
    for (std::size_t at = 0; at < sound.samples.size(); at += block)
        detector.append(sound.samples.data() + at, std::min(block, sound.samples.size() - at), 1);
    detector.finish();
    return detector.stretches();
}

// Stamps as a user makes them: a key pressed within 300 ms either side of a second
// after a line starts, the stamp a second before the press; snapped, the onset
// nearest the stamp within 500 ms replaces it. Errors in ms from the line's onset.
struct StampErrors {
    std::vector<double> unsnapped;
    std::vector<double> snapped;
    int otherLine = 0;  // snapped stamps nearer another line's onset than their own
};

inline StampErrors measureStamps(const SyntheticSound& sound, const std::vector<SpeechStretch>& found,
                                 int pressesPerLine, std::uint32_t seed) {
    Dice dice(seed);
    const std::vector<double> onsets = onsetsOf(found);
    StampErrors errors;
    for (std::size_t line = 0; line < sound.lines.size(); ++line) {
        const double onset = sound.lines[line].onsetMs;
        for (int p = 0; p < pressesPerLine; ++p) {
            const double stamp = onset + 1000 + dice.uniform(-300, 300) - 1000;
            const double snapped = nearestOnset(onsets, stamp).value_or(stamp);
            errors.unsnapped.push_back(std::abs(stamp - onset));
            errors.snapped.push_back(std::abs(snapped - onset));
            for (std::size_t other = 0; other < sound.lines.size(); ++other) {
                if (other != line && std::abs(snapped - sound.lines[other].onsetMs) < std::abs(snapped - onset)) {
                    ++errors.otherLine;
                    break;
                }
            }
        }
    }
    return errors;
}

// The value below which the given share of the values lie (nearest rank).
inline double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

}  // namespace zav::test
