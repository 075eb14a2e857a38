#include "core/caption_listing.h"

#include "core/sami_writer.h"
#include "core/text_encoding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zav {
namespace {

std::string fieldOf(const std::string& ansi, const CodePageConverter& codePage) {
    std::string field = utf16ToUtf8(codePage.fromAnsi(ansi));
    for (char& c : field) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return field;
}

// The text field, its TABs, line breaks and backslashes escaped.
void appendTextField(std::string& listing, const std::u16string& text) {
    for (const char c : utf16ToUtf8(text)) {
        switch (c) {
        case '\t': listing += "\\t"; break;
        case '\r': listing += "\\r"; break;
        case '\n': listing += "\\n"; break;
        case '\\': listing += "\\\\"; break;
        default: listing += c;
        }
    }
}

}  // namespace

std::string millisecondsText(double ms) {
    if (!std::isfinite(ms) || ms == std::trunc(ms)) return samiStartText(ms);
    char digits[64];
    for (const int precision : {15, 16, 17}) {
        std::snprintf(digits, sizeof digits, "%.*g", precision, ms);
        if (std::strtod(digits, nullptr) == ms) break;
    }
    return digits;
}

std::string captionListing(const CaptionDocument& document, const CodePageConverter& codePage) {
    std::vector<std::string> prefixes;
    for (const LanguageClass& language : document.languages()) {
        prefixes.push_back(fieldOf(language.className(), codePage) + '\t' + fieldOf(language.langCode(), codePage) +
                           '\t');
    }
    std::string listing;
    for (int row = 0; row < document.rowCount(); ++row) {
        const std::string time = millisecondsText(document.times()[row].startMs) + '\t';
        for (int language = 0; language < document.languageCount(); ++language) {
            const std::u16string& text = document.text(language, row);
            if (text.empty()) continue;
            listing += prefixes[language];
            listing += time;
            appendTextField(listing, text);
            listing += '\n';
        }
    }
    return listing;
}

}  // namespace zav
