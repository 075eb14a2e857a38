#include "core/speech_detector.h"

#include "core/band_energy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <utility>
#include <vector>

namespace zav {

namespace {

constexpr double kHopMs = 5;
constexpr double kFrameMs = 16;              // the frame: the largest power of two of samples within this
constexpr std::size_t kLongestFrame = 4096;  // and no longer, whatever the rate
constexpr double kFloorMs = 3000;            // the floor: the level 80% of the last 3 s stayed above
constexpr double kBackgroundShare = 0.2;
constexpr int kSpeechSmoothing = 6;          // frames the speech band is averaged over (30 ms)
constexpr int kOnsetSmoothing = 3;           // frames each onset band is averaged over
constexpr double kStartDb = 10;              // a stretch starts this far over the floor
constexpr double kGoOnDb = 6;                // and goes on while this far over it
constexpr double kSilentPower = 1e-7;        // -70 dBFS: quieter is no foreground
constexpr double kTinyPower = 1e-13;         // keeps logarithms finite on digital silence
constexpr double kHangoverMs = 300;          // pauses a stretch bridges
constexpr double kShortestMs = 100;          // shorter stretches are clicks
constexpr double kLookBackMs = 300;          // how far an onset is sought before the rise
constexpr double kBeforeMs = 200;            // frames 200-300 ms before the rise tell what sounded before
constexpr double kOnsetDb = 8;               // an onset band this far over that is sound
constexpr double kOnsetRangeDb = 40;         // and within this of the band's peak near the onset
constexpr double kOnsetGapMs = 50;           // gaps bridged on the way back
constexpr double kConfidenceSpanDb = 20;

const std::vector<FrequencyBand> kBands = {{300, 3400}, {300, 1000}, {1000, 3400}, {3400, 8000}};
constexpr std::size_t kOnsetBands = 3;  // the bands after the speech band

double decibels(double power, double floor) {
    return 10 * std::log10(std::max(power, kTinyPower) / std::max(floor, kTinyPower));
}

// A low percentile of the last span of powers pushed: the background they stand
// over. Powers are kept as 0.5 dB steps from -130 dB up in a histogram, so a push
// costs a walk over its few hundred steps, whatever the span.
class BackgroundLevel {
public:
    explicit BackgroundLevel(std::int64_t span)
        : steps_(static_cast<std::size_t>(std::max<std::int64_t>(span, 1)), 0), counts_(kSteps, 0) {}
    double push(double power) {
        const double db = 10 * std::log10(std::max(power, kTinyPower));
        const int step = std::clamp(static_cast<int>(std::floor((db - kLowestDb) * 2)), 0, kSteps - 1);
        if (filled_ == steps_.size()) --counts_[steps_[next_]];
        else ++filled_;
        steps_[next_] = static_cast<std::uint16_t>(step);
        ++counts_[static_cast<std::size_t>(step)];
        next_ = (next_ + 1) % steps_.size();
        const std::size_t rank = std::max<std::size_t>(1, static_cast<std::size_t>(kBackgroundShare * static_cast<double>(filled_)));
        std::size_t seen = 0;
        int at = 0;
        while ((seen += counts_[static_cast<std::size_t>(at)]) < rank) ++at;
        return std::pow(10.0, (kLowestDb + (at + 0.5) / 2) / 10);
    }

private:
    static constexpr int kSteps = 300;
    static constexpr double kLowestDb = -130;
    std::vector<std::uint16_t> steps_;  // ring of the last span's steps
    std::vector<std::uint32_t> counts_;
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
};

// The mean of the last few values pushed.
class MovingMean {
public:
    explicit MovingMean(std::size_t length) : values_(length, 0.0) {}
    double push(double value) {
        sum_ += value - values_[next_];
        values_[next_] = value;
        next_ = (next_ + 1) % values_.size();
        filled_ = std::min(filled_ + 1, values_.size());
        return std::max(sum_, 0.0) / static_cast<double>(filled_);
    }

private:
    std::vector<double> values_;
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    double sum_ = 0;
};

std::size_t frameSize(int rate) {
    std::size_t size = 16;
    while (size < kLongestFrame && static_cast<double>(size * 2) <= kFrameMs * rate / 1000) size *= 2;
    return size;
}

}  // namespace

struct SpeechDetector::State {
    struct OnsetFrame {
        std::int64_t index;
        std::array<double, kOnsetBands> excessDb;  // of each onset band over its floor
    };

