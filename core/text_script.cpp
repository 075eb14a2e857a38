#include "core/text_script.h"

#include "core/caption_document.h"
#include "core/caption_timing.h"

#include <algorithm>

namespace zav {
namespace {

constexpr char kSpace = ' ';

bool startsWord(char c) noexcept { return c >= 0x21 && c <= 0x7E; }

// A word with the position of the space that ends it (or the end of the text).
struct ScannedWord {
    std::size_t start;
    std::size_t end;
    std::size_t reach;
};

std::optional<ScannedWord> scanWord(std::string_view text, std::size_t from) noexcept {
    std::size_t at = from;
    while (at < text.size() && !startsWord(text[at])) ++at;
    if (at >= text.size()) return std::nullopt;
    const std::size_t start = at;
    while (at < text.size() && text[at] != kSpace) ++at;
    return ScannedWord{start, at, at < text.size() ? at + 1 : at};
}

// nextPlainWord for the split, which asks again from inside a word it has cut. The
// last answer is reused while it still holds, so that cutting a very long word
// N characters at a time reads each of its characters only once.
class WordScanner {
public:
    explicit WordScanner(std::string_view text) : text_(text) {}

    std::optional<ScannedWord> next(std::size_t from) noexcept {
        if (last_) {
            // Everything between the last question and the word found then was skipped.
            if (from >= lastFrom_ && from <= last_->start) return last_;
            // Inside the word's characters: a later start of the same word, unless only
            // DELs are left of it.
            if (from > last_->start && from < last_->end) {
                std::size_t at = from;
                while (at < last_->end && !startsWord(text_[at])) ++at;
                if (at < last_->end) return remember(from, ScannedWord{at, last_->end, last_->reach});
                return remember(from, scanWord(text_, last_->end));
            }
        }
        return remember(from, scanWord(text_, from));
    }

private:
    std::optional<ScannedWord> remember(std::size_t from, std::optional<ScannedWord> word) noexcept {
        lastFrom_ = from;
        last_ = word;
        return word;
    }

    std::string_view text_;
    std::size_t lastFrom_ = 0;
    std::optional<ScannedWord> last_;
};

}  // namespace

CaptionLengthCheck checkCaptionLength(std::int64_t length) noexcept {
    if (length < kMinCaptionLength) return CaptionLengthCheck::tooShort;
    if (length > kMaxCaptionLength) return CaptionLengthCheck::tooLong;
    return CaptionLengthCheck::accepted;
}

std::int64_t typedCaptionLength(std::string_view ansiText) noexcept { return fieldValue(ansiText); }

void cleanScriptText(std::string& text) noexcept {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x80) c = kSpace;
    }
}

std::optional<PlainWord> nextPlainWord(std::string_view text, std::size_t from) noexcept {
    const std::optional<ScannedWord> word = scanWord(text, from);
    if (!word) return std::nullopt;
    return PlainWord{word->start, word->reach};
}

std::vector<ScriptPiece> splitScriptText(std::string_view cleaned, int captionLength) {
    // The spaces the text ends with (the file's last line break) are left out, so a
    // file splits the same with or without a final line end.
    std::string_view text = cleaned;
    while (!text.empty() && text.back() == kSpace) text.remove_suffix(1);
    const std::size_t n = static_cast<std::size_t>(std::max(captionLength, 1));
    const std::size_t end = text.size();

    std::vector<ScriptPiece> pieces;
    WordScanner scanner(text);
    std::size_t start = 0;
    std::size_t scan = 0;
    while (scan < end) {
        const std::optional<ScannedWord> word = scanner.next(scan);
        if (!word) break;
        if (word->reach - start < n) {
            scan = word->reach;
            continue;
        }
        if (word->reach - word->start < n) {
            // The word opens the next piece; the spaces before it stay in this one.
            pieces.push_back(ScriptPiece{start, word->start - start});
            start = word->start;
            scan = word->reach;
        } else {
            // Too long for any piece: cut after n characters and read the rest again.
            pieces.push_back(ScriptPiece{start, n});
            start += n;
            scan = start;
        }
    }
    if (start < end) pieces.push_back(ScriptPiece{start, end - start});
    return pieces;
}

std::vector<std::u16string> scriptCaptions(std::string text, int captionLength, const CodePageConverter& codePage) {
    cleanScriptText(text);
    // After cleaning every byte is one 7-bit character, so the UTF-16 copy has the
    // same positions; a converter that disagrees is not trusted with them.
    std::u16string wide = codePage.fromAnsi(text);
    if (wide.size() != text.size()) wide.assign(text.begin(), text.end());

    std::vector<std::u16string> captions;
    const std::vector<ScriptPiece> pieces = splitScriptText(text, captionLength);
    captions.reserve(pieces.size());
    for (const ScriptPiece& piece : pieces) {
        // A piece longer than a caption text (200 characters cut from a long word,
        // or a long run of blank lines between two words) keeps what fits.
        const std::size_t kept = std::min(piece.length, kMaxCaptionText);
        captions.push_back(captionTextOf(std::u16string_view(wide).substr(piece.start, kept)));
    }
    return captions;
}

}  // namespace zav
