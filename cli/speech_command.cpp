#include "cli/caption_input.h"
#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "core/speech_detector.h"
#include "core/wav_reader.h"

#include <algorithm>
#include <cmath>

namespace zav::cli {

int speechCommand(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    const std::optional<CommandArguments> parsed = parseCommandArguments(arguments, "speech", {}, 1, err);
    if (!parsed) return kExitError;
    const std::string& path = parsed->files[0];
    const std::optional<std::string> bytes = readInputFile(path, "speech", err);
    if (!bytes) return kExitError;
    const WavReadResult read = readWav(*bytes);
    if (!read.sound) {
        std::fprintf(err, "zavcaption speech: %s: %s\n", path.c_str(), read.error.c_str());
        return kExitError;
    }
    const WavSound& sound = *read.sound;
    // Fed a second at a time, as a decoder would.
    SpeechDetector detector(sound.sampleRate);
    const std::size_t block = static_cast<std::size_t>(sound.sampleRate);
    for (std::size_t at = 0; at < sound.mono.size(); at += block)
        detector.append(sound.mono.data() + at, std::min(block, sound.mono.size() - at), 1);
    detector.finish();
    const std::vector<SpeechStretch> stretches = detector.stretches();
    for (const SpeechStretch& stretch : stretches) {
        std::fprintf(out, "%lld\t%lld\t%.2f\n", static_cast<long long>(std::llround(stretch.onsetMs)),
                     static_cast<long long>(std::llround(stretch.endMs)), stretch.confidence);
    }
    std::fflush(out);
    std::fprintf(err, "stretches: %zu, seconds: %.3f, rate: %d, channels: %d, bits: %d%s", stretches.size(),
                 static_cast<double>(sound.mono.size()) / sound.sampleRate, sound.sampleRate, sound.channels,
                 sound.bitsPerSample, sound.isFloat ? " float" : "");
    if (sound.missingBytes > 0) std::fprintf(err, ", data bytes missing: %zu", sound.missingBytes);
    std::fputc('\n', err);
    return stretches.empty() ? kExitNothing : kExitDone;
}

}  // namespace zav::cli
