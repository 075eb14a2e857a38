// The system sound decoder on files made by ffmpeg (make_media.sh): 6 s of sound,
// silent but for a tone from 2 s to 4 s, in every container and codec the program
// meets. Under Wine the graph decodes through GStreamer.

#include <gtest/gtest.h>

#include "playback/sound_decoder.h"

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

namespace zav {
namespace {

std::wstring media(const wchar_t* name) {
    wchar_t folder[1024] = {};
    GetEnvironmentVariableW(L"ZAV_TEST_MEDIA", folder, 1024);
    return std::wstring(folder) + L"\\" + name;
}

// Keeps what the decoder hands over; may cancel, or throw, at the first block.
struct Collector final : SoundReceiver {
    void soundFormat(int rate, int channelCount, double length) override {
        ++formats;
        sampleRate = rate;
        channels = channelCount;
        durationMs = length;
    }
    void soundBlock(const std::int16_t* block, std::size_t frames) override {
        if (formats != 1) ++blocksOutOfOrder;
        if (cancel && *cancel) ++blocksAfterCancel;
        samples.insert(samples.end(), block, block + frames * channels);
        ++blocks;
        if (cancel) *cancel = true;
        if (throwing) throw std::bad_alloc();
    }
    double seconds() const { return channels ? samples.size() / channels / static_cast<double>(sampleRate) : 0; }
    // Root mean square of every channel over [from, from + length) seconds.
    double rms(double from, double length) const {
        const std::size_t begin = static_cast<std::size_t>(from * sampleRate) * channels;
        const std::size_t end = std::min(samples.size(), static_cast<std::size_t>((from + length) * sampleRate) * channels);
        double sum = 0;
        for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
        return end > begin ? std::sqrt(sum / (end - begin)) : 0;
    }

    int formats = 0;
    int sampleRate = 0;
    int channels = 0;
    double durationMs = -1;
    std::vector<std::int16_t> samples;
    std::atomic<int> blocks{0};
    int blocksOutOfOrder = 0;
    int blocksAfterCancel = 0;
    std::atomic<bool>* cancel = nullptr;
    bool throwing = false;
};

class SoundDecoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }

    HRESULT decode(const wchar_t* name, Collector& into, const std::atomic<bool>& cancel) {
        const DWORD start = GetTickCount();
        const HRESULT hr = makeSystemSoundDecoder()->decode(media(name), into, cancel);
        std::printf("[ measure  ] %ls: %#lx after %lu ms\n", name, static_cast<unsigned long>(hr),
                    static_cast<unsigned long>(GetTickCount() - start));
        return hr;
    }
};

TEST_F(SoundDecoderTest, EveryFormatDecodesWholeWithTheToneWhereItIs) {
    const struct {
        const wchar_t* file;
        int rate;
        int channels;
    } kFiles[] = {
        {L"sound.wmv", 44100, 2},  {L"sound.mp4", 48000, 2},  {L"sound.webm", 48000, 1},
        {L"sound.mkv", 22050, 1},  {L"sound.mp3", 44100, 2},  {L"sound.wav", 22050, 1},
        {L"sound_u8.wav", 16000, 2}, {L"sound_s24.wav", 32000, 1}, {L"sound.wma", 44100, 2},
    };
    // The tone's RMS is 0.5 / sqrt(2) of full scale; a window counts as loud above
    // half of that, which allows the codecs' delays of a few tens of ms at its edges.
    const double loud = 0.5 / std::sqrt(2.0) * 32768 / 2;
    for (const auto& file : kFiles) {
        SCOPED_TRACE(testing::Message() << file.file);
        Collector sound;
        const std::atomic<bool> cancel{false};
        ASSERT_EQ(S_OK, decode(file.file, sound, cancel));
        EXPECT_EQ(1, sound.formats);
        EXPECT_EQ(0, sound.blocksOutOfOrder);
        EXPECT_EQ(file.rate, sound.sampleRate);
        EXPECT_EQ(file.channels, sound.channels);
        if (sound.durationMs != 0) {
            EXPECT_NEAR(6000, sound.durationMs, 100);
        }
        EXPECT_NEAR(6.0, sound.seconds(), 0.05);
        for (int window = 0; window < 12; ++window) {
            EXPECT_EQ(window >= 4 && window < 8, sound.rms(window * 0.5, 0.5) > loud) << "window at " << window * 0.5 << " s";
        }
    }
}

// Cancelled, or failed by its receiver, the decoding stops at once: nothing arrives
// after the block that ended it, not even once decode has returned.
TEST_F(SoundDecoderTest, CancelOrAThrowingReceiverEndsTheDecodingAtOnce) {
    for (const bool throwing : {false, true}) {
        SCOPED_TRACE(throwing ? "receiver throws" : "cancelled");
        Collector sound;
        std::atomic<bool> cancel{false};
        sound.cancel = throwing ? nullptr : &cancel;
        sound.throwing = throwing;
        EXPECT_EQ(throwing ? E_OUTOFMEMORY : E_ABORT, decode(L"minute.m4a", sound, cancel));
        EXPECT_EQ(1, sound.blocks.load());
        EXPECT_EQ(0, sound.blocksAfterCancel);
        Sleep(300);
        EXPECT_EQ(1, sound.blocks.load());
    }
}

TEST_F(SoundDecoderTest, FilesWithoutSoundFail) {
    const wchar_t* const kFiles[] = {L"video_only.wmv", L"not_a_movie.wmv", L"empty.wmv", L"no_such_file.mp3"};
    for (const wchar_t* file : kFiles) {
        SCOPED_TRACE(testing::Message() << file);
        Collector sound;
        const std::atomic<bool> cancel{false};
        EXPECT_TRUE(FAILED(decode(file, sound, cancel)));
        EXPECT_EQ(0, sound.formats);
        EXPECT_EQ(0, sound.blocks.load());
    }
}

}  // namespace
}  // namespace zav