    explicit State(int sampleRate)
        : rate(std::max(sampleRate, 1)),
          hop(std::max<std::int64_t>(1, std::llround(rate * kHopMs / 1000))),
          bands(rate, frameSize(rate), kBands),
          speechMean(kSpeechSmoothing),
          speechFloor(frames(kFloorMs)) {
        for (std::size_t b = 0; b < kOnsetBands; ++b) {
            onsetMeans.emplace_back(kOnsetSmoothing);
            onsetFloors.emplace_back(frames(kFloorMs));
        }
    }

    double hopMs() const { return static_cast<double>(hop) * 1000 / rate; }
    double frameMs(std::int64_t index) const {
        return (static_cast<double>(index * hop) + static_cast<double>(bands.size()) / 2) * 1000 / rate;
    }
    std::int64_t frames(double ms) const { return std::llround(ms / hopMs()); }

    void measureFrame(const float* samples, std::vector<SpeechStretch>& done);
    void measureOnsetBands(const double* energies);
    std::array<double, kOnsetBands> onsetThresholds() const;
    std::int64_t refinedOnset() const;
    void close(std::vector<SpeechStretch>& done);

    int rate;
    std::int64_t hop;
    BandEnergy bands;
    MovingMean speechMean;
    BackgroundLevel speechFloor;
    std::vector<MovingMean> onsetMeans;
    std::vector<BackgroundLevel> onsetFloors;
    std::deque<OnsetFrame> recent;  // the last kLookBackMs of onset frames

    std::vector<float> pending;  // mono samples from the next frame's first on
    std::int64_t frame = 0;      // the next frame's index
    bool finished = false;

    bool active = false;
    std::int64_t onsetFrame = 0;
    std::int64_t lastSound = 0;  // the stretch's last frame over kGoOnDb
    std::int64_t previousEnd = -1;
    double excessSum = 0;
    std::int64_t excessFrames = 0;
};

void SpeechDetector::State::measureOnsetBands(const double* energies) {
    // Each onset band averaged over the frame and its two before stands for the
    // middle one of them.
    OnsetFrame measured{frame - 1, {}};
    for (std::size_t b = 0; b < kOnsetBands; ++b) {
        const double mean = onsetMeans[b].push(energies[b + 1]);
        measured.excessDb[b] = decibels(mean, onsetFloors[b].push(mean));
    }
    recent.push_back(measured);
    while (recent.size() > static_cast<std::size_t>(frames(kLookBackMs)) + 2) recent.pop_front();
}

// What each onset band must reach to count as the start of the sound that set off
// the stretch starting now: kOnsetDb over its mean excess 200-300 ms before (a
// music note already sounding is no onset), and no less than kOnsetRangeDb below
// its peak since then (a faint splash ahead of a loud consonant is no start).
std::array<double, kOnsetBands> SpeechDetector::State::onsetThresholds() const {
    std::array<double, kOnsetBands> before{}, peak{};
    int heard = 0;
    for (const OnsetFrame& at : recent) {
        if (at.index <= previousEnd) continue;
        for (std::size_t b = 0; b < kOnsetBands; ++b) peak[b] = std::max(peak[b], at.excessDb[b]);
        if (at.index < frame - frames(kLookBackMs) || at.index > frame - frames(kBeforeMs)) continue;
        for (std::size_t b = 0; b < kOnsetBands; ++b) before[b] += std::max(at.excessDb[b], 0.0);
        ++heard;
    }
    std::array<double, kOnsetBands> threshold{};
    for (std::size_t b = 0; b < kOnsetBands; ++b)
        threshold[b] = std::max(kOnsetDb + before[b] / std::max(heard, 1), peak[b] - kOnsetRangeDb);
    return threshold;
}

// The earliest frame before now in which an onset band reaches its threshold,
// walking back across gaps of up to kOnsetGapMs.
std::int64_t SpeechDetector::State::refinedOnset() const {
    const std::array<double, kOnsetBands> threshold = onsetThresholds();
    std::int64_t earliest = frame;
    std::int64_t gap = 0;
    for (auto at = recent.rbegin(); at != recent.rend() && at->index > previousEnd; ++at) {
        bool sounding = false;
        for (std::size_t b = 0; b < kOnsetBands; ++b) sounding = sounding || at->excessDb[b] >= threshold[b];
        if (sounding) {
            earliest = at->index;
            gap = 0;
        } else if (++gap > frames(kOnsetGapMs)) {
            break;
        }
    }
    return earliest;
}

void SpeechDetector::State::close(std::vector<SpeechStretch>& done) {
    active = false;
    previousEnd = lastSound;
    const double onsetMs = frameMs(onsetFrame);
    const double endMs = frameMs(lastSound);
    if (endMs - onsetMs < kShortestMs) return;
    const double meanExcess = excessSum / static_cast<double>(std::max<std::int64_t>(excessFrames, 1));
    const double confidence = std::clamp((meanExcess - kGoOnDb) / kConfidenceSpanDb, 0.0, 1.0);
    done.push_back(SpeechStretch{onsetMs, endMs, confidence});
}

void SpeechDetector::State::measureFrame(const float* samples, std::vector<SpeechStretch>& done) {
    std::array<double, 4> energies{};
    bands.measure(samples, energies.data());
    const double speech = speechMean.push(energies[0]);
    const double excess = decibels(speech, speechFloor.push(speech));
    measureOnsetBands(energies.data());
    if (!active && excess >= kStartDb && speech >= kSilentPower) {
        active = true;
        onsetFrame = refinedOnset();
        lastSound = frame;
        excessSum = 0;
        excessFrames = 0;
    }
    if (active && excess >= kGoOnDb) {
        lastSound = frame;
        excessSum += excess;
        ++excessFrames;
    }
    if (active && frame - lastSound > frames(kHangoverMs)) close(done);
    ++frame;
}

SpeechDetector::SpeechDetector(int sampleRate) : state_(std::make_unique<State>(sampleRate)) {}

SpeechDetector::~SpeechDetector() = default;

void SpeechDetector::append(const std::int16_t* samples, std::size_t frames, int channels) {
    if (channels < 1 || !samples) return;
    std::vector<float> mono(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        std::int32_t sum = 0;
        for (int c = 0; c < channels; ++c) sum += samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
        mono[i] = static_cast<float>(sum / (32768.0 * channels));
    }
    appendMono(mono.data(), frames);
}

void SpeechDetector::append(const float* samples, std::size_t frames, int channels) {
    if (channels < 1 || !samples) return;
    std::vector<float> mono(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) sum += samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
        mono[i] = std::isfinite(sum) ? static_cast<float>(sum / channels) : 0.0f;
    }
    appendMono(mono.data(), frames);
}

