#include "core/sami_import.h"

#include "core/caption_document.h"
#include "core/sami_tolerant_reader.h"

#include <unordered_set>
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

// The length of the five lines Export SAMI writes first, or npos when the data does
// not begin with them. Text mode turns at most one CR LF per line into LF.
std::size_t ownHeadLength(std::string_view fileBytes) {
    std::size_t i = 0;
    for (const char c : kOwnHead) {
        if (c == '\n' && i + 1 < fileBytes.size() && fileBytes[i] == '\r' && fileBytes[i + 1] == '\n') ++i;
        if (i >= fileBytes.size() || fileBytes[i] != c) return std::string_view::npos;
        ++i;
    }
    return i;
}

bool startsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// Follows the lines after the head through the layout Export SAMI writes, each line
// looked at once: class lines, the end of the head, then SYNC lines with digits, P
// lines of a declared class (the text after them anything on one line) and the end
// of the file. The data may stop after any line.
class OwnLayoutCheck {
public:
    bool passes(std::string_view rest) {
        std::size_t at = 0;
        while (at < rest.size()) {
            const std::size_t lf = rest.find('\n', at);
            const std::size_t end = lf == std::string_view::npos ? rest.size() : lf;
            std::string_view line = rest.substr(at, end - at);
            if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
            // A CR or zero byte within a line is none that Export SAMI writes.
            if (line.find_first_of(std::string_view("\r\0", 2)) != std::string_view::npos) return false;
            if (!passesLine(line)) return false;
            at = end + 1;
        }
        return true;
    }

private:
    enum class Part { classes, headEnd, bodyStart, body, fileEnd, done };

    bool passesLine(std::string_view line) {
        switch (part_) {
        case Part::classes:
            if (line == "   --></STYLE>") return next(Part::headEnd);
            return isClassLine(line);
        case Part::headEnd: return line == "</HEAD>" && next(Part::bodyStart);
        case Part::bodyStart: return line == "<BODY>" && next(Part::body);
        case Part::body:
            if (line == "</BODY>") return next(Part::fileEnd);
            if (isSyncLine(line)) {
                synced_ = true;
                return true;
            }
            return synced_ && isParagraphLine(line);
        case Part::fileEnd: return line == "</SAMI>" && next(Part::done);
        case Part::done: return false;
        }
        return false;
    }

    bool next(Part part) {
        part_ = part;
        return true;
    }

    // TAB "." class " { name:" display name "; lang:" code ";  samitype:CC; }"
    bool isClassLine(std::string_view line) {
        constexpr std::string_view kEnd = ";  samitype:CC; }";
        if (!startsWith(line, "\t.")) return false;
        const std::size_t names = line.find(" { name:");
        if (names == std::string_view::npos) return false;
        const std::string_view block = line.substr(names);
        const std::size_t lang = block.find("; lang:");
        if (lang == std::string_view::npos || block.size() < lang + 7 + kEnd.size() ||
            block.substr(block.size() - kEnd.size()) != kEnd)
            return false;
        classes_.insert(line.substr(2, names - 2));
        return true;
    }

    static bool isSyncLine(std::string_view line) {
        constexpr std::string_view kStart = "<SYNC start=";
        if (!startsWith(line, kStart) || line.back() != '>') return false;
        std::string_view number = line.substr(kStart.size(), line.size() - kStart.size() - 1);
        if (!number.empty() && number.front() == '-') number.remove_prefix(1);
        return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
    }

    // A class name is at most kMaxClassName bytes and may hold a ">", so each ">"
    // within that reach may end it.
    bool isParagraphLine(std::string_view line) const {
        constexpr std::string_view kStart = "<P class=";
        if (!startsWith(line, kStart)) return false;
        const std::string_view tail = line.substr(kStart.size(), kMaxClassName + 1);
        for (std::size_t close = tail.find('>'); close != std::string_view::npos; close = tail.find('>', close + 1)) {
            if (classes_.count(tail.substr(0, close)) != 0) return true;
        }
        return false;
    }

    Part part_ = Part::classes;
    bool synced_ = false;
    std::unordered_set<std::string_view> classes_;
};

}  // namespace

bool isOwnSamiLayout(std::string_view fileBytes) noexcept {
    const std::size_t head = ownHeadLength(fileBytes);
    return head != std::string_view::npos && OwnLayoutCheck().passes(fileBytes.substr(head));
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
