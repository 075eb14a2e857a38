#include "playback/movie_sound.h"

#include <objbase.h>

#include <atomic>
#include <mutex>

namespace zav {

// One decoding of one film: the worker writes it, the window thread reads it.
struct MovieSound::Job final : SoundReceiver {
    std::wstring path;
    std::atomic<bool> cancel{false};
    std::atomic<bool> ended{false};
    std::atomic<int> state{static_cast<int>(State::Decoding)};

    mutable std::mutex mutex;  // guards the three below, set once by soundFormat
    std::shared_ptr<AudioEnvelope> envelope;
    std::shared_ptr<SpeechDetector> speech;
    double durationMs = 0;
    int channels = 1;

    void soundFormat(int sampleRate, int channelCount, double duration) override {
        auto made = std::make_shared<AudioEnvelope>(sampleRate);
        if (duration > 0) made->reserve(duration);
        auto detector = std::make_shared<SpeechDetector>(sampleRate);
        std::lock_guard<std::mutex> lock(mutex);
        envelope = std::move(made);
        speech = std::move(detector);
        durationMs = duration;
        channels = channelCount > 0 ? channelCount : 1;
    }

    void soundBlock(const std::int16_t* samples, std::size_t frames) override {
        std::shared_ptr<AudioEnvelope> target;
        std::shared_ptr<SpeechDetector> detector;
        int count = 1;
        {
            std::lock_guard<std::mutex> lock(mutex);
            target = envelope;
            detector = speech;
            count = channels;
        }
        if (!target || cancel) return;
        target->append(samples, frames, count);
        detector->append(samples, frames, count);
    }

    void run(const MovieSound::DecoderFactory& factory) {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        HRESULT result = E_FAIL;
        try {
            if (std::unique_ptr<SoundDecoder> decoder = factory ? factory() : nullptr)
                result = decoder->decode(path, *this, cancel);
        } catch (...) {
            result = E_UNEXPECTED;
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (envelope) envelope->finish();
            if (speech) speech->finish();
        }
        state = static_cast<int>(SUCCEEDED(result) ? State::Done
                                 : cancel          ? State::Cancelled
                                                   : State::Failed);
        if (SUCCEEDED(com)) CoUninitialize();
        ended = true;
    }
};

MovieSound::MovieSound() : factory_(makeSystemSoundDecoder) {}

MovieSound::~MovieSound() {
    if (job_) job_->cancel = true;
    for (auto& worker : workers_) worker.second.join();
}

void MovieSound::setDecoderFactory(DecoderFactory factory) { factory_ = std::move(factory); }

void MovieSound::load(const std::wstring& path) {
    if (path.empty()) {
        clear();
        return;
    }
    const State now = state();
    if (path == path_ && (now == State::Decoding || now == State::Done)) return;
    path_ = path;
    start();
}

void MovieSound::reload() {
    if (!path_.empty() && state() != State::Decoding) start();
}

void MovieSound::start() {
    cancel();
    joinEnded();
    job_ = std::make_shared<Job>();
    job_->path = path_;
    std::shared_ptr<Job> job = job_;
    DecoderFactory factory = factory_;
    workers_.emplace_back(job, std::thread([job, factory] { job->run(factory); }));
}

void MovieSound::cancel() {
    if (job_) job_->cancel = true;
}

void MovieSound::clear() {
    cancel();
    joinEnded();
    job_.reset();
    path_.clear();
}

void MovieSound::joinEnded() {
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->first->ended) {
            it->second.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

MovieSound::State MovieSound::state() const {
    return job_ ? static_cast<State>(job_->state.load()) : State::None;
}

double MovieSound::durationMs() const {
    if (!job_) return 0;
    std::lock_guard<std::mutex> lock(job_->mutex);
    return job_->durationMs;
}

double MovieSound::decodedMs() const {
    const std::shared_ptr<const AudioEnvelope> sound = envelope();
    return sound ? sound->decodedMs() : 0;
}

std::shared_ptr<const AudioEnvelope> MovieSound::envelope() const {
    if (!job_) return nullptr;
    std::lock_guard<std::mutex> lock(job_->mutex);
    return job_->envelope;
}

std::vector<SpeechStretch> MovieSound::speech() const {
    if (!job_) return {};
    std::shared_ptr<SpeechDetector> detector;
    {
        std::lock_guard<std::mutex> lock(job_->mutex);
        detector = job_->speech;
    }
    return detector ? detector->stretches() : std::vector<SpeechStretch>{};
}

}  // namespace zav
