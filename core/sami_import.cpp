#include "core/sami_import.h"

#include "core/caption_document.h"
#include "core/sami_tolerant_reader.h"

#include <vector>

namespace zav {
namespace {

constexpr std::string_view kOwnHead =
    "<SAMI>\n<HEAD>\n   <SAMIParam>\n   </SAMIParam>\n   <STYLE type=\"text/css\"><!--\n";

// Passes everything on to the real target and keeps the state of every text it
// was given, so that a text replaced later counts as what it became.
class CountingTarget final : public SamiImportTarget {
public:
    explicit CountingTarget(SamiImportTarget& target) : target_(target) {}

    void addLanguage(LanguageClass language) override {
        target_.addLanguage(std::move(language));
        texts_.emplace_back(static_cast<std::size_t>(rows_), Text::Empty);
    }
    bool addRow() override {
        if (!target_.addRow()) return false;
        ++rows_;
        for (std::vector<Text>& texts : texts_) texts.push_back(Text::Empty);
        return true;
    }
    int rowCount() const override { return target_.rowCount(); }
    void setStartTime(int row, double ms) override { target_.setStartTime(row, ms); }
    void setText(int language, int row, std::u16string_view text) override {
        target_.setText(language, row, text);
        const std::u16string_view kept = text.substr(0, text.find(u'\0'));
        if (language < 0 || row < 0 || language >= static_cast<int>(texts_.size()) || row >= rows_) return;
        texts_[language][row] = kept.empty()                      ? Text::Empty
                                : kept.size() > kMaxCaptionText ? Text::Cut
                                                                : Text::Whole;
    }
    void endBody() override { target_.endBody(); }

    SamiImportReport report(bool ownLayout) const {
        SamiImportReport report;
        report.ownLayout = ownLayout;
        report.languages = static_cast<int>(texts_.size());
        report.rows = rows_;
        for (const std::vector<Text>& texts : texts_) {
            for (const Text text : texts) {
                report.captions += text != Text::Empty;
                report.cutCaptions += text == Text::Cut;
            }
        }
        return report;
    }

private:
    enum class Text : unsigned char { Empty, Whole, Cut };

    SamiImportTarget& target_;
    int rows_ = 0;
    std::vector<std::vector<Text>> texts_;  // per language, per row
};

}  // namespace

bool isOwnSamiLayout(std::string_view fileBytes) noexcept {
    // Text mode turns at most one CR LF per line into LF.
    constexpr std::size_t kLines = 5;
    const std::string_view start = fileBytes.substr(0, kOwnHead.size() + kLines);
    std::size_t i = 0;
    for (const char c : kOwnHead) {
        if (c == '\n' && i + 1 < start.size() && start[i] == '\r' && start[i + 1] == '\n') ++i;
        if (i >= start.size() || start[i] != c) return false;
        ++i;
    }
    return true;
}

SamiImportReport importSamiFile(std::string_view fileBytes, const CodePageConverter& codePage,
                                SamiImportTarget& target) {
    CountingTarget counting(target);
    const bool ownLayout = isOwnSamiLayout(fileBytes);
    if (ownLayout) {
        readSami(textModeInput(fileBytes), codePage, counting);
    } else {
        readTolerantSami(fileBytes, codePage, counting);
    }
    return counting.report(ownLayout);
}

}  // namespace zav
