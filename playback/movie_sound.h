#pragma once
// The open film's sound, as the timeline draws it and the speech snapping hears it:
// decoded on a worker thread into a waveform envelope and the speech detector's
// stretches, which the window thread reads at any time while decoding goes on.
//
// Loading another film cancels the decoding under way without waiting for it: the
// old worker ends on its own (within about 100 ms) and is joined later, so the
// window thread never waits on a decoder. Everything here is called from the window
// thread; the worker touches only its own job.

#include "core/audio_envelope.h"
#include "core/speech_detector.h"
#include "playback/sound_decoder.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zav {

class MovieSound {
public:
    using DecoderFactory = std::function<std::unique_ptr<SoundDecoder>()>;
    enum class State { None, Decoding, Done, Cancelled, Failed };

    MovieSound();
    ~MovieSound();
    MovieSound(const MovieSound&) = delete;
    MovieSound& operator=(const MovieSound&) = delete;

    // Where decoders come from (the system's by default; tests hand in their own).
    void setDecoderFactory(DecoderFactory factory);

    // Starts decoding the sound of the film at path, unless that film's sound is
    // already decoded or being decoded; an empty path drops the sound.
    void load(const std::wstring& path);
    // Decodes the current film's sound again (after a cancel or a failure).
    void reload();
    // Stops the decoding under way; what was decoded stays.
    void cancel();

    State state() const;
    const std::wstring& path() const noexcept { return path_; }
    // The sound's length as the file gives it (0 while unknown).
    double durationMs() const;
    // How far the sound has been decoded.
    double decodedMs() const;
    // Null until the decoder has told the sound's format.
    std::shared_ptr<const AudioEnvelope> envelope() const;
    // The stretches of speech found so far, in time order.
    std::vector<SpeechStretch> speech() const;

private:
    struct Job;
    void start();
    // No film: the sound is dropped.
    void clear();
    void joinEnded();

    DecoderFactory factory_;
    std::wstring path_;
    std::shared_ptr<Job> job_;
    std::vector<std::pair<std::shared_ptr<Job>, std::thread>> workers_;
};

}  // namespace zav
