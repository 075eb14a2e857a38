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
    // trimmed name is the conversion of a prefix of the typed characters; take as
    // many whole characters as fit.
    std::string cut;
    std::size_t i = 0;
    while (i < typed.size()) {
        const std::size_t length = (isSurrogateLead(typed[i]) && i + 1 < typed.size()) ? 2 : 1;
        const std::string bytes = codePage.toAnsi(typed.substr(i, length));
        if (cut.size() + bytes.size() > kMaxClassName) break;
        cut += bytes;
        i += length;
    }
    // A converter that maps text piecewise differently (broken surrogates) falls
    // back to the plain byte cut.
    if (name.compare(0, cut.size(), cut) != 0) cut = name.substr(0, kMaxClassName);
    return cut;
}

LanguageClass addedLanguage(const std::string& className) { return LanguageClass(className, className, "ZAV-CC"); }

}  // namespace zav
