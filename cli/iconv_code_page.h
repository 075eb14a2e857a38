#pragma once
// The code page converter of the command-line tool, on iconv: it stands in for the
// ANSI code page that the editor converts through on Windows.

#include "core/code_page.h"

#include <iconv.h>

#include <memory>
#include <string>

namespace zav::cli {

class IconvCodePage final : public CodePageConverter {
public:
    // The converter for an iconv code page name (such as WINDOWS-1252 or CP932);
    // nothing when iconv does not know it.
    static std::unique_ptr<IconvCodePage> open(const std::string& name);
    ~IconvCodePage() override;
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    // Characters the code page lacks become "?", as the system's default character.
    std::string toAnsi(std::u16string_view text) const override;
    // Bytes that are no character of the code page become "?".
    std::u16string fromAnsi(std::string_view text) const override;

private:
    IconvCodePage(iconv_t toAnsi, iconv_t fromAnsi);
    void learnSingleBytePage();

    iconv_t toAnsi_;
    iconv_t fromAnsi_;
    // For a code page of one byte per character (as Windows-1252), tables in both
    // directions, read from iconv once: converting a whole file byte by byte through
    // a table is many times faster than through iconv.
    bool singleByte_ = false;
    std::u16string fromByte_;  // 256 characters
    std::string toByte_;       // 65536 bytes; 0 for a character the page lacks (and for U+0000)
};

}  // namespace zav::cli
