#include "core/sami_tolerant_reader.h"

#include "core/language_name.h"
#include "core/sami_markup.h"
#include "core/sami_style_rules.h"
#include "core/text_encoding.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zav {
namespace {

using sami::Markup;

// The class under which P tags without a class gather.
constexpr std::u16string_view kUnclassedClass = u"CC";
constexpr int kUnclassed = -1;

// The class a P tag's class attribute names: its first class, as far as it is a
// name a style rule can declare.
std::u16string_view classOf(std::u16string_view value) {
    value = sami::trimSpaces(value);
    std::size_t end = 0;
    while (end < value.size() && sami::isClassNameChar(value[end])) ++end;
    return value.substr(0, end);
}

// A SYNC tag's start time: the leading number of its value, 0 without one.
double startTimeOf(std::u16string_view attributes) {
    const auto value = sami::attributeValue(attributes, "start");
    if (!value) return 0;
    std::string ascii;
    for (const char16_t c : sami::trimSpaces(*value)) ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return samiStartValue(ascii);
}

// "&nbsp;" in any case, or its numeric forms.
std::size_t nbspEntityLength(std::u16string_view text, std::size_t at) {
    for (const std::string_view entity : {"&nbsp;", "&#160;", "&#xa0;"}) {
        if (text.size() - at >= entity.size() && sami::sameName(text.substr(at, entity.size()), entity))
            return entity.size();
    }
    return 0;
}

bool isBlankCaption(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (sami::isSpace(text[i]) || text[i] == u'\u00a0') {
            ++i;
        } else if (const std::size_t entity = nbspEntityLength(text, i)) {
            i += entity;
        } else {
            return false;
        }
    }
    return true;
}

// Appends the caption a paragraph's raw text gives to out: every run of white space
// that holds a line break becomes one space, white space at either end goes, zero
// characters go (the document would end the text there). A blank text appends
// nothing. Returns the length appended.
std::size_t appendCaption(std::u16string_view raw, std::u16string& out) {
    const auto isGap = [](char16_t c) { return c == u'\0' || sami::isSpace(c); };
    const std::size_t begin = out.size();
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t start = i;
        if (!isGap(raw[i])) {
            while (i < raw.size() && !isGap(raw[i])) ++i;
            out.append(raw.substr(start, i - start));
            continue;
        }
        bool space = false;
        bool lineBreak = false;
        for (; i < raw.size() && isGap(raw[i]); ++i) {
            space = space || raw[i] != u'\0';
            lineBreak = lineBreak || sami::isLineBreak(raw[i]);
        }
        if (!space || out.size() == begin || i == raw.size()) continue;
        if (lineBreak) {
            out += u' ';
        } else {
            for (std::size_t k = start; k < i; ++k) {
                if (raw[k] != u'\0') out += raw[k];
            }
        }
    }
    if (isBlankCaption(std::u16string_view(out).substr(begin))) out.resize(begin);
    return out.size() - begin;
}

// A display name or code as Export SAMI can write it back: the characters that
// would end it early in a style line, or end the style section, become spaces.
std::u16string styleValue(std::u16string_view value) {
    std::u16string safe(value);
    for (char16_t& c : safe) {
        if (c == u';' || c == u':' || c == u'{' || c == u'}' || c == u'<' || c == u'>' || sami::isLineBreak(c))
            c = u' ';
    }
    return std::u16string(sami::trimSpaces(safe));
}

// The languages of a file, in the order their classes are first declared or used.
// Classes that the document would hold under the same name (ignoring case, after
// the cut to its byte limit) are one language.
class Languages {
public:
    explicit Languages(const CodePageConverter& codePage) : codePage_(codePage) {}

    bool empty() const noexcept { return languages_.empty(); }

