#include "core/cue_document.h"

#include "core/caption_timing.h"
#include "core/cue_text.h"

#include <algorithm>

namespace zav {
namespace {

const std::u16string kNoText;

// A row the cues give: a start with its text, or an end that clears (no text).
struct CueRow {
    double ms;
    const std::u16string* text;
};

// The cues in time order, those that start together joined into one; a joined text
// is cut to the document's limit as the reader cuts. Cues from the reader come
// joined already.
std::vector<Cue> joinedCues(const std::vector<Cue>& fileCues) {
    std::vector<Cue> cues = fileCues;
    std::stable_sort(cues.begin(), cues.end(), [](const Cue& a, const Cue& b) { return a.startMs < b.startMs; });
    joinCuesStartingTogether(cues);
    for (Cue& cue : cues) {
        bool cut = false;
        if (cue.text.size() > kMaxCaptionText) cue.text = cutSamiText(cue.text, cut);
    }
    return cues;
}

std::vector<CueRow> cueRows(const std::vector<Cue>& cues) {
    std::vector<CueRow> rows;
    rows.reserve(cues.size() * 2);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        rows.push_back({static_cast<double>(cues[i].startMs), &cues[i].text});
        const bool last = i + 1 == cues.size();
        if (cues[i].endMs < kOpenCueEndMs && (last || cues[i].endMs < cues[i + 1].startMs))
            rows.push_back({static_cast<double>(cues[i].endMs), &kNoText});
    }
    // Cues that overlap (any not from the reader) may leave an end after a start.
    std::stable_sort(rows.begin(), rows.end(), [](const CueRow& a, const CueRow& b) { return a.ms < b.ms; });
    return rows;
}

// Builds the document with the new language: the rows of the document in time
// order merged with the rows of the cues, one group of equal times at a time. The
// document itself is only read, so nothing of it changes until the result replaces
// it.
class LanguageMerge {
public:
    LanguageMerge(const CaptionDocument& document, const std::vector<CueRow>& track)
        : document_(document), track_(track), order_(document.times().size()) {
        for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
        // The order of Sort By Time: stable, timed rows first.
        std::stable_sort(order_.begin(), order_.end(),
                         [&](int a, int b) { return comesBeforeInTime(document.times()[a], document.times()[b]); });
        while (timed_ < order_.size() && timeAt(timed_) != kNoTime) ++timed_;
    }

    CaptionDocument run(LanguageClass language, const CodePageConverter& codePage) {
        for (const LanguageClass& existing : document_.languages())
            merged_.appendLanguage(LanguageClass(existing.className(), existing.displayName(), existing.langCode()));
        merged_.appendLanguage(std::move(language));
        merged_.setCurrentLanguage(document_.currentLanguage());
        while (row_ < timed_ || cue_ < track_.size()) mergeGroup();
        for (; row_ < order_.size(); ++row_) takeRow(row_, nullptr);
        for (const auto& [row, ms] : added_) merged_.setStartTime(row, ms, codePage);
        return std::move(merged_);
    }

private:
    double timeAt(std::size_t sorted) const { return document_.times()[order_[sorted]].startMs; }

    // The rows of one time, rows that both sides have paired from the last on, so
    // that the row shown at that time holds the cue's text. The side with more rows
    // there puts its first ones before the pairs.
    void mergeGroup() {
        const bool takeRows = row_ < timed_ && (cue_ == track_.size() || !(track_[cue_].ms < timeAt(row_)));
        const double ms = takeRows ? timeAt(row_) : track_[cue_].ms;
        std::size_t rows = 0;
        if (takeRows) {
            rows = 1;  // at least one, even for a time that equals nothing
            while (row_ + rows < timed_ && timeAt(row_ + rows) == ms) ++rows;
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
    void takeRow(std::size_t sorted, const CueRow* cue) {
        const int row = order_[sorted];
        const std::size_t added = document_.languages().size();
        std::vector<std::u16string> texts;
        texts.reserve(added + 1);
        for (std::size_t l = 0; l < added; ++l) texts.push_back(document_.text(static_cast<int>(l), row));
        texts.push_back(cue ? captionTextOf(*cue->text) : sorted < timed_ ? previous(added) : u"");
        merged_.appendRow(document_.times()[row], texts);
    }

    // A new row: the other languages go on showing what they showed.
    void insertRow(const CueRow& cue) {
        const std::size_t added = document_.languages().size();
        std::vector<std::u16string> texts;
        texts.reserve(added + 1);
        for (std::size_t l = 0; l < added; ++l) texts.push_back(previous(l));
        texts.push_back(captionTextOf(*cue.text));
        added_.emplace_back(merged_.rowCount(), cue.ms);  // its TimeText comes at the end
        merged_.appendRow(TimeEntry{}, texts);
    }

    std::u16string previous(std::size_t language) const {
        const std::vector<std::u16string>& texts = merged_.languages()[language].texts();
        return texts.empty() ? std::u16string() : texts.back();
    }

    const CaptionDocument& document_;
    const std::vector<CueRow>& track_;
    std::vector<int> order_;  // row indices in time order
    std::size_t timed_ = 0;   // how many of them have a time
    std::size_t row_ = 0;
    std::size_t cue_ = 0;
    CaptionDocument merged_;
    std::vector<std::pair<int, double>> added_;
};

}  // namespace

LanguageClass importLanguageFor(const CaptionDocument& document) {
    if (!document.hasCurrentLanguage()) return LanguageClass("US English", "US English", "en-us");
    const LanguageClass& current = document.languages()[document.currentLanguage()];
    return LanguageClass(current.className(), current.displayName(), current.langCode());
}

bool replaceWithCues(CaptionDocument& document, const CueFile& file, const CodePageConverter& codePage) {
    if (file.cues.empty()) return false;
    CaptionDocument built;
    built.appendLanguage(importLanguageFor(document));
    const std::vector<Cue> cues = joinedCues(file.cues);
    for (const CueRow& row : cueRows(cues)) {
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
    const std::vector<Cue> cues = joinedCues(file.cues);
    const std::vector<CueRow> track = cueRows(cues);
    document = LanguageMerge(document, track).run(std::move(language), codePage);
    return document.languageCount() - 1;
}

}  // namespace zav