void SpeechDetector::appendMono(const float* mono, std::size_t count) {
    State& s = *state_;
    if (s.finished) return;
    s.pending.insert(s.pending.end(), mono, mono + count);
    std::vector<SpeechStretch> done;
    const std::size_t hop = static_cast<std::size_t>(s.hop);
    std::size_t used = 0;
    while (s.pending.size() - used >= s.bands.size()) {
        s.measureFrame(s.pending.data() + used, done);
        used += std::min(hop, s.pending.size() - used);
    }
    s.pending.erase(s.pending.begin(), s.pending.begin() + static_cast<std::ptrdiff_t>(used));
    const std::lock_guard<std::mutex> lock(mutex_);
    found_.insert(found_.end(), done.begin(), done.end());
    analysedMs_ = static_cast<double>(s.frame * s.hop) * 1000 / s.rate;
}

void SpeechDetector::finish() {
    State& s = *state_;
    if (s.finished) return;
    // The last samples, padded with silence to whole frames, so that the end of the
    // sound is heard too.
    const std::vector<float> silence(s.bands.size(), 0.0f);
    if (!s.pending.empty()) appendMono(silence.data(), silence.size());
    std::vector<SpeechStretch> done;
    if (s.active) s.close(done);
    s.finished = true;
    const std::lock_guard<std::mutex> lock(mutex_);
    found_.insert(found_.end(), done.begin(), done.end());
}

std::vector<SpeechStretch> SpeechDetector::stretches() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return found_;
}

double SpeechDetector::analysedMs() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return analysedMs_;
}

std::vector<double> onsetsOf(const std::vector<SpeechStretch>& stretches) {
    std::vector<double> onsets;
    onsets.reserve(stretches.size());
    for (const SpeechStretch& stretch : stretches) onsets.push_back(stretch.onsetMs);
    return onsets;
}

std::optional<double> nearestOnset(const std::vector<double>& onsetsMs, double targetMs, double windowMs) {
    const auto after = std::lower_bound(onsetsMs.begin(), onsetsMs.end(), targetMs);
    std::optional<double> best;
    if (after != onsetsMs.begin()) best = *(after - 1);
    if (after != onsetsMs.end() && (!best || *after - targetMs < targetMs - *best)) best = *after;
    if (!best || !(std::abs(*best - targetMs) <= windowMs)) return std::nullopt;
    return best;
}

}  // namespace zav
