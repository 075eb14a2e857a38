#include "core/wav_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace zav {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// The sub-format GUID of an extensible file after its first two bytes (the format).
constexpr unsigned char kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

struct Format {
    std::uint16_t tag = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

// The format of a "fmt " body, or a reason it cannot be read.
std::optional<Format> parseFormat(std::string_view body, std::string& error) {
    if (body.size() < 16) {
        error = "format chunk too short";
        return std::nullopt;
    }
    Format format;
    format.tag = static_cast<std::uint16_t>(littleEndian(body, 0, 2));
    format.channels = static_cast<int>(littleEndian(body, 2, 2));
    const std::uint32_t rate = littleEndian(body, 4, 4);
    format.bits = static_cast<int>(littleEndian(body, 14, 2));
    if (format.tag == kFormatExtensible) {
        if (body.size() < 40 || std::memcmp(body.data() + 26, kGuidTail, sizeof kGuidTail) != 0) {
            error = "unsupported extensible format";
            return std::nullopt;
        }
        format.tag = static_cast<std::uint16_t>(littleEndian(body, 24, 2));
    }
    const bool pcm = format.tag == kFormatPcm &&
                     (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
    const bool real = format.tag == kFormatFloat && (format.bits == 32 || format.bits == 64);
    if (!pcm && !real) {
        error = "unsupported format " + std::to_string(format.tag) + " with " + std::to_string(format.bits) +
                " bits per sample";
        return std::nullopt;
    }
    if (format.channels < 1 || rate < 1 || rate > 0x7FFFFFFF) {
        error = "no channel or no sample rate";
        return std::nullopt;
    }
    format.rate = static_cast<int>(rate);
    return format;
}

double sampleAt(const char* at, const Format& format) {
    const std::string_view bytes(at, static_cast<std::size_t>(format.bits / 8));
    if (format.tag == kFormatFloat) {
        double value;
        if (format.bits == 32) {
            float single;
            const std::uint32_t raw = littleEndian(bytes, 0, 4);
            std::memcpy(&single, &raw, 4);
            value = single;
        } else {
            const std::uint64_t raw = littleEndian(bytes, 0, 4) | (std::uint64_t{littleEndian(bytes, 4, 4)} << 32);
            std::memcpy(&value, &raw, 8);
        }
        return std::isfinite(value) ? std::clamp(value, -1.0, 1.0) : 0.0;
    }
    if (format.bits == 8) return (static_cast<unsigned char>(at[0]) - 128) / 128.0;
    const std::uint32_t raw = littleEndian(bytes, 0, format.bits / 8);
    const int shift = 32 - format.bits;
    // Sign-extends by moving the sample to the top of 32 bits and back.
    const std::int32_t value = static_cast<std::int32_t>(raw << shift) / (std::int32_t{1} << shift);
    return value / std::ldexp(1.0, format.bits - 1);
}

WavSound decode(std::string_view data, const Format& format, std::size_t missing) {
    WavSound sound;
    sound.sampleRate = format.rate;
    sound.channels = format.channels;
    sound.bitsPerSample = format.bits;
    sound.isFloat = format.tag == kFormatFloat;
    const std::size_t width = static_cast<std::size_t>(format.bits / 8);
    const std::size_t frameBytes = width * static_cast<std::size_t>(format.channels);
    const std::size_t frames = data.size() / frameBytes;
    sound.missingBytes = missing + data.size() % frameBytes;
    sound.mono.resize(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        double sum = 0;
        for (int channel = 0; channel < format.channels; ++channel)
            sum += sampleAt(data.data() + frame * frameBytes + static_cast<std::size_t>(channel) * width, format);
        sound.mono[frame] = static_cast<float>(sum / format.channels);
    }
    return sound;
}

void putLittle(std::string& out, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

WavReadResult readWav(std::string_view bytes) {
    WavReadResult result;
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        result.error = "not a RIFF WAVE file";
        return result;
    }
    std::optional<Format> format;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t declared = littleEndian(bytes, at + 4, 4);
        const std::size_t available = bytes.size() - at - 8;
        const std::string_view body = bytes.substr(at + 8, std::min(declared, available));
        if (id == "fmt ") {
            if (declared > available) break;
            format = parseFormat(body, result.error);
            if (!format) return result;
        } else if (id == "data" && format) {
            result.sound = decode(body, *format, declared - body.size());
            return result;
        }
        if (declared > available) break;
        at += 8 + declared;
        if (declared % 2 != 0 && at < bytes.size()) ++at;
    }
    result.error = format ? "no data chunk" : "no format chunk";
    return result;
}

std::string writeWav(const std::vector<float>& interleaved, int channels, int sampleRate, int bitsPerSample,
                     bool isFloat, bool extensible) {
    channels = std::max(channels, 1);
    if (isFloat ? bitsPerSample != 32 && bitsPerSample != 64
                : bitsPerSample != 8 && bitsPerSample != 16 && bitsPerSample != 24 && bitsPerSample != 32) {
        isFloat = false;
        bitsPerSample = 16;
    }
    const int width = bitsPerSample / 8;
    const std::uint16_t tag = isFloat ? kFormatFloat : kFormatPcm;
    std::string format;
    putLittle(format, extensible ? kFormatExtensible : tag, 2);
    putLittle(format, static_cast<std::uint64_t>(channels), 2);
    putLittle(format, static_cast<std::uint64_t>(sampleRate), 4);
    putLittle(format, static_cast<std::uint64_t>(sampleRate) * static_cast<std::uint64_t>(channels * width), 4);
    putLittle(format, static_cast<std::uint64_t>(channels * width), 2);
    putLittle(format, static_cast<std::uint64_t>(bitsPerSample), 2);
    if (extensible) {
        putLittle(format, 22, 2);
        putLittle(format, static_cast<std::uint64_t>(bitsPerSample), 2);
        putLittle(format, 0, 4);  // no speaker positions
        putLittle(format, tag, 2);
        format.append(reinterpret_cast<const char*>(kGuidTail), sizeof kGuidTail);
    }
    std::string data;
    const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < frames * static_cast<std::size_t>(channels); ++i) {
        const double value = std::clamp(static_cast<double>(interleaved[i]), -1.0, 1.0);
        if (isFloat && width == 4) {
            const float single = static_cast<float>(value);
            std::uint32_t raw;
            std::memcpy(&raw, &single, 4);
            putLittle(data, raw, 4);
        } else if (isFloat) {
            std::uint64_t raw;
            std::memcpy(&raw, &value, 8);
            putLittle(data, raw, 8);
        } else {
            const double scale = std::ldexp(1.0, bitsPerSample - 1);
            const double level = std::min(std::round(value * scale), scale - 1);
            const std::int64_t integer = static_cast<std::int64_t>(level) + (width == 1 ? 128 : 0);
            putLittle(data, static_cast<std::uint64_t>(integer), width);
        }
    }
    std::string file = "RIFF";
    putLittle(file, 4 + 8 + format.size() + 8 + data.size() + data.size() % 2, 4);
    file += "WAVEfmt ";
    putLittle(file, format.size(), 4);
    file += format;
    file += "data";
    putLittle(file, data.size(), 4);
    file += data;
    if (data.size() % 2 != 0) file += '\0';
    return file;
}

}  // namespace zav
