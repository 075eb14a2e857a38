#pragma once
// The waveform of a film's sound as the timeline draws it: for any stretch of time
// cut into N columns, the lowest and highest sample of each column.
//
// Sound arrives in blocks as it is decoded (16-bit integer or float, interleaved,
// any rate and any number of channels) and is mixed to mono: the channels' sum
// divided by their number, truncated toward zero for integers; floats are scaled by
// 32767, rounded to the nearest and clamped to the 16-bit range after mixing.
// The mono samples go into buckets of about 10 ms (the rate over 100 samples,
// rounded, at least one), each keeping its lowest and highest sample. Above them,
// levels of buckets each four times as wide as the one below make a pyramid, so
// that a query picks the widest level whose buckets are no wider than a column and
// combines at most five buckets per column (a few more at the decoded end, where
// the wide buckets are still filling): the work grows with N, not with the time
// asked for.
//
// A column stands for the buckets (of the level chosen) that overlap its time, so
// its range covers every sample inside the column and none further than one column
// (or one 10 ms bucket, when columns are narrower) outside it. Columns that lie
// wholly before 0 or after what has been decoded have no sound.
//
// Memory: 4 bytes per bucket and a third more for the levels above, about 530 bytes
// per second of sound whatever its rate and channels: a two-hour film takes
// 720,000 buckets, 2.9 MB, and 3.8 MB with its pyramid when reserve() was told its
// length; without, the lists grow by doubling and may hold up to twice that.
//
// Threads: one thread may append while another queries; a mutex guards the buckets
// and is held for one append or one query (microseconds for blocks of a few
// thousand samples or a query of a thousand columns).

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace zav {

struct EnvelopeColumn {
    std::int16_t min = 0;
    std::int16_t max = 0;
    bool hasSound = false;  // false for a column wholly before 0 or past the decoded end
};

class AudioEnvelope {
public:
    // sampleRate in Hz, at least 1 (a smaller value counts as 1).
    explicit AudioEnvelope(int sampleRate);

    // Makes room for this much sound in every level at once, so that the lists are
    // neither moved nor doubled past it while they fill.
    void reserve(double durationMs);
    // Appends frames of interleaved samples, channels per frame (at least 1; a block
    // with fewer is ignored). Nothing is appended after finish().
    void append(const std::int16_t* samples, std::size_t frames, int channels);
    void append(const float* samples, std::size_t frames, int channels);
    // The end of the sound: the last, partly filled bucket joins the envelope.
    void finish();

    int sampleRate() const noexcept { return rate_; }
    // How far the envelope reaches, in ms: the end of the last full bucket, and after
    // finish() the end of the sound.
    double decodedMs() const;
    bool finished() const;

    // The envelope from fromMs to toMs cut into count equal columns; an empty list
    // when count is not positive or toMs is not after fromMs.
    std::vector<EnvelopeColumn> columns(double fromMs, double toMs, int count) const;

    // Bytes held by the buckets of every level.
    std::size_t memoryBytes() const;
    // Samples per bucket of the lowest level.
    std::int64_t bucketSamples() const noexcept { return bucketSamples_; }

private:
    struct Bucket {
        std::int16_t min;
        std::int16_t max;
    };
    void appendMono(std::int16_t sample);
    void pushBucket(std::size_t level, Bucket bucket);
    Bucket combine(std::size_t level, std::int64_t first, std::int64_t last, bool& any) const;

    int rate_;
    std::int64_t bucketSamples_;
    mutable std::mutex mutex_;
    std::vector<std::vector<Bucket>> levels_;  // levels_[k] buckets of bucketSamples_ * 4^k samples
    Bucket open_{0, 0};                        // the bucket being filled
    std::int64_t openCount_ = 0;               // samples in it
    std::int64_t samples_ = 0;                 // mono samples appended
    bool finished_ = false;
};

}  // namespace zav
