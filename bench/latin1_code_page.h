#pragma once
// One byte per character, as a Western ANSI code page converts ASCII: the converter
// of the tests opens iconv on every call, which would be most of what is measured.

#include "core/code_page.h"

#include <string>
#include <string_view>

namespace zav::bench {

class Latin1 final : public CodePageConverter {
public:
    std::string toAnsi(std::u16string_view text) const override {
        std::string bytes;
        for (const char16_t c : text) bytes += c < 256 ? static_cast<char>(c) : '?';
        return bytes;
    }
    std::u16string fromAnsi(std::string_view text) const override {
        std::u16string units;
        for (const char c : text) units += static_cast<char16_t>(static_cast<unsigned char>(c));
        return units;
    }
};

}  // namespace zav::bench
