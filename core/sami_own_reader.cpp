#include "core/sami_own_reader.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace zav {
namespace {

using Word = std::optional<std::string_view>;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '=' || c == '\r' || c == '\n'; }
bool endsWord(char c) { return c == ' ' || c == '\t' || c == '=' || c == '\r' || c == '\n' || c == '\0'; }
bool endsStyleWord(char c) { return c == ';' || c == ':' || c == '\r' || c == '\n' || c == '\0'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The tokenizer works in place: it writes zero bytes into its buffer to end the
// tags, words and lines it hands out. One zero byte past the data stops every word
// and line scan at the end; tag and brace scans count the bytes instead, so zero
// bytes inside the data do not end them.
class Tokenizer {
public:
    explicit Tokenizer(std::string data) : buffer_(std::move(data)), end_(buffer_.size()) { buffer_.push_back('\0'); }

    std::size_t end() const noexcept { return end_; }
    std::size_t afterTag = 0;
    std::size_t afterWord = 0;
    std::size_t afterLine = 0;

    // The start of the next tag from start: the position after the last "<" before
    // the first ">" that follows one. The ">" becomes a zero byte. A ">" with no "<"
    // before it in the stretch scanned is passed over.
    std::optional<std::size_t> nextTag(std::size_t start) {
        std::optional<std::size_t> tagStart;
        for (std::size_t i = start; i < end_; ++i) {
            if (buffer_[i] == '<') {
                tagStart = i + 1;
            } else if (buffer_[i] == '>' && tagStart) {
                buffer_[i] = '\0';
                afterTag = i + 1;
                return tagStart;
            }
        }
        return std::nullopt;
    }

    // A word ended by a blank or a zero byte, after skipping blanks.
    Word nextWord(std::size_t position) { return word(position, end_, endsWord); }

    // A word ended by ";", ":", CR, LF or a zero byte, so it may hold spaces and "=".
    // Nothing when no word begins before limit.
    Word nextStyleWord(std::size_t position, std::size_t limit) { return word(position, limit, endsStyleWord); }

    // The first "{" or "}" in [position, limit).
    std::optional<std::size_t> findBrace(std::size_t position, std::size_t limit) const {
        for (std::size_t i = position; i < limit && i < end_; ++i) {
            if (buffer_[i] == '{' || buffer_[i] == '}') return i;
        }
        return std::nullopt;
    }

    // The text up to the first LF, CR or zero byte, possibly empty.
    std::string_view restOfLine(std::size_t position) {
        if (position > end_) position = end_;
        std::size_t stop = position;
        while (buffer_[stop] != '\n' && buffer_[stop] != '\r' && buffer_[stop] != '\0') ++stop;
        buffer_[stop] = '\0';
        afterLine = stop + 1;
        return std::string_view(buffer_.data() + position, stop - position);
    }

private:
    Word word(std::size_t position, std::size_t limit, bool (*ends)(char)) {
        if (position > end_) return std::nullopt;
        while (isBlank(buffer_[position])) ++position;
        if (position >= limit || buffer_[position] == '\0') return std::nullopt;
        std::size_t stop = position;
        while (!ends(buffer_[stop])) ++stop;
        buffer_[stop] = '\0';
        afterWord = stop + 1;
        return std::string_view(buffer_.data() + position, stop - position);
    }

    std::string buffer_;
    std::size_t end_;
};

class Reader {
public:
    Reader(std::string data, const CodePageConverter& codePage, SamiImportTarget& target)
        : tokens_(std::move(data)), codePage_(codePage), target_(target) {}

    void run() {
        std::size_t search = 0;
        while (const auto tag = tokens_.nextTag(search)) {
            search = tokens_.afterTag;
            const Word name = tokens_.nextWord(*tag);
            if (!name) continue;
            if (*name == "STYLE") {
                readStyle();
            } else if (*name == "BODY") {
                search = readBody(search);
            }
        }
    }

private:
    // The next word of the tag that ends at tagEnd; nothing once the tag's words
    // are used up, so that a missing attribute never takes the text after the tag.
    Word wordInTag(std::size_t tagEnd) {
        if (tokens_.afterWord >= tagEnd) return std::nullopt;
        return tokens_.nextWord(tokens_.afterWord);
    }

    // The style section: from the words after "STYLE" to the next ">" (that of the
    // comment closer "-->"). The search for tags goes on after the STYLE tag itself.
    void readStyle() {
        std::size_t styleEnd = tokens_.afterTag;
        if (tokens_.nextTag(tokens_.afterTag)) styleEnd = tokens_.afterTag;
        while (tokens_.afterWord < styleEnd) {
            const Word word = tokens_.nextWord(tokens_.afterWord);
            if (!word) break;
            if (word->front() == '.') readClass(word->substr(1), styleEnd);
        }
    }

    // One class: the block between the first brace after its name and the next
    // brace. A class without both braces gets no names.
    void readClass(std::string_view className, std::size_t styleEnd) {
        LanguageClass language;
        language.setClassName(className);
        const auto open = tokens_.findBrace(tokens_.afterWord, styleEnd);
        const auto close = open ? tokens_.findBrace(*open + 1, styleEnd) : std::nullopt;
        if (close) {
            tokens_.afterWord = *open + 1;
            while (tokens_.afterWord < *close) {
                const Word key = tokens_.nextStyleWord(tokens_.afterWord, *close);
                if (!key) break;
                // A value runs to its own end, past the closing brace if no ";" ends it.
                const Word value = tokens_.nextStyleWord(tokens_.afterWord, tokens_.end());
                const std::string_view text = value ? *value : std::string_view();
                if (*key == "name") {
                    language.setDisplayName(text);
                } else if (*key == "lang") {
                    language.setLangCode(text);
                }
            }
            if (tokens_.afterWord <= *close) tokens_.afterWord = *close + 1;
        }
        classNames_.push_back(language.className());
        target_.addLanguage(std::move(language));
    }

    // The tags of a body, from search to its end tag; returns where the search for
    // tags goes on.
    std::size_t readBody(std::size_t search) {
        while (const auto tag = tokens_.nextTag(search)) {
            const std::size_t tagEnd = tokens_.afterTag;
            search = tagEnd;
            const Word name = tokens_.nextWord(*tag);
            if (!name) continue;
            if (*name == "SYNC") {
                readSync(tagEnd);
            } else if (*name == "P") {
                search = readParagraph(tagEnd);
            } else if (*name == "/BODY") {
                target_.endBody();
                return search;
            }
        }
        // The data ended inside the body: what was read is shown all the same.
        target_.endBody();
        return tokens_.end();
    }

    void readSync(std::size_t tagEnd) {
        const bool added = target_.addRow();
        const Word attribute = wordInTag(tagEnd);
        const Word value = attribute ? wordInTag(tagEnd) : std::nullopt;
        if (added) target_.setStartTime(target_.rowCount() - 1, value ? samiStartValue(*value) : 0);
    }

    // Returns where the search for tags goes on: after the line for a known class,
    // else after the tag, so that tags inside an ignored text are passed one by one.
    std::size_t readParagraph(std::size_t tagEnd) {
        const Word attribute = wordInTag(tagEnd);
        const Word className = attribute ? wordInTag(tagEnd) : std::nullopt;
        if (!className) return tagEnd;
        const int language = languageOf(*className);
        if (language < 0) return tagEnd;
        const std::string_view line = tokens_.restOfLine(tagEnd);
        const int rows = target_.rowCount();
        if (rows > 0) target_.setText(language, rows - 1, codePage_.fromAnsi(line));
        return tokens_.afterLine;
    }

    // The first language of that class name. The name is compared as a class line
    // stores it, cut to the field's length, so over-long names still find their class.
    int languageOf(std::string_view className) const {
        LanguageClass probe;
        probe.setClassName(className);
        for (std::size_t i = 0; i < classNames_.size(); ++i) {
            if (classNames_[i] == probe.className()) return static_cast<int>(i);
        }
        return -1;
    }

    Tokenizer tokens_;
    const CodePageConverter& codePage_;
    SamiImportTarget& target_;
    std::vector<std::string> classNames_;
};

}  // namespace

std::string textModeInput(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

double samiStartValue(std::string_view value) {
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t at) {
        std::size_t n = 0;
        while (at + n < value.size() && isDigit(value[at + n])) ++n;
        return n;
    };
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) ++i;
    const std::size_t whole = digitsFrom(i);
    i += whole;
    std::size_t fraction = 0;
    if (i < value.size() && value[i] == '.') {
        fraction = digitsFrom(i + 1);
        if (whole || fraction) i += 1 + fraction;
    }
    if (!whole && !fraction) return 0;
    if (i < value.size() && (value[i] == 'e' || value[i] == 'E')) {
        std::size_t at = i + 1;
        if (at < value.size() && (value[at] == '+' || value[at] == '-')) ++at;
        const std::size_t exponent = digitsFrom(at);
        if (exponent) i = at + exponent;
    }
    // strtod on exactly the number's text: no hexadecimal, "inf" or "nan" forms.
    const std::string number(value.substr(0, i));
    const double result = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(result)) return 0;
    return result;
}

void readSami(std::string data, const CodePageConverter& codePage, SamiImportTarget& target) {
    Reader(std::move(data), codePage, target).run();
}

}  // namespace zav
