#include "core/speech_detector.h"
#include "tests/native/synthetic_sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using zav::nearestOnset;
using zav::SpeechDetector;
using zav::SpeechStretch;
using zav::test::Background;

TEST(NearestOnset, PicksTheNearestWithinTheWindow) {
    const std::vector<double> onsets = {1000, 2000, 2600};
    const struct {
        std::vector<double> onsets;
        double target, window;
        std::optional<double> expected;
    } cases[] = {
        {{}, 1000, 500, std::nullopt},
        {onsets, 1000, 500, 1000},
        {onsets, 1400, 500, 1000},
        {onsets, 1500, 500, 1000},  // equally near: the earlier
        {onsets, 1501, 500, 2000},
        {onsets, 2301, 500, 2600},
        {onsets, 499.5, 500, std::nullopt},
        {onsets, 500, 500, 1000},  // the window's edge counts
        {onsets, 3100, 500, 2600},
        {onsets, 3100.5, 500, std::nullopt},
        {onsets, 1700, 200, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(nearestOnset(c.onsets, c.target, c.window), c.expected) << c.target;
}

// Stamps a second late by ±300 ms, snapped to the onsets found in synthetic lines:
// nine in ten land within 40 ms of where the words begin and none on another line.
TEST(SpeechDetector, SnappedStampsLandOnTheWords) {
    const struct {
        Background background;
        int rate;
    } cases[] = {{Background::quiet, 16000}, {Background::noise, 22050}, {Background::music, 16000}, {Background::music, 44100}};
    for (const auto& c : cases) {
        const zav::test::SyntheticSound sound = zav::test::syntheticSpeech(c.rate, 20, c.background, 21);
        const std::vector<SpeechStretch> found = zav::test::detect(sound);
        const zav::test::StampErrors errors = zav::test::measureStamps(sound, found, 5, 4);
        const int label = static_cast<int>(c.background) * 100000 + c.rate;
        EXPECT_LE(zav::test::percentile(errors.snapped, 0.9), 40) << label;
        EXPECT_GT(zav::test::percentile(errors.unsnapped, 0.5), 100) << label;
        EXPECT_EQ(errors.otherLine, 0) << label;
        EXPECT_LE(found.size(), sound.lines.size() + 2) << label;  // hardly any stretch in the pauses
        for (const SpeechStretch& stretch : found) {
            EXPECT_GE(stretch.confidence, 0.0);
            EXPECT_LE(stretch.confidence, 1.0);
            EXPECT_GT(stretch.endMs, stretch.onsetMs);
        }
    }
}

// Nothing in the foreground: no stretch. A tone burst: one stretch, from its start
// to its end.
TEST(SpeechDetector, HearsOnlyTheForeground) {
    const int rate = 8000;
    zav::test::Dice dice(3);
    std::vector<float> silence(rate * 4, 0.0f), noise(rate * 4), burst(rate * 4, 0.0f);
    for (float& sample : noise) sample = static_cast<float>(0.2 * dice.noise());
    for (int i = rate; i < rate * 5 / 2; ++i)
        burst[static_cast<std::size_t>(i)] = static_cast<float>(0.3 * std::sin(2 * 3.14159265 * 1000 * i / rate));
    const struct {
        const char* name;
        const std::vector<float>& samples;
        std::vector<SpeechStretch> expected;
    } cases[] = {{"silence", silence, {}}, {"steady noise", noise, {}}, {"tone burst", burst, {{1000, 2500, 1}}}};
    for (const auto& c : cases) {
        SpeechDetector detector(rate);
        detector.append(c.samples.data(), c.samples.size(), 1);
        detector.finish();
        const std::vector<SpeechStretch> found = detector.stretches();
        ASSERT_EQ(found.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i].onsetMs, c.expected[i].onsetMs, 20) << c.name;
            EXPECT_NEAR(found[i].endMs, c.expected[i].endMs, 40) << c.name;
            EXPECT_NEAR(found[i].confidence, c.expected[i].confidence, 0.01) << c.name;
        }
    }
}

// Blocks of any size give the stretches of one block; 16-bit stereo gives those of
// its float mix within a frame; stretches appear while the sound goes on.
TEST(SpeechDetector, BlocksGiveTheStretchesOfOneBlock) {
    const zav::test::SyntheticSound sound = zav::test::syntheticSpeech(16000, 8, Background::noise, 5);
    const std::vector<SpeechStretch> whole = zav::test::detect(sound, sound.samples.size());
    std::vector<std::int16_t> stereo;
    for (const float sample : sound.samples) {
        const auto value = static_cast<std::int16_t>(std::lround(sample * 32767));
        stereo.insert(stereo.end(), {value, value});
    }
    std::mt19937 random(17);
    SpeechDetector floats(16000), integers(16000);
    for (std::size_t at = 0; at < sound.samples.size();) {
        const std::size_t frames = std::min<std::size_t>(random() % 5000, sound.samples.size() - at);
        floats.append(sound.samples.data() + at, frames, 1);
        integers.append(stereo.data() + 2 * at, frames, 2);
        at += frames;
    }
    EXPECT_GE(floats.stretches().size(), sound.lines.size() - 1);
    EXPECT_NEAR(floats.analysedMs(), sound.samples.size() / 16.0, 20);
    floats.finish();
    integers.finish();
    const std::vector<SpeechStretch> pieces = floats.stretches(), mixed = integers.stretches();
    ASSERT_EQ(pieces.size(), whole.size());
    ASSERT_EQ(mixed.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(pieces[i].onsetMs, whole[i].onsetMs);
        EXPECT_EQ(pieces[i].endMs, whole[i].endMs);
        EXPECT_EQ(pieces[i].confidence, whole[i].confidence);
        EXPECT_NEAR(mixed[i].onsetMs, whole[i].onsetMs, 5.1);
        EXPECT_NEAR(mixed[i].endMs, whole[i].endMs, 5.1);
    }
}

}  // namespace
