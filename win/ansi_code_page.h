#pragma once
// The system's ANSI code page (CP_ACP), the program's one conversion of file and
// language-name text.

#include "core/code_page.h"

namespace zav {

class AnsiCodePage final : public CodePageConverter {
public:
    std::string toAnsi(std::u16string_view text) const override;
    std::u16string fromAnsi(std::string_view text) const override;
};

// The instance the program uses.
const CodePageConverter& ansiCodePage();

// UTF-16 text as the Windows calls take it, and back.
std::wstring toWide(std::u16string_view text);
std::u16string fromWide(std::wstring_view text);

}  // namespace zav
