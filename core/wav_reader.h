#pragma once
// WAV files (RIFF WAVE) read into mono sound for the speech detector and the
// waveform, and written for tests and tools.
//
// Reading rules:
//  - the file starts "RIFF", a size (not trusted: the file's own length bounds
//    every chunk) and "WAVE"; then chunks of an id, a little-endian size and a body
//    padded to an even length. Unknown chunks are passed over; a chunk that
//    declares more than the file holds ends the walk.
//  - the "fmt " chunk (at least 16 bytes) gives the format: 1 integer PCM of 8
//    (unsigned), 16, 24 or 32 bits; 3 IEEE float of 32 or 64 bits; 0xFFFE
//    (extensible) whose sub-format's first two bytes are one of those. Samples are
//    read in containers of the stated bits (whole bytes); at least one channel and
//    a rate of at least 1 Hz.
//  - the first "data" chunk after "fmt " holds the frames; when it declares more
//    than the file holds, the whole frames that are there are read and the rest is
//    counted as missing (a recording cut off, or a stream whose size was never
//    written).
//  - channels are mixed to mono by their mean, as floats from -1 to 1 (integers
//    divided by 2^(bits-1); floats are clamped to -1..1, and count as 0 when they
//    are not finite).
// Anything else (not RIFF WAVE, no format or data chunk, an unknown format) gives no
// sound and a one-line reason. Work and memory grow linearly with the file's size.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct WavSound {
    int sampleRate = 0;
    int channels = 0;      // in the file; mono holds their mix
    int bitsPerSample = 0; // of the container
    bool isFloat = false;
    std::vector<float> mono;
    std::size_t missingBytes = 0;  // declared in the data chunk but not in the file
};

struct WavReadResult {
    std::optional<WavSound> sound;
    std::string error;  // why there is no sound, without a line end
};

WavReadResult readWav(std::string_view bytes);

// A WAV file of the interleaved samples (-1 to 1, clamped), in integer PCM of 8,
// 16, 24 or 32 bits, or float of 32 or 64 bits; extensible writes the format as
// WAVE_FORMAT_EXTENSIBLE. Other bit counts write 16-bit PCM.
std::string writeWav(const std::vector<float>& interleaved, int channels, int sampleRate, int bitsPerSample,
                     bool isFloat, bool extensible = false);

}  // namespace zav
