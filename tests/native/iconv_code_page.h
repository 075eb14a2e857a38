#pragma once
// The code page converter of the native tests, standing in for the ANSI code page:
// Windows-1252 by default, any iconv code page on request. It is the command-line
// tool's converter, so the tests and the tool convert alike.

#include "cli/iconv_code_page.h"
#include "core/code_page.h"

#include <memory>
#include <string>

namespace zav::test {

class IconvCodePage final : public CodePageConverter {
public:
    // Throws for a code page iconv does not know.
    explicit IconvCodePage(const std::string& codePage = "WINDOWS-1252");
    std::string toAnsi(std::u16string_view text) const override { return converter_->toAnsi(text); }
    std::u16string fromAnsi(std::string_view text) const override { return converter_->fromAnsi(text); }

private:
    std::shared_ptr<const cli::IconvCodePage> converter_;
};

}  // namespace zav::test
