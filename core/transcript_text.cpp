#include "core/transcript_text.h"

namespace zav {

std::string textModeRead(std::string_view fileBytes) {
    std::string text;
    text.reserve(fileBytes.size());
    for (std::size_t at = 0; at < fileBytes.size(); ++at) {
        if (fileBytes[at] == '\r' && at + 1 < fileBytes.size() && fileBytes[at + 1] == '\n') continue;
        text.push_back(fileBytes[at]);
    }
    return text;
}

std::string textModeWrite(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    return bytes;
}

std::string transcriptFileBytes(std::u16string_view windowText, const CodePageConverter& codePage) {
    return textModeWrite(codePage.toAnsi(windowText));
}

std::u16string transcriptWindowText(std::string_view fileBytes, const CodePageConverter& codePage) {
    const std::string text = textModeRead(fileBytes);
    return codePage.fromAnsi(std::string_view(text).substr(0, text.find('\0')));
}

std::string withTxtExtension(std::string ansiPath) {
    static constexpr std::string_view kExtension = ".txt";
    const bool hasIt = ansiPath.size() >= kExtension.size() &&
                       ansiPath.compare(ansiPath.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
    if (!hasIt) ansiPath += kExtension;
    return ansiPath;
}

}  // namespace zav
