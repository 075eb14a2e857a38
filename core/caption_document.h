#pragma once
// The caption document: rows with their start times, and languages holding one
// caption text per row. Every operation keeps the invariants:
//  - every language has exactly one text per row;
//  - rows exist only while at least one language exists;
//  - with a language, currentLanguage is a valid language index.

#include "core/code_page.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// A caption text holds at most this many UTF-16 units.
inline constexpr std::size_t kMaxCaptionText = 199;
// A row's TimeText holds at most this many UTF-16 units.
inline constexpr std::size_t kMaxTimeText = 19;
// Byte limits of a language's names, in the ANSI code page.
inline constexpr std::size_t kMaxClassName = 29;
inline constexpr std::size_t kMaxDisplayName = 99;
inline constexpr std::size_t kMaxLangCode = 9;

// Exactly -1: the row has no start time.
inline constexpr double kNoTime = -1;

struct TimeEntry {
    double startMs = kNoTime;
    std::u16string timeText;  // formatTimeText of startMs; empty while the row has no time
    int sortIndex = 0;        // scratch of Sort By Time
};

class LanguageClass {
public:
    LanguageClass() = default;
    LanguageClass(std::string_view className, std::string_view displayName, std::string_view langCode);

    std::vector<std::u16string> texts;  // one per row, at most kMaxCaptionText units each

    const std::string& className() const noexcept { return className_; }
    const std::string& displayName() const noexcept { return displayName_; }
    const std::string& langCode() const noexcept { return langCode_; }
    // Each setter keeps the bytes before the first zero byte, cut to the name's limit.
    void setClassName(std::string_view name);
    void setDisplayName(std::string_view name);
    void setLangCode(std::string_view code);

private:
    std::string className_;
    std::string displayName_;
    std::string langCode_;
};

// A caption text as the document keeps it: up to the first zero unit, at most
// kMaxCaptionText units, never ending in the first half of a surrogate pair.
std::u16string captionTextOf(std::u16string_view text);

class CaptionDocument {
public:
    std::vector<TimeEntry> times;
    std::vector<LanguageClass> languages;
    int currentLanguage = 0;

    int rowCount() const noexcept { return static_cast<int>(times.size()); }
    int languageCount() const noexcept { return static_cast<int>(languages.size()); }
    bool hasCurrentLanguage() const noexcept { return currentLanguage >= 0 && currentLanguage < languageCount(); }

    // Appends a row without time and an empty text in every language. Refused (false)
    // while there is no language.
    bool appendRow();
    // Removes the row's time and its text in every language.
    bool removeRow(int row);
    // Removes every row; the languages stay.
    void removeAllRows();
    // Appends the language with one empty text per existing row; texts the record
    // carries are dropped. Returns the new language's index.
    int appendLanguage(LanguageClass record);
    // Removes the language with its texts; currentLanguage becomes 0. Removing the
    // last language removes every row as well.
    bool removeLanguage(int index);

    // Stores the time and its TimeText, converted through the code page.
    void setStartTime(int row, double ms, const CodePageConverter& codePage);
    // Stores captionTextOf(text) as the row's text in the language.
    void setText(int language, int row, std::u16string_view text);
    const std::u16string& text(int language, int row) const { return languages[language].texts[row]; }
    // Every row loses its time.
    void clearAllTimes();

    // True when every invariant above holds.
    bool isConsistent() const noexcept;
};

}  // namespace zav
