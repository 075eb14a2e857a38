#include "core/text_encoding.h"

namespace zav {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool startsWith(std::string_view bytes, std::string_view prefix) noexcept {
    return bytes.size() >= prefix.size() && bytes.compare(0, prefix.size(), prefix) == 0;
}

// Decodes one UTF-8 sequence at bytes[i]; returns its length, or 0 when malformed.
std::size_t decodeUtf8(std::string_view bytes, std::size_t i, char32_t& out) noexcept {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t length;
    char32_t value;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    out = value;
    return length;
}

void appendUtf16(std::u16string& text, char32_t c) {
    if (c < 0x10000) {
        text.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

}  // namespace

bool isValidUtf8(std::string_view bytes, bool* multiByte) noexcept {
    bool anyMultiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        const std::size_t length = decodeUtf8(bytes, i, c);
        if (length == 0) return false;
        anyMultiByte = anyMultiByte || length > 1;
        i += length;
    }
    if (multiByte) *multiByte = anyMultiByte;
    return true;
}

TextEncoding detectTextEncoding(std::string_view bytes) noexcept {
    if (startsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8Bom;
    if (startsWith(bytes, "\xFF\xFE")) return TextEncoding::Utf16Le;
    if (startsWith(bytes, "\xFE\xFF")) return TextEncoding::Utf16Be;
    bool multiByte = false;
    if (isValidUtf8(bytes, &multiByte) && multiByte) return TextEncoding::Utf8;
    return TextEncoding::Ansi;
}

std::size_t byteOrderMarkLength(TextEncoding encoding) noexcept {
    switch (encoding) {
    case TextEncoding::Utf8Bom: return 3;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: return 2;
    default: return 0;
    }
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::u16string utf8ToUtf16(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        const std::size_t length = decodeUtf8(bytes, i, c);
        if (length == 0) {
            text.push_back(kReplacement);
            ++i;
        } else {
            appendUtf16(text, c);
            i += length;
        }
    }
    return text;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

std::u16string decodeText(std::string_view bytes, const CodePageConverter& codePage) {
    const TextEncoding encoding = detectTextEncoding(bytes);
    const std::string_view body = bytes.substr(byteOrderMarkLength(encoding));
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: return utf8ToUtf16(body);
    case TextEncoding::Utf16Le: return decodeUtf16(body, false);
    case TextEncoding::Utf16Be: return decodeUtf16(body, true);
    case TextEncoding::Ansi: break;
    }
    return codePage.fromAnsi(body);
}

}  // namespace zav
