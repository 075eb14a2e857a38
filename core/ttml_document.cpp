#include "core/ttml_document.h"

#include "core/cue_document.h"

#include <algorithm>

namespace zav {
namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

bool isAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

std::string englishName(std::string_view primary) {
    static const struct {
        const char* code;
        const char* name;
    } kNames[] = {{"ar", "Arabic"},  {"da", "Danish"},   {"de", "German"},  {"en", "English"},   {"es", "Spanish"},
                  {"fi", "Finnish"}, {"fr", "French"},   {"it", "Italian"}, {"ja", "Japanese"},  {"ko", "Korean"},
                  {"nl", "Dutch"},   {"no", "Norwegian"}, {"pl", "Polish"}, {"pt", "Portuguese"}, {"ru", "Russian"},
                  {"sv", "Swedish"}, {"tr", "Turkish"},  {"zh", "Chinese"}};
    for (const auto& known : kNames) {
        if (sameIgnoringCase(primary, known.code)) return known.name;
    }
    return {};
}

bool classTaken(const CaptionDocument& document, std::string_view name) {
    return std::any_of(document.languages().begin(), document.languages().end(),
                       [&](const LanguageClass& language) { return sameIgnoringCase(language.className(), name); });
}

// The language with a class name no other language of the document has.
LanguageClass unique(LanguageClass language, const CaptionDocument& document) {
    const std::string base = language.className();
    for (int number = 2; classTaken(document, language.className()); ++number) {
        const std::string suffix = std::to_string(number);
        language.setClassName(base.substr(0, kMaxClassName - suffix.size()) + suffix);
    }
    return language;
}

// The names a code gets on Import (from the document as it was) or on Add Language.
LanguageClass languageFor(const std::string& code, const CaptionDocument& was, bool importing) {
    for (const LanguageClass& language : was.languages()) {
        if (!code.empty() && sameIgnoringCase(language.langCode(), code.substr(0, kMaxLangCode)))
            return LanguageClass(language.className(), language.displayName(), language.langCode());
    }
    if (code.empty() && importing) return importLanguageFor(was);
    return ttmlLanguageClass(code);
}

}  // namespace

LanguageClass ttmlLanguageClass(std::string_view code) {
    std::string className;
    bool usable = !code.empty();
    for (const char c : code) {
        usable = usable && (isAlnum(c) || c == '-' || c == '_');
        if (isAlnum(c)) className.push_back(upper(c));
    }
    if (!usable || className.empty()) return LanguageClass("UNDCC", "Undetermined", "und");
    const std::size_t dash = code.find_first_of("-_");
    const std::string name = englishName(code.substr(0, dash));
    const std::string display = name.empty() ? std::string(code)
                                : dash == std::string_view::npos ? name
                                                                 : name + " (" + std::string(code.substr(dash + 1)) + ")";
    return LanguageClass(className + "CC", display, code);
}

bool replaceWithTtml(CaptionDocument& document, const TtmlFile& file, const CodePageConverter& codePage) {
    if (!file.ok() || file.languages.empty()) return false;
    // replaceWithCues names its language after the current one of the document it
    // replaces: here the one the first language of the file gets.
    CaptionDocument built;
    built.appendLanguage(languageFor(file.languages[0].code, document, true));
    if (!replaceWithCues(built, file.languages[0].cues, codePage)) return false;
    for (std::size_t i = 1; i < file.languages.size(); ++i) {
        const LanguageClass language = unique(languageFor(file.languages[i].code, document, true), built);
        addCueLanguage(built, file.languages[i].cues, language, codePage);
    }
    built.setCurrentLanguage(0);
    document = std::move(built);
    return true;
}

int addTtmlLanguages(CaptionDocument& document, const TtmlFile& file, const CodePageConverter& codePage) {
    if (!file.ok()) return 0;
    CaptionDocument built = document;
    int added = 0;
    for (const TtmlLanguage& language : file.languages) {
        if (addCueLanguage(built, language.cues, unique(languageFor(language.code, CaptionDocument(), false), built),
                           codePage) >= 0)
            ++added;
    }
    if (added > 0) document = std::move(built);
    return added;
}

}  // namespace zav
