#pragma once
// Conversion between the document's UTF-16 text and 8-bit text in one code page.
// The program converts through the system's ANSI code page; tests hand in a fixed
// one, so the core never depends on the machine it runs on.

#include <string>
#include <string_view>

namespace zav {

class CodePageConverter {
public:
    virtual ~CodePageConverter() = default;
    virtual std::string toAnsi(std::u16string_view text) const = 0;
    virtual std::u16string fromAnsi(std::string_view text) const = 0;
};

}  // namespace zav
