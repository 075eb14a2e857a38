#pragma once
// A code page converter on glibc's iconv, standing in for the ANSI code page in
// native tests: Windows-1252 by default, any iconv code page on request.

#include "core/code_page.h"

#include <string>

namespace zav::test {

class IconvCodePage final : public CodePageConverter {
public:
    explicit IconvCodePage(std::string codePage = "WINDOWS-1252");
    std::string toAnsi(std::u16string_view text) const override;
    std::u16string fromAnsi(std::string_view text) const override;

private:
    std::string codePage_;
};

}  // namespace zav::test
