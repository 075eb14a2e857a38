#include "core/audio_envelope.h"

#include <algorithm>
#include <cmath>

namespace zav {

namespace {

constexpr std::int64_t kFanOut = 4;  // buckets of one level per bucket of the next

std::int16_t floatSample(double value) {
    if (!(value == value)) return 0;  // NaN
    const double scaled = std::round(value * 32767.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

}  // namespace

AudioEnvelope::AudioEnvelope(int sampleRate)
    : rate_(std::max(sampleRate, 1)),
      bucketSamples_(std::max<std::int64_t>(1, (static_cast<std::int64_t>(rate_) + 50) / 100)),
      levels_(1) {}

void AudioEnvelope::reserve(double durationMs) {
    if (!(durationMs > 0) || durationMs > 1e11) return;  // up to some three years
    const std::lock_guard<std::mutex> lock(mutex_);
    double buckets = std::ceil(durationMs * rate_ / 1000.0 / static_cast<double>(bucketSamples_));
    for (std::size_t level = 0; buckets >= 1; ++level, buckets = std::floor(buckets / kFanOut)) {
        if (levels_.size() == level) levels_.emplace_back();
        levels_[level].reserve(static_cast<std::size_t>(buckets));
    }
}

void AudioEnvelope::append(const std::int16_t* samples, std::size_t frames, int channels) {
    if (channels < 1 || !samples) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (finished_) return;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::int16_t* first = samples + frame * static_cast<std::size_t>(channels);
        std::int32_t sum = 0;
        for (int channel = 0; channel < channels; ++channel) sum += first[channel];
        appendMono(static_cast<std::int16_t>(sum / channels));
    }
}

void AudioEnvelope::append(const float* samples, std::size_t frames, int channels) {
    if (channels < 1 || !samples) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (finished_) return;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const float* first = samples + frame * static_cast<std::size_t>(channels);
        double sum = 0;
        for (int channel = 0; channel < channels; ++channel) sum += first[channel];
        appendMono(floatSample(sum / channels));
    }
}

void AudioEnvelope::appendMono(std::int16_t sample) {
    if (openCount_ == 0) {
        open_ = Bucket{sample, sample};
    } else {
        open_.min = std::min(open_.min, sample);
        open_.max = std::max(open_.max, sample);
    }
    ++samples_;
    if (++openCount_ == bucketSamples_) {
        pushBucket(0, open_);
        openCount_ = 0;
    }
}

void AudioEnvelope::pushBucket(std::size_t level, Bucket bucket) {
    std::vector<Bucket>& buckets = levels_[level];
    buckets.push_back(bucket);
    if (buckets.size() % kFanOut != 0) return;
    Bucket group = buckets[buckets.size() - kFanOut];
    for (std::size_t i = buckets.size() - kFanOut + 1; i < buckets.size(); ++i) {
        group.min = std::min(group.min, buckets[i].min);
        group.max = std::max(group.max, buckets[i].max);
    }
    if (levels_.size() == level + 1) levels_.emplace_back();
    pushBucket(level + 1, group);
}

void AudioEnvelope::finish() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (finished_) return;
    if (openCount_ > 0) pushBucket(0, open_);
    openCount_ = 0;
    finished_ = true;
}

double AudioEnvelope::decodedMs() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t reached = finished_ ? samples_ : samples_ - openCount_;
    return static_cast<double>(reached) * 1000.0 / rate_;
}

bool AudioEnvelope::finished() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
}

std::size_t AudioEnvelope::memoryBytes() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::size_t bytes = 0;
    for (const std::vector<Bucket>& level : levels_) bytes += level.capacity() * sizeof(Bucket);
    return bytes;
}

// The buckets first..last of a level; those the level does not hold yet (the tail of
// a group still filling) come from the level below. any tells whether one was found.
AudioEnvelope::Bucket AudioEnvelope::combine(std::size_t level, std::int64_t first, std::int64_t last,
                                             bool& any) const {
    Bucket result{32767, -32768};
    const std::vector<Bucket>& buckets = levels_[level];
    const std::int64_t held = static_cast<std::int64_t>(buckets.size());
    for (std::int64_t i = first; i <= std::min(last, held - 1); ++i) {
        result.min = std::min(result.min, buckets[static_cast<std::size_t>(i)].min);
        result.max = std::max(result.max, buckets[static_cast<std::size_t>(i)].max);
        any = true;
    }
    if (last >= held && level > 0) {
        const Bucket below = combine(level - 1, std::max(first, held) * kFanOut, last * kFanOut + kFanOut - 1, any);
        result.min = std::min(result.min, below.min);
        result.max = std::max(result.max, below.max);
    }
    return result;
}

std::vector<EnvelopeColumn> AudioEnvelope::columns(double fromMs, double toMs, int count) const {
    if (count <= 0 || !std::isfinite(fromMs) || !std::isfinite(toMs) || !(toMs > fromMs) ||
        !std::isfinite(toMs - fromMs))
        return {};
    std::vector<EnvelopeColumn> result(static_cast<std::size_t>(count));
    const std::lock_guard<std::mutex> lock(mutex_);
    const double samplesPerMs = rate_ / 1000.0;
    const double columnSamples = (toMs - fromMs) / count * samplesPerMs;
    std::size_t level = 0;
    double width = static_cast<double>(bucketSamples_);
    while (level + 1 < levels_.size() && width * kFanOut <= columnSamples) {
        ++level;
        width *= kFanOut;
    }
    // Buckets of the chosen level that hold at least one sample.
    const std::int64_t baseBuckets = static_cast<std::int64_t>(levels_[0].size());
    if (baseBuckets == 0) return result;
    std::int64_t lastHeld = baseBuckets - 1;
    for (std::size_t k = 0; k < level; ++k) lastHeld /= kFanOut;
    const double reached = static_cast<double>(finished_ ? samples_ : samples_ - openCount_);
    for (int i = 0; i < count; ++i) {
        const double start = (fromMs + (toMs - fromMs) * i / count) * samplesPerMs;
        const double end = (fromMs + (toMs - fromMs) * (i + 1) / count) * samplesPerMs;
        if (end <= 0) continue;
        if (start >= reached) break;
        const double firstAt = std::floor(std::max(start, 0.0) / width);
        if (firstAt > static_cast<double>(lastHeld)) break;
        const std::int64_t first = static_cast<std::int64_t>(firstAt);
        const double lastAt = std::min(std::ceil(end / width) - 1, static_cast<double>(lastHeld));
        const std::int64_t last = std::max(first, static_cast<std::int64_t>(lastAt));
        bool any = false;
        const Bucket bucket = combine(level, first, last, any);
        if (any) result[static_cast<std::size_t>(i)] = EnvelopeColumn{bucket.min, bucket.max, true};
    }
    return result;
}

}  // namespace zav
