#include "core/audio_envelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <thread>

namespace {

using zav::AudioEnvelope;
using zav::EnvelopeColumn;

std::unique_ptr<AudioEnvelope> envelopeOf(const std::vector<std::int16_t>& mono, int rate) {
    auto envelope = std::make_unique<AudioEnvelope>(rate);
    envelope->append(mono.data(), mono.size(), 1);
    envelope->finish();
    return envelope;
}

std::vector<std::int16_t> randomWalk(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::int16_t> samples(count);
    int value = 0;
    for (std::int16_t& sample : samples) {
        value = std::clamp(value + static_cast<int>(random() % 2001) - 1000, -32768, 32767);
        sample = static_cast<std::int16_t>(value);
    }
    return samples;
}

struct HandCase {
    const char* name;
    int rate;
    std::vector<std::int16_t> samples;
    double fromMs, toMs;
    std::vector<EnvelopeColumn> expected;
};

std::vector<std::int16_t> burst() {
    // 480 ms at 8 kHz: silence, a 100 Hz sine of 10000 from 160 to 320 ms, silence.
    std::vector<std::int16_t> samples(3840, 0);
    for (int i = 1280; i < 2560; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(10000 * std::sin(3.141592653589793 * i / 40)));
    return samples;
}

TEST(AudioEnvelope, MatchesHandComputedColumns) {
    std::vector<std::int16_t> step(100, 0);
    std::fill(step.begin() + 50, step.end(), 1000);
    const HandCase cases[] = {
        {"silence", 1000, std::vector<std::int16_t>(100, 0), 0, 100, std::vector<EnvelopeColumn>(5, {0, 0, true})},
        // 25 ms columns over 10 ms buckets: each covers the buckets it overlaps.
        {"step", 1000, step, 0, 100, {{0, 0, true}, {0, 0, true}, {1000, 1000, true}, {1000, 1000, true}}},
        {"step, finer than a bucket", 1000, step, 45, 55, {{0, 0, true}, {0, 0, true}, {1000, 1000, true}, {1000, 1000, true}}},
        {"sine burst, one bucket of level 2 per column", 8000, burst(), 0, 480,
         {{0, 0, true}, {-10000, 10000, true}, {0, 0, true}}},
        // 50 ms columns read 40 ms buckets: [0, 40) and [40, 80) for the second.
        {"past the end and before the start", 1000, step, -50, 150,
         {{0, 0, false}, {0, 1000, true}, {0, 1000, true}, {0, 0, false}}},
    };
    for (const HandCase& c : cases) {
        const std::vector<EnvelopeColumn> columns =
            envelopeOf(c.samples, c.rate)->columns(c.fromMs, c.toMs, static_cast<int>(c.expected.size()));
        ASSERT_EQ(columns.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            EXPECT_EQ(columns[i].hasSound, c.expected[i].hasSound) << c.name << " column " << i;
            if (!c.expected[i].hasSound) continue;
            EXPECT_EQ(columns[i].min, c.expected[i].min) << c.name << " column " << i;
            EXPECT_EQ(columns[i].max, c.expected[i].max) << c.name << " column " << i;
        }
    }
}

TEST(AudioEnvelope, MixesChannelsAndFloats) {
    AudioEnvelope integers(100);  // one sample per bucket
    const std::int16_t stereo[] = {100, -301, 32767, 32767, -32768, -32768};
    integers.append(stereo, 3, 2);
    integers.finish();
    AudioEnvelope floats(100);
    const float three[] = {0.5f, 0.5f, 0.5f, -2.0f, -2.0f, -2.0f, NAN, 0.0f, 0.0f};
    floats.append(three, 3, 3);
    floats.finish();
    const std::pair<AudioEnvelope*, std::vector<int>> cases[] = {{&integers, {-100, 32767, -32768}},
                                                                 {&floats, {16384, -32768, 0}}};
    for (const auto& [envelope, expected] : cases) {
        const std::vector<EnvelopeColumn> columns = envelope->columns(0, 30, 3);
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(columns[i].max, expected[i]) << i;
    }
    EXPECT_TRUE(integers.columns(0, 10, 0).empty());
    EXPECT_TRUE(integers.columns(10, 10, 5).empty());
    EXPECT_TRUE(integers.columns(0, INFINITY, 5).empty());
}

// Fed in blocks of any size, as ints or as floats, the envelope is the one of a
// single block; before finish() it reaches the last full bucket.
TEST(AudioEnvelope, BlocksGiveTheEnvelopeOfOneBlock) {
    const std::vector<std::int16_t> samples = randomWalk(2 * 50021, 3);
    std::vector<std::int16_t> mono(samples.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = static_cast<std::int16_t>((samples[2 * i] + samples[2 * i + 1]) / 2);
    const std::unique_ptr<AudioEnvelope> whole = envelopeOf(mono, 8000);
    std::mt19937 random(5);
    AudioEnvelope pieces(8000);
    for (std::size_t at = 0; at < mono.size();) {
        const std::size_t frames = std::min<std::size_t>(random() % 3000, mono.size() - at);
        pieces.append(samples.data() + 2 * at, frames, 2);
        at += frames;
        EXPECT_DOUBLE_EQ(pieces.decodedMs(), static_cast<double>(at / 80 * 80) / 8);
    }
    pieces.finish();
    EXPECT_DOUBLE_EQ(pieces.decodedMs(), mono.size() / 8.0);
    for (const double span : {3.0, 700.0, 6252.625}) {
        for (const int count : {1, 7, 1000}) {
            const std::vector<EnvelopeColumn> a = whole->columns(100, 100 + span, count);
            const std::vector<EnvelopeColumn> b = pieces.columns(100, 100 + span, count);
            for (std::size_t i = 0; i < a.size(); ++i) {
                EXPECT_EQ(a[i].min, b[i].min);
                EXPECT_EQ(a[i].max, b[i].max);
                EXPECT_EQ(a[i].hasSound, b[i].hasSound);
            }
        }
    }
}

// At every zoom, a column covers every sample inside it and none further outside
// than one column (or one bucket when columns are narrower), by brute force.
TEST(AudioEnvelope, ColumnsAgreeWithBruteForceAtEveryZoom) {
    const int rate = 11025;  // 110-sample buckets of 9.98 ms
    const std::vector<std::int16_t> samples = randomWalk(400000, 9);
    AudioEnvelope envelope(rate);
    envelope.reserve(3.6e6);  // an hour: levels above what has been decoded stand empty
    envelope.append(samples.data(), 399999, 1);  // a partial bucket still open
    const double decoded = envelope.decodedMs();
    std::mt19937 random(11);
    const auto range = [&](double from, double to) {
        const double perMs = rate / 1000.0;
        const auto first = static_cast<std::size_t>(std::clamp(std::ceil(from * perMs), 0.0, decoded * perMs));
        const auto end = static_cast<std::size_t>(std::clamp(std::ceil(to * perMs), 0.0, decoded * perMs));
        EnvelopeColumn result{32767, -32768, first < end};
        for (std::size_t i = first; i < end; ++i) {
            result.min = std::min(result.min, samples[i]);
            result.max = std::max(result.max, samples[i]);
        }
        return result;
    };
    for (const double columnMs : {0.3, 4.0, 9.98, 20.0, 333.3, 4000.0, 36281.0, 500000.0}) {
        const int count = 37;
        const double from = static_cast<double>(random() % 40000) - 1000;
        const std::vector<EnvelopeColumn> columns = envelope.columns(from, from + columnMs * count, count);
        const double slack = std::max(columnMs, 1000.0 * envelope.bucketSamples() / rate);
        for (int i = 0; i < count; ++i) {
            const double start = from + columnMs * i;
            const EnvelopeColumn inside = range(start, start + columnMs);
            const EnvelopeColumn around = range(start - slack, start + columnMs + slack);
            const EnvelopeColumn& got = columns[static_cast<std::size_t>(i)];
            if (inside.hasSound) ASSERT_TRUE(got.hasSound) << columnMs << " " << i;
            if (!got.hasSound) continue;
            EXPECT_TRUE(around.hasSound);
            EXPECT_LE(got.min, inside.min) << columnMs << " " << i;
            EXPECT_GE(got.max, inside.max) << columnMs << " " << i;
            EXPECT_GE(got.min, around.min) << columnMs << " " << i;
            EXPECT_LE(got.max, around.max) << columnMs << " " << i;
        }
    }
}

// One thread appends while another draws: what is drawn only grows.
TEST(AudioEnvelope, OneWriterOneReader) {
    const std::vector<std::int16_t> samples = randomWalk(200000, 13);
    AudioEnvelope envelope(44100);
    std::thread writer([&] {
        for (std::size_t at = 0; at < samples.size(); at += 1000) envelope.append(samples.data() + at, 1000, 1);
        envelope.finish();
    });
    double seen = 0;
    while (!envelope.finished()) {
        const double decoded = envelope.decodedMs();
        EXPECT_GE(decoded, seen);
        seen = decoded;
        const std::vector<EnvelopeColumn> columns = envelope.columns(0, 5000, 500);
        const auto drawn = std::count_if(columns.begin(), columns.end(), [](const EnvelopeColumn& c) { return c.hasSound; });
        EXPECT_GE(drawn, static_cast<long>(decoded / 10));
    }
    writer.join();
    EXPECT_NEAR(envelope.decodedMs(), 200000 / 44.1, 1e-6);
}

}  // namespace
