// Writes the WAV files the speech command is tested on into the folder given, with
// the onsets each should give (one per line, in ms) beside them: synthetic speech
// over silence (16-bit stereo) and over a music bed (extensible float), a tone
// burst (8-bit), silence (24-bit), and files that cannot be read.
#include "core/wav_reader.h"
#include "tests/native/synthetic_sound.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

bool save(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string onsetsOf(const std::vector<double>& onsets) {
    std::string text;
    for (const double onset : onsets) text += std::to_string(std::lround(onset)) + "\n";
    return text;
}

bool saveSpeech(const std::string& folder, const char* name, zav::test::Background background, int channels,
                int bits, bool isFloat, bool extensible) {
    const zav::test::SyntheticSound sound = zav::test::syntheticSpeech(16000, 4, background, 31);
    std::vector<float> interleaved;
    for (const float sample : sound.samples) interleaved.insert(interleaved.end(), static_cast<std::size_t>(channels), sample);
    std::vector<double> onsets;
    for (const zav::test::SyntheticLine& line : sound.lines) onsets.push_back(line.onsetMs);
    return save(folder + "/" + name + ".wav", zav::writeWav(interleaved, channels, 16000, bits, isFloat, extensible)) &&
           save(folder + "/" + name + ".onsets", onsetsOf(onsets));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_sound_fixtures FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<float> tone(8000 * 3, 0.0f);
    for (int i = 8000; i < 20000; ++i) tone[static_cast<std::size_t>(i)] = static_cast<float>(0.4 * std::sin(0.785398 * i));
    std::string adpcm = zav::writeWav(tone, 1, 8000, 16, false);
    adpcm[20] = 2;
    const bool saved =
        saveSpeech(folder, "speech", zav::test::Background::quiet, 2, 16, false, false) &&
        saveSpeech(folder, "speech_music", zav::test::Background::music, 1, 32, true, true) &&
        save(folder + "/tone.wav", zav::writeWav(tone, 1, 8000, 8, false)) && save(folder + "/tone.onsets", "1000\n") &&
        save(folder + "/silence.wav", zav::writeWav(std::vector<float>(3 * 44100 * 2, 0.0f), 2, 44100, 24, false)) &&
        save(folder + "/cut.wav", zav::writeWav(tone, 1, 8000, 16, false).substr(0, 30)) &&
        save(folder + "/adpcm.wav", adpcm);
    if (!saved) std::fprintf(stderr, "make_sound_fixtures: cannot write into %s\n", folder.c_str());
    return saved ? 0 : 1;
}
