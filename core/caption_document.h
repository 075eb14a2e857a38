#pragma once
// The caption document: rows with their start times, and languages holding one
// caption text per row. Its rows, times, texts and languages change only through
// its own operations, each of which keeps the invariants:
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

    // One per row, at most kMaxCaptionText units each; a record made outside a
    // document holds none.
    const std::vector<std::u16string>& texts() const noexcept { return texts_; }

    const std::string& className() const noexcept { return className_; }
    const std::string& displayName() const noexcept { return displayName_; }
    const std::string& langCode() const noexcept { return langCode_; }
    // Each setter keeps the bytes before the first zero byte, cut to the name's limit.
    void setClassName(std::string_view name);
    void setDisplayName(std::string_view name);
    void setLangCode(std::string_view code);

private:
    friend class CaptionDocument;
    // The unit tests break the invariants on purpose, to see isConsistent catch it.
    friend struct CaptionDocumentProbe;
    std::vector<std::u16string> texts_;
    std::string className_;
    std::string displayName_;
    std::string langCode_;
};

// A caption text as the document keeps it: up to the first zero unit, at most
// kMaxCaptionText units, never ending in the first half of a surrogate pair.
std::u16string captionTextOf(std::u16string_view text);

class CaptionDocument {
public:
    const std::vector<TimeEntry>& times() const noexcept { return times_; }
    const std::vector<LanguageClass>& languages() const noexcept { return languages_; }
    const LanguageClass& language(int index) const { return languages_[index]; }
    // The shown language; 0 when there is none.
    int currentLanguage() const noexcept { return currentLanguage_; }
    // Shows the language index; an index that names no language shows 0.
    void setCurrentLanguage(int index) noexcept;

    int rowCount() const noexcept { return static_cast<int>(times_.size()); }
    int languageCount() const noexcept { return static_cast<int>(languages_.size()); }
    bool hasCurrentLanguage() const noexcept { return currentLanguage_ >= 0 && currentLanguage_ < languageCount(); }

    // Appends a row without time and an empty text in every language. Refused (false)
    // while there is no language.
    bool appendRow();
    // Appends a row with the time as given (its TimeText cut to its limit) and the
    // texts, one per language in their order (captionTextOf each, missing ones
    // empty, extra ones dropped). Refused (false) while there is no language.
    bool appendRow(const TimeEntry& time, const std::vector<std::u16string>& texts);
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
    // The row loses its time (and its TimeText).
    void clearStartTime(int row);
    // Stores captionTextOf(text) as the row's text in the language.
    void setText(int language, int row, std::u16string_view text);
    const std::u16string& text(int language, int row) const { return languages_[language].texts_[row]; }
    // Every row loses its time.
    void clearAllTimes();
    // Puts the rows in a new order, each with its time and texts: row i becomes the
    // row that was order[i], and its sortIndex tells that row. Refused (false, nothing
    // changed) unless order names every row exactly once.
    bool reorderRows(const std::vector<int>& order);

    // True when every invariant above holds.
    bool isConsistent() const noexcept;

private:
    friend struct CaptionDocumentProbe;
    std::vector<TimeEntry> times_;
    std::vector<LanguageClass> languages_;
    int currentLanguage_ = 0;
};

}  // namespace zav
