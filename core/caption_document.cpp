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

void CaptionDocument::setCurrentLanguage(int index) noexcept {
    currentLanguage_ = index >= 0 && index < languageCount() ? index : 0;
}

bool CaptionDocument::appendRow() {
    if (languages_.empty()) return false;
    for (LanguageClass& language : languages_) language.texts_.emplace_back();
    times_.emplace_back();
    return true;
}

bool CaptionDocument::appendRow(const TimeEntry& time, const std::vector<std::u16string>& texts) {
    if (languages_.empty()) return false;
    for (std::size_t l = 0; l < languages_.size(); ++l)
        languages_[l].texts_.push_back(l < texts.size() ? captionTextOf(texts[l]) : std::u16string());
    times_.push_back(time);
    if (times_.back().timeText.size() > kMaxTimeText) times_.back().timeText.resize(kMaxTimeText);
    return true;
}

bool CaptionDocument::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    for (LanguageClass& language : languages_) language.texts_.erase(language.texts_.begin() + row);
    times_.erase(times_.begin() + row);
    return true;
}

void CaptionDocument::removeAllRows() {
    for (LanguageClass& language : languages_) language.texts_.clear();
    times_.clear();
}

int CaptionDocument::appendLanguage(LanguageClass record) {
    record.texts_.assign(times_.size(), std::u16string());
    languages_.push_back(std::move(record));
    return languageCount() - 1;
}

bool CaptionDocument::removeLanguage(int index) {
    if (index < 0 || index >= languageCount()) return false;
    languages_.erase(languages_.begin() + index);
    if (languages_.empty()) times_.clear();
    currentLanguage_ = 0;
    return true;
}

void CaptionDocument::setStartTime(int row, double ms, const CodePageConverter& codePage) {
    TimeEntry& entry = times_[row];
    entry.startMs = ms;
    // A time text is digits and colons, which every ANSI code page spells as ASCII;
    // only an unexpected byte goes through the converter. Whole documents are
    // re-timed at once (undo, sorting), where a conversion call per row would cost.
    const std::string text = formatTimeText(ms);
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    entry.timeText = ascii ? std::u16string(text.begin(), text.end()) : codePage.fromAnsi(text);
    if (entry.timeText.size() > kMaxTimeText) entry.timeText.resize(kMaxTimeText);
}

void CaptionDocument::clearStartTime(int row) {
    times_[row].startMs = kNoTime;
    times_[row].timeText.clear();
}

void CaptionDocument::setText(int language, int row, std::u16string_view text) {
    std::u16string& stored = languages_[language].texts_[row];
    if (stored != text) stored = captionTextOf(text);
}

void CaptionDocument::clearAllTimes() {
    for (TimeEntry& entry : times_) {
        entry.startMs = kNoTime;
        entry.timeText.clear();
    }
}

bool CaptionDocument::reorderRows(const std::vector<int>& order) {
    if (order.size() != times_.size()) return false;
    std::vector<bool> seen(order.size(), false);
    for (const int row : order) {
        if (row < 0 || row >= rowCount() || seen[static_cast<std::size_t>(row)]) return false;
        seen[static_cast<std::size_t>(row)] = true;
    }
    std::vector<TimeEntry> times;
    times.reserve(times_.size());
    for (const int row : order) {
        times.push_back(std::move(times_[row]));
        times.back().sortIndex = row;
    }
    times_ = std::move(times);
    for (LanguageClass& language : languages_) {
        std::vector<std::u16string> texts;
        texts.reserve(order.size());
        for (const int row : order) texts.push_back(std::move(language.texts_[row]));
        language.texts_ = std::move(texts);
    }
    return true;
}

bool CaptionDocument::isConsistent() const noexcept {
    if (languages_.empty()) return times_.empty();
    if (!hasCurrentLanguage()) return false;
    for (const LanguageClass& language : languages_) {
        if (language.texts_.size() != times_.size()) return false;
        for (const std::u16string& text : language.texts_) {
            if (text.size() > kMaxCaptionText || text.find(u'\0') != std::u16string::npos) return false;
        }
        if (language.className().size() > kMaxClassName || language.displayName().size() > kMaxDisplayName ||
            language.langCode().size() > kMaxLangCode)
            return false;
    }
    for (const TimeEntry& entry : times_) {
        if (entry.timeText.size() > kMaxTimeText) return false;
    }
    return true;
}

}  // namespace zav
