#pragma once
// Decoding a film's sound to PCM for the timeline and the speech detector. The
// program decodes on its own, not through the player control: on Windows the
// system's player plays the film and offers no samples.
//
// A decoder runs on a worker thread (COM initialised there, multithreaded) and hands
// its receiver the sound in blocks of interleaved 16-bit samples as they come, from
// that thread or from a thread of its own, one block at a time.

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zav {

class SoundReceiver {
public:
    // Once, before the first block: the blocks' rate and channels, and the sound's
    // length in ms when the file tells it (0 when it does not).
    virtual void soundFormat(int sampleRate, int channels, double durationMs) = 0;
    // Frames of interleaved samples, as many channels a frame as announced.
    virtual void soundBlock(const std::int16_t* samples, std::size_t frames) = 0;

protected:
    ~SoundReceiver() = default;
};

class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;
    // Decodes the first sound stream of the file at path. Returns S_OK once the whole
    // sound has been handed over, E_ABORT soon (within about 100 ms) after cancel
    // becomes true, and a failure when the file cannot be read or has no sound
    // (VFW_E_NOT_FOUND); no block is handed over after it returns.
    virtual HRESULT decode(const std::wstring& path, SoundReceiver& receiver, const std::atomic<bool>& cancel) = 0;
};

// This system's decoder: DirectShow's sample grabber behind the file's source filter,
// with the graph's clock switched off so that it runs as fast as it can decode. The
// format is announced on the calling thread, the blocks come from the graph's
// streaming thread as the decoder makes them (integer and float PCM converted to 16
// bits); it looks at cancel every 50 ms and before each block, and a receiver that
// throws ends the decoding with E_OUTOFMEMORY.
std::unique_ptr<SoundDecoder> makeSystemSoundDecoder();

}  // namespace zav
