#include "core/caption_document.h"

#include "core/time_text.h"

#include <algorithm>

namespace zav {
namespace {

std::string cutName(std::string_view name, std::size_t limit) {
    const std::size_t zero = name.find('\0');
    if (zero != std::string_view::npos) name = name.substr(0, zero);
    return std::string(name.substr(0, limit));
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

LanguageClass::LanguageClass(std::string_view className, std::string_view displayName, std::string_view langCode) {
    setClassName(className);
    setDisplayName(displayName);
    setLangCode(langCode);
}

void LanguageClass::setClassName(std::string_view name) { className_ = cutName(name, kMaxClassName); }
void LanguageClass::setDisplayName(std::string_view name) { displayName_ = cutName(name, kMaxDisplayName); }
void LanguageClass::setLangCode(std::string_view code) { langCode_ = cutName(code, kMaxLangCode); }

std::u16string captionTextOf(std::u16string_view text) {
    const std::size_t zero = text.find(u'\0');
    if (zero != std::u16string_view::npos) text = text.substr(0, zero);
    if (text.size() > kMaxCaptionText) {
        text = text.substr(0, kMaxCaptionText);
        // Half a character would turn into a replacement character in every file.
        if (isHighSurrogate(text.back())) text.remove_suffix(1);
    }
    return std::u16string(text);
}

bool CaptionDocument::appendRow() {
    if (languages.empty()) return false;
    for (LanguageClass& language : languages) language.texts.emplace_back();
    times.emplace_back();
    return true;
}

bool CaptionDocument::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    for (LanguageClass& language : languages) language.texts.erase(language.texts.begin() + row);
    times.erase(times.begin() + row);
    return true;
}

void CaptionDocument::removeAllRows() {
    for (LanguageClass& language : languages) language.texts.clear();
    times.clear();
}

int CaptionDocument::appendLanguage(LanguageClass record) {
    record.texts.assign(times.size(), std::u16string());
    languages.push_back(std::move(record));
    return languageCount() - 1;
}

bool CaptionDocument::removeLanguage(int index) {
    if (index < 0 || index >= languageCount()) return false;
    languages.erase(languages.begin() + index);
    if (languages.empty()) times.clear();
    currentLanguage = 0;
    return true;
}

void CaptionDocument::setStartTime(int row, double ms, const CodePageConverter& codePage) {
    TimeEntry& entry = times[row];
    entry.startMs = ms;
    // A time text is digits and colons, which every ANSI code page spells as ASCII;
    // only an unexpected byte goes through the converter. Whole documents are
    // re-timed at once (undo, sorting), where a conversion call per row would cost.
    const std::string text = formatTimeText(ms);
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    entry.timeText = ascii ? std::u16string(text.begin(), text.end()) : codePage.fromAnsi(text);
    if (entry.timeText.size() > kMaxTimeText) entry.timeText.resize(kMaxTimeText);
}

void CaptionDocument::setText(int language, int row, std::u16string_view text) {
    std::u16string& stored = languages[language].texts[row];
    if (stored != text) stored = captionTextOf(text);
}

void CaptionDocument::clearAllTimes() {
    for (TimeEntry& entry : times) {
        entry.startMs = kNoTime;
        entry.timeText.clear();
    }
}

bool CaptionDocument::isConsistent() const noexcept {
    if (languages.empty()) return times.empty();
    if (!hasCurrentLanguage()) return false;
    for (const LanguageClass& language : languages) {
        if (language.texts.size() != times.size()) return false;
        for (const std::u16string& text : language.texts) {
            if (text.size() > kMaxCaptionText || text.find(u'\0') != std::u16string::npos) return false;
        }
        if (language.className().size() > kMaxClassName || language.displayName().size() > kMaxDisplayName ||
            language.langCode().size() > kMaxLangCode)
            return false;
    }
    for (const TimeEntry& entry : times) {
        if (entry.timeText.size() > kMaxTimeText) return false;
    }
    return true;
}

}  // namespace zav