    int find(std::u16string_view className) {
        std::u16string folded = sami::foldCase(className);
        if (const auto found = bySpelling_.find(folded); found != bySpelling_.end()) return found->second;
        std::string stored = ansiPrefix(className, kMaxClassName, codePage_);
        stored = stored.substr(0, stored.find('\0'));
        const auto [known, added] =
            byStoredName_.emplace(sami::foldCase(codePage_.fromAnsi(stored)), static_cast<int>(languages_.size()));
        if (added) languages_.push_back({std::move(stored), std::u16string(className), {}, {}});
        bySpelling_.emplace(std::move(folded), known->second);
        return known->second;
    }

    // A later rule for the same class gives the names it states anew.
    void declare(const sami::ClassRule& rule) {
        Language& language = languages_[find(rule.className)];
        if (rule.displayName) language.displayName = rule.displayName;
        if (rule.langCode) language.langCode = rule.langCode;
    }

    std::vector<LanguageClass> records() const {
        std::vector<LanguageClass> records;
        for (const Language& language : languages_) {
            LanguageClass& record = records.emplace_back();
            record.setClassName(language.className);
            const std::u16string& displayName = language.displayName.value_or(language.spelling);
            record.setDisplayName(ansiPrefix(styleValue(displayName), kMaxDisplayName, codePage_));
            record.setLangCode(ansiPrefix(styleValue(language.langCode.value_or(u"")), kMaxLangCode, codePage_));
        }
        return records;
    }

private:
    struct Language {
        std::string className;    // in the code page, cut to the document's limit
        std::u16string spelling;  // as first met
        std::optional<std::u16string> displayName;
        std::optional<std::u16string> langCode;
    };

    const CodePageConverter& codePage_;
    std::vector<Language> languages_;
    // Case-folded names to language indices: each class name as met, and as stored.
    std::unordered_map<std::u16string, int> bySpelling_;
    std::unordered_map<std::u16string, int> byStoredName_;
};

// The text of one P tag: a stretch of the reader's text store, and the next text of
// the same caption (another P of the class under the same SYNC), or -1.
struct Piece {
    std::size_t start;
    std::size_t length;
    int next;
};

struct Caption {
    int row;
    int language;
    int firstPiece;
    int lastPiece;
};

class TolerantReader {
public:
    TolerantReader(std::u16string_view text, const CodePageConverter& codePage)
        : text_(text), scanner_(text), languages_(codePage) {}

    void read() {
        std::size_t at = text_.find(u'<');
        while (at != std::u16string_view::npos) {
            const std::optional<Markup> markup = scanner_.at(at);
            std::size_t next = at + 1;
            if (markup) {
                next = markup->end;
                if (markup->kind == Markup::Kind::Comment) {
                    leaveOut(at, markup->end);
                } else if (markup->kind == Markup::Kind::Tag) {
                    next = onTag(*markup, at);
                }
            }
            at = text_.find(u'<', next);
        }
        closeParagraph(text_.size());
    }

    void build(SamiImportTarget& target) const {
        if (languages_.empty()) return;
        for (LanguageClass& record : languages_.records()) target.addLanguage(std::move(record));
        int rows = 0;
        for (const double time : times_) {
            if (!target.addRow()) break;
            target.setStartTime(rows++, time);
        }
        std::u16string scratch;
        for (const Caption& caption : captions_) {
            if (caption.row < rows) target.setText(caption.language, caption.row, textOf(caption, scratch));
        }
        target.endBody();
    }

private:
    // Returns where the search for markup goes on.
    std::size_t onTag(const Markup& tag, std::size_t start) {
        const std::u16string_view name = tag.name;
        for (const std::string_view raw : {"style", "samiparam", "title"}) {
            if (tag.closing || !sami::sameName(name, raw)) continue;
            closeParagraph(start);
            const std::size_t end = sami::rawContentEnd(text_, tag.end, raw);
            if (raw == "style") {
                for (const sami::ClassRule& rule : sami::classRules(text_.substr(tag.end, end - tag.end)))
                    languages_.declare(rule);
            }
            return end;
        }
        if (sami::sameName(name, "sync")) {
            closeParagraph(start);
            if (!tag.closing && !inHead_) times_.push_back(startTimeOf(tag.attributes));
        } else if (sami::sameName(name, "p")) {
            closeParagraph(start);
            if (!tag.closing && !inHead_ && !times_.empty()) openParagraph(tag.attributes, tag.end);
        } else if (sami::sameName(name, "head")) {
            closeParagraph(start);
            inHead_ = !tag.closing;
        } else if (sami::sameName(name, "body") || sami::sameName(name, "sami")) {
            closeParagraph(start);
            inHead_ = false;
        }
        // Any other tag is inline markup, which stays in the text as written.
        return tag.end;
    }

