#include "core/language_name.h"

namespace zav {
namespace {

bool isSurrogateLead(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::optional<std::string> classNameFromTyped(std::u16string_view typed, const CodePageConverter& codePage) {
    if (typed.size() > kMaxTypedClassName) typed = typed.substr(0, kMaxTypedClassName);
    const std::size_t zero = typed.find(u'\0');
    if (zero != std::u16string_view::npos) typed = typed.substr(0, zero);

    std::string name = codePage.toAnsi(typed);
    while (!name.empty()) {
        const auto last = static_cast<unsigned char>(name.back());
        if (last < 1 || last > 32) break;
        name.pop_back();
    }
    if (name.empty()) return std::nullopt;
    if (name.size() <= kMaxClassName) return name;

    // Bytes 1 to 32 are single-byte characters in every ANSI code page, so the
    // trimmed name is the conversion of a prefix of the typed characters.
    std::string cut = ansiPrefix(typed, kMaxClassName, codePage);
    // A converter that maps text piecewise differently (broken surrogates) falls
    // back to the plain byte cut.
    if (name.compare(0, cut.size(), cut) != 0) cut = name.substr(0, kMaxClassName);
    return cut;
}

std::string ansiPrefix(std::u16string_view text, std::size_t limit, const CodePageConverter& codePage) {
    std::string whole = codePage.toAnsi(text);
    if (whole.size() <= limit) return whole;
    std::string cut;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = (isSurrogateLead(text[i]) && i + 1 < text.size()) ? 2 : 1;
        const std::string bytes = codePage.toAnsi(text.substr(i, length));
        if (cut.size() + bytes.size() > limit) break;
        cut += bytes;
        i += length;
    }
    return cut;
}

LanguageClass addedLanguage(const std::string& className) { return LanguageClass(className, className, "ZAV-CC"); }

}  // namespace zav
