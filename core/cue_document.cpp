#include "core/cue_document.h"

#include "core/caption_timing.h"

#include <algorithm>

namespace zav {
namespace {

const std::u16string kNoText;

// A row the cues give: a start with its text, or an end that clears (no text).
struct CueRow {
    double ms;
    const std::u16string* text;
};

std::vector<CueRow> cueRows(const std::vector<Cue>& cues) {
    std::vector<CueRow> rows;
    rows.reserve(cues.size() * 2);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        rows.push_back({static_cast<double>(cues[i].startMs), &cues[i].text});
        const bool last = i + 1 == cues.size();
        if (cues[i].endMs < kOpenCueEndMs && (last || cues[i].endMs < cues[i + 1].startMs))
            rows.push_back({static_cast<double>(cues[i].endMs), &kNoText});
    }
    // Cues from the reader are in order already; any others are put in order here.
    std::stable_sort(rows.begin(), rows.end(), [](const CueRow& a, const CueRow& b) { return a.ms < b.ms; });
    return rows;
}

// Merges the rows of the new language into the sorted rows of the document, one
// group of equal times at a time.
class LanguageMerge {
public:
    LanguageMerge(CaptionDocument& document, const std::vector<CueRow>& track)
        : document_(document), track_(track), texts_(document.languages.size() + 1) {
        timed_ = static_cast<std::size_t>(std::find_if(document.times.begin(), document.times.end(),
                                                       [](const TimeEntry& e) { return e.startMs == kNoTime; }) -
                                          document.times.begin());
    }

    // Returns the index of the new language, the last one.
    int run(LanguageClass language, const CodePageConverter& codePage) {
        while (row_ < timed_ || cue_ < track_.size()) mergeGroup();
        for (; row_ < document_.times.size(); ++row_) takeRow(row_, nullptr);
        document_.times = std::move(times_);
        for (std::size_t l = 0; l + 1 < texts_.size(); ++l) document_.languages[l].texts = std::move(texts_[l]);
        for (const int row : added_) document_.setStartTime(row, document_.times[row].startMs, codePage);
        language.texts = std::move(texts_.back());
        document_.languages.push_back(std::move(language));
        return document_.languageCount() - 1;
    }

private:
    // The rows of one time, rows that both sides have paired from the last on, so
    // that the row shown at that time holds the cue's text. The side with more rows
    // there puts its first ones before the pairs.
    void mergeGroup() {
        const std::vector<TimeEntry>& times = document_.times;
        const bool takeRows = row_ < timed_ && (cue_ == track_.size() || !(track_[cue_].ms < times[row_].startMs));
        const double ms = takeRows ? times[row_].startMs : track_[cue_].ms;
        std::size_t rows = 0;
        if (takeRows) {
            rows = 1;  // at least one, even for a time that equals nothing
            while (row_ + rows < timed_ && times[row_ + rows].startMs == ms) ++rows;
        }
        std::size_t cues = 0;
        while (cue_ + cues < track_.size() && track_[cue_ + cues].ms == ms) ++cues;
        const std::size_t count = std::max(rows, cues);
        for (std::size_t k = 0; k < count; ++k) {
            const CueRow* cue = k >= count - cues ? &track_[cue_ + k - (count - cues)] : nullptr;
            if (k >= count - rows) {
                takeRow(row_ + k - (count - rows), cue);
            } else {
                insertRow(*cue);
            }
        }
        row_ += rows;
        cue_ += cues;
    }

    // An existing row: its texts stay; the new language shows its cue's text, or
    // goes on showing what it showed.
    void takeRow(std::size_t row, const CueRow* cue) {
        for (std::size_t l = 0; l + 1 < texts_.size(); ++l)
            texts_[l].push_back(std::move(document_.languages[l].texts[row]));
        const bool timed = row < timed_;
        texts_.back().push_back(cue ? captionTextOf(*cue->text) : timed ? previous(texts_.size() - 1) : u"");
        times_.push_back(std::move(document_.times[row]));
    }

    // A new row: the other languages go on showing what they showed.
    void insertRow(const CueRow& cue) {
        for (std::size_t l = 0; l + 1 < texts_.size(); ++l) texts_[l].push_back(previous(l));
        texts_.back().push_back(captionTextOf(*cue.text));
        TimeEntry entry;
        entry.startMs = cue.ms;
        added_.push_back(static_cast<int>(times_.size()));  // its TimeText comes at the end
        times_.push_back(std::move(entry));
    }

    std::u16string previous(std::size_t language) const {
        return texts_[language].empty() ? std::u16string() : texts_[language].back();
    }

    CaptionDocument& document_;
    const std::vector<CueRow>& track_;
    std::size_t timed_ = 0;
    std::size_t row_ = 0;
    std::size_t cue_ = 0;
    std::vector<TimeEntry> times_;
    std::vector<int> added_;
    std::vector<std::vector<std::u16string>> texts_;  // the existing languages, then the new one
};

}  // namespace

LanguageClass importLanguageFor(const CaptionDocument& document) {
    if (!document.hasCurrentLanguage()) return LanguageClass("US English", "US English", "en-us");
    const LanguageClass& current = document.languages[document.currentLanguage];
    return LanguageClass(current.className(), current.displayName(), current.langCode());
}

bool replaceWithCues(CaptionDocument& document, const CueFile& file, const CodePageConverter& codePage) {
    if (file.cues.empty()) return false;
    CaptionDocument built;
    built.appendLanguage(importLanguageFor(document));
    for (const CueRow& row : cueRows(file.cues)) {
        built.appendRow();
        const int index = built.rowCount() - 1;
        built.setStartTime(index, row.ms, codePage);
        built.setText(0, index, *row.text);
    }
    document = std::move(built);
    return true;
}

int addCueLanguage(CaptionDocument& document, const CueFile& file, LanguageClass language,
                   const CodePageConverter& codePage) {
    if (file.cues.empty()) return -1;
    sortRowsByTime(document);
    const std::vector<CueRow> track = cueRows(file.cues);
    // The merge works on one more language than the document has: the new one.
    LanguageMerge merge(document, track);
    return merge.run(std::move(language), codePage);
}

}  // namespace zav