    void openParagraph(std::u16string_view attributes, std::size_t textStart) {
        const auto value = sami::attributeValue(attributes, "class");
        const std::u16string_view className = value ? classOf(*value) : std::u16string_view();
        paragraph_ = Paragraph{className.empty() ? kUnclassed : languages_.find(className), textStart, {}};
    }

    // A comment inside a paragraph is cut out of its text.
    void leaveOut(std::size_t start, std::size_t end) {
        if (!paragraph_) return;
        paragraph_->pending.append(text_.substr(paragraph_->pieceStart, start - paragraph_->pieceStart));
        paragraph_->pieceStart = end;
    }

    void closeParagraph(std::size_t end) {
        if (!paragraph_) return;
        Paragraph paragraph = std::move(*paragraph_);
        paragraph_.reset();
        const std::u16string_view piece = text_.substr(paragraph.pieceStart, end - paragraph.pieceStart);
        const std::size_t start = texts_.size();
        const std::u16string_view raw = paragraph.pending.empty() ? piece : paragraph.pending.append(piece);
        const std::size_t length = appendCaption(raw, texts_);
        if (length == 0) return;
        const int language = paragraph.language == kUnclassed ? languages_.find(kUnclassedClass) : paragraph.language;
        addCaption(static_cast<int>(times_.size()) - 1, language, {start, length, -1});
    }

    // A second text of a language in the same row joins the first.
    void addCaption(int row, int language, Piece piece) {
        const int pieceIndex = static_cast<int>(pieces_.size());
        pieces_.push_back(piece);
        if (static_cast<std::size_t>(language) >= lastCaption_.size()) lastCaption_.resize(language + 1, -1);
        const int last = lastCaption_[language];
        if (last >= 0 && captions_[last].row == row) {
            pieces_[captions_[last].lastPiece].next = pieceIndex;
            captions_[last].lastPiece = pieceIndex;
            return;
        }
        lastCaption_[language] = static_cast<int>(captions_.size());
        captions_.push_back({row, language, pieceIndex, pieceIndex});
    }

    // The caption's texts joined with "<br>": a view into the store for a single
    // text, else into the scratch string.
    std::u16string_view textOf(const Caption& caption, std::u16string& scratch) const {
        const std::u16string_view store = texts_;
        const Piece* piece = &pieces_[caption.firstPiece];
        if (piece->next < 0) return store.substr(piece->start, piece->length);
        scratch.assign(store.substr(piece->start, piece->length));
        while (piece->next >= 0) {
            piece = &pieces_[piece->next];
            scratch += u"<br>";
            scratch += store.substr(piece->start, piece->length);
        }
        return scratch;
    }

    struct Paragraph {
        int language;
        std::size_t pieceStart;  // where the text not yet in pending starts
        std::u16string pending;  // the text before the comments met so far
    };

    std::u16string_view text_;
    sami::MarkupScanner scanner_;
    Languages languages_;
    std::vector<double> times_;
    std::vector<Caption> captions_;
    std::vector<Piece> pieces_;
    std::u16string texts_;          // the texts of all P tags, one after another
    std::vector<int> lastCaption_;  // per language, the index of its latest caption, or -1
    std::optional<Paragraph> paragraph_;
    bool inHead_ = false;
};

}  // namespace

void readTolerantSami(std::string_view fileBytes, const CodePageConverter& codePage, SamiImportTarget& target) {
    const std::u16string text = decodeText(fileBytes, codePage);
    TolerantReader reader(text, codePage);
    reader.read();
    reader.build(target);
}

}  // namespace zav
