#include "core/wav_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using zav::readWav;
using zav::writeWav;

std::vector<float> ramp(std::size_t count) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) samples[i] = static_cast<float>(std::sin(0.37 * static_cast<double>(i)) * 0.9);
    return samples;
}

void setLittle32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Every format written reads back as the channels' mean, within the format's step.
TEST(WavReader, FormatsRoundTrip) {
    struct Case {
        int bits;
        bool isFloat;
        bool extensible;
        int channels;
    };
    const Case cases[] = {{8, false, false, 1},  {16, false, false, 2}, {24, false, false, 1}, {32, false, false, 3},
                          {32, true, false, 2},  {64, true, false, 1},  {24, false, true, 2},  {32, true, true, 6},
                          {16, false, true, 1}};
    for (const Case& c : cases) {
        const std::vector<float> samples = ramp(static_cast<std::size_t>(c.channels) * 101);
        const zav::WavReadResult read = readWav(writeWav(samples, c.channels, 22050, c.bits, c.isFloat, c.extensible));
        ASSERT_TRUE(read.sound) << c.bits << ": " << read.error;
        const zav::WavSound& sound = *read.sound;
        EXPECT_EQ(sound.sampleRate, 22050);
        EXPECT_EQ(sound.channels, c.channels);
        EXPECT_EQ(sound.bitsPerSample, c.bits);
        EXPECT_EQ(sound.isFloat, c.isFloat);
        EXPECT_EQ(sound.missingBytes, 0u);
        ASSERT_EQ(sound.mono.size(), 101u);
        const double step = std::max(c.isFloat ? 0.0 : std::ldexp(1.0, 1 - c.bits), 1e-7);  // mono is float
        for (std::size_t frame = 0; frame < 101; ++frame) {
            double mean = 0;
            for (int ch = 0; ch < c.channels; ++ch) mean += samples[frame * static_cast<std::size_t>(c.channels) + static_cast<std::size_t>(ch)];
            EXPECT_NEAR(sound.mono[frame], mean / c.channels, step) << c.bits << " frame " << frame;
        }
    }
}

// Files others write: extra chunks of odd size, a data chunk longer than the file
// (a cut recording) or of a size never filled in.
TEST(WavReader, ToleratesChunksAndCutData) {
    const std::string plain = writeWav(ramp(200), 2, 8000, 16, false);  // fmt at 12, data at 36
    std::string listed = plain.substr(0, 36) + std::string("LIST\x03\0\0\0abc\0", 12) + plain.substr(36);
    std::string cut = plain.substr(0, plain.size() - 5);
    std::string streamed = plain;
    setLittle32(streamed, 40, 0xFFFFFFFF);
    setLittle32(streamed, 4, 0xFFFFFFFF);
    const struct {
        const char* name;
        std::string bytes;
        std::size_t frames;
        std::size_t missing;
    } cases[] = {{"odd-sized chunk before data", listed, 100, 0},
                 {"data cut short", cut, 98, 5 + 3},
                 {"sizes never written", streamed, 100, 0xFFFFFFFFu - 400}};
    for (const auto& c : cases) {
        const zav::WavReadResult read = readWav(c.bytes);
        ASSERT_TRUE(read.sound) << c.name << ": " << read.error;
        EXPECT_EQ(read.sound->mono.size(), c.frames) << c.name;
        EXPECT_EQ(read.sound->missingBytes, c.missing) << c.name;
    }
}

TEST(WavReader, RefusesWhatItCannotRead) {
    const std::string good = writeWav(ramp(10), 1, 8000, 16, false);
    const auto with = [&](std::size_t at, const std::string& bytes) {
        std::string changed = good;
        changed.replace(at, bytes.size(), bytes);
        return changed;
    };
    const struct {
        std::string bytes;
        const char* error;
    } cases[] = {
        {"", "not a RIFF WAVE file"},
        {good.substr(0, 11), "not a RIFF WAVE file"},
        {with(8, "AVI "), "not a RIFF WAVE file"},
        {with(0, "RIFX"), "not a RIFF WAVE file"},
        {good.substr(0, 12), "no format chunk"},
        {good.substr(0, 30), "no format chunk"},  // the format chunk cut
        {with(12, "junk"), "no format chunk"},
        {good.substr(0, 36), "no data chunk"},
        {with(20, std::string("\x02\0", 2)), "unsupported format 2 with 16 bits per sample"},
        {with(34, std::string("\x0C\0", 2)), "unsupported format 1 with 12 bits per sample"},
        {with(22, std::string("\0\0", 2)), "no channel or no sample rate"},
        {with(24, std::string("\0\0\0\0", 4)), "no channel or no sample rate"},
        {with(16, std::string("\x0E\0\0\0", 4)), "format chunk too short"},
        {with(20, std::string("\xFE\xFF", 2)), "unsupported extensible format"},
    };
    for (const auto& c : cases) {
        const zav::WavReadResult read = readWav(c.bytes);
        EXPECT_FALSE(read.sound) << c.error;
        EXPECT_EQ(read.error, c.error);
    }
}

// Any prefix of a file is safe to read: either refused or the whole frames it holds.
TEST(WavReader, EveryPrefixReadsSafely) {
    const std::string whole = writeWav(ramp(90), 3, 8000, 24, false, true);  // 30 frames of 9 bytes
    const std::size_t dataAt = whole.size() - 30 * 9;
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const zav::WavReadResult read = readWav(std::string_view(whole).substr(0, length));
        ASSERT_EQ(static_cast<bool>(read.sound), length >= dataAt) << length;
        if (read.sound) EXPECT_EQ(read.sound->mono.size(), (length - dataAt) / 9) << length;
    }
}

}  // namespace
