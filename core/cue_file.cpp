#include "core/cue_file.h"

#include "core/cue_text.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <optional>

namespace zav {
namespace {

using Lines = std::vector<std::u16string_view>;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
char16_t lowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// White space around the arrow and before the settings of a timing line: a form
// feed counts, as in WebVTT.
bool isTimingBlank(char16_t c) { return isBlank(c) || c == u'\f'; }

bool isBlankLine(std::u16string_view line) { return std::all_of(line.begin(), line.end(), isBlank); }

bool isDigitsLine(std::u16string_view line) {
    return !line.empty() && std::all_of(line.begin(), line.end(), isDigit);
}

// The line starts with the word, followed by a blank or nothing.
bool startsWithWord(std::u16string_view line, std::u16string_view word) {
    return line.substr(0, word.size()) == word && (line.size() == word.size() || isBlank(line[word.size()]));
}

// Every line of the text, whatever ends it: CR LF, LF or a CR on its own.
Lines splitLines(std::u16string_view text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// Reads the digits at text[at] into value; their count, 0 when none or when there
// are more than maxDigits.
std::size_t readNumber(std::u16string_view text, std::size_t& at, std::size_t maxDigits, std::int64_t& value) {
    std::size_t count = 0;
    value = 0;
    while (at + count < text.size() && isDigit(text[at + count])) {
        if (++count > maxDigits) return 0;
        value = value * 10 + (text[at + count - 1] - u'0');
    }
    at += count;
    return count;
}

// "hours:mm:ss,mmm" with up to ten hour digits, or "mm:ss,mmm"; a point may stand
// for the comma. The digits after it are a fraction of a second: SubRip files from
// centisecond writers have one or two ("27,46" is 27.46 s, "27,5" is 27.5 s), and
// WebVTT, whose timestamps always have three, refuses the shorter forms.
std::optional<std::int64_t> timestampAt(std::u16string_view text, std::size_t& at, CueSyntax syntax) {
    std::int64_t fields[3] = {0, 0, 0};
    std::size_t widths[3] = {0, 0, 0};
    int count = 0;
    for (;;) {
        widths[count] = readNumber(text, at, 10, fields[count]);
        if (widths[count] == 0) return std::nullopt;
        ++count;
        if (count == 3 || at >= text.size() || text[at] != u':') break;
        ++at;
    }
    const bool hours = count == 3;
    if (count < 2 || widths[count - 1] != 2 || widths[count - 2] != 2) return std::nullopt;
    if (at >= text.size() || (text[at] != u',' && text[at] != u'.')) return std::nullopt;
    ++at;
    std::int64_t millis = 0;
    const std::size_t digits = readNumber(text, at, 3, millis);
    if (digits == 0 || (syntax == CueSyntax::webVtt && digits != 3)) return std::nullopt;
    for (std::size_t i = digits; i < 3; ++i) millis *= 10;
    const std::int64_t minutes = fields[count - 2];
    const std::int64_t seconds = fields[count - 1];
    if (minutes >= 60 || seconds >= 60 || (hours && fields[0] > kMaxCueMs / 3600000)) return std::nullopt;
    const std::int64_t ms = (hours ? fields[0] * 3600000 : 0) + minutes * 60000 + seconds * 1000 + millis;
    if (ms > kMaxCueMs) return std::nullopt;
    return ms;
}

struct Timing {
    std::int64_t startMs;
    std::int64_t endMs;
};

// "start --> end", blanks around the arrow optional; whatever follows the end time
// after a blank (WebVTT cue settings, SubRip coordinates) is passed over.
std::optional<Timing> timingOf(std::u16string_view line, CueSyntax syntax = CueSyntax::subRip) {
    std::size_t at = 0;
    while (at < line.size() && isTimingBlank(line[at])) ++at;
    const auto start = timestampAt(line, at, syntax);
    if (!start) return std::nullopt;
    while (at < line.size() && isTimingBlank(line[at])) ++at;
    if (line.substr(at, 3) != u"-->") return std::nullopt;
    at += 3;
    while (at < line.size() && isTimingBlank(line[at])) ++at;
    const auto end = timestampAt(line, at, syntax);
    if (!end || (at < line.size() && !isTimingBlank(line[at]))) return std::nullopt;
    return Timing{*start, *end};
}

CaptionFormat formatOfText(const Lines& lines) {
    const auto first = std::find_if(lines.begin(), lines.end(), [](auto line) { return !isBlankLine(line); });
    if (first == lines.end()) return CaptionFormat::unknown;
    std::u16string_view head = *first;
    while (!head.empty() && isBlank(head.front())) head.remove_prefix(1);
    if (startsWithWord(head, u"WEBVTT")) return CaptionFormat::webVtt;
    std::u16string lower;
    for (const char16_t c : head.substr(0, 6)) lower.push_back(lowerAscii(c));
    if (lower.rfind(u"<sami", 0) == 0) return CaptionFormat::sami;
    const bool timed = std::any_of(first, lines.end(), [](auto line) { return timingOf(line).has_value(); });
    return timed ? CaptionFormat::subRip : CaptionFormat::unknown;
}

// Every byte as the character of the same number: enough to tell a format, which
// only looks at ASCII.
class ByteCodePage final : public CodePageConverter {
public:
    std::string toAnsi(std::u16string_view) const override { return {}; }
    std::u16string fromAnsi(std::string_view text) const override {
        std::u16string units(text.size(), u'\0');
        std::transform(text.begin(), text.end(), units.begin(),
                       [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
        return units;
    }
};

class CueReader {
public:
    CueReader(CueFile& file, CueSyntax syntax) : file_(file), syntax_(syntax) {}

    // The blocks between blank lines. A WebVTT header runs to the first blank line,
    // unless a timing line turns up in it.
    void read(const Lines& lines) {
        std::size_t at = 0;
        bool header = syntax_ == CueSyntax::webVtt;
        while (at < lines.size()) {
            if (isBlankLine(lines[at])) {
                ++at;
                continue;
            }
            std::size_t end = at;
            while (end < lines.size() && !isBlankLine(lines[end])) ++end;
            const Lines block(lines.begin() + static_cast<std::ptrdiff_t>(at),
                              lines.begin() + static_cast<std::ptrdiff_t>(end));
            if (header) {
                readHeader(block);
                header = false;
            } else {
                readBlock(block);
            }
            at = end;
        }
    }

private:
    void readHeader(const Lines& block) {
        for (std::size_t i = 1; i < block.size(); ++i) {
            if (timingOf(block[i], syntax_)) {
                readCues(block, i);
                return;
            }
        }
    }

    void readBlock(const Lines& block) {
        if (syntax_ == CueSyntax::webVtt &&
            (startsWithWord(block[0], u"NOTE") || startsWithWord(block[0], u"STYLE") ||
             startsWithWord(block[0], u"REGION")))
            return;
        std::size_t first = 0;
        while (first < block.size() && !timingOf(block[first], syntax_)) ++first;
        // One line may come before the timing: a SubRip index or a WebVTT identifier.
        if (first == block.size() || first > 1) ++file_.malformedBlocks;
        if (first < block.size()) readCues(block, first);
    }

    // The cues from the timing line at block[at] on. A timing line among the text
    // lines starts the next cue, taking a line of digits just before it as its index.
    // In WebVTT any line with an arrow ends the text; when it is no timing line, the
    // lines from it to the next timing line are a block without a cue.
    void readCues(const Lines& block, std::size_t at) {
        while (at < block.size()) {
            const Timing timing = *timingOf(block[at], syntax_);
            std::size_t next = at + 1;
            while (next < block.size() && !endsText(block[next])) ++next;
            const bool timed = next < block.size() && timingOf(block[next], syntax_);
            std::size_t textEnd = next;
            if (timed && textEnd > at + 1 && isDigitsLine(block[textEnd - 1])) --textEnd;
            addCue(timing, Lines(block.begin() + static_cast<std::ptrdiff_t>(at + 1),
                                 block.begin() + static_cast<std::ptrdiff_t>(textEnd)));
            if (next < block.size() && !timed) {
                ++file_.malformedBlocks;
                while (next < block.size() && !timingOf(block[next], syntax_)) ++next;
            }
            at = next;
        }
    }

    bool endsText(std::u16string_view line) const {
        if (syntax_ == CueSyntax::webVtt && line.find(u"-->") != std::u16string_view::npos) return true;
        return timingOf(line, syntax_).has_value();
    }

    void addCue(const Timing& timing, const Lines& textLines) {
        if (timing.endMs <= timing.startMs) {
            ++file_.malformedBlocks;
            return;
        }
        // A cue without text shows nothing and gives no row. The text is cut to the
        // document's limit once cues that start together are joined.
        std::u16string text = samiTextOfCueLines(textLines, syntax_);
        if (!text.empty()) file_.cues.push_back(Cue{timing.startMs, timing.endMs, std::move(text)});
    }

    CueFile& file_;
    CueSyntax syntax_;
};

// Cues in time order, one for each start, texts within the limit, each ending at the
// latest where the next one starts.
void orderCues(CueFile& file) {
    std::stable_sort(file.cues.begin(), file.cues.end(),
                     [](const Cue& a, const Cue& b) { return a.startMs < b.startMs; });
    joinCuesStartingTogether(file.cues);
    for (Cue& cue : file.cues) {
        bool cut = false;
        cue.text = cutSamiText(cue.text, cut);
        if (cut) ++file.cutTexts;
    }
    // A text cut inside its first tag may be left empty.
    file.cues.erase(std::remove_if(file.cues.begin(), file.cues.end(), [](const Cue& cue) { return cue.text.empty(); }),
                    file.cues.end());
    for (std::size_t i = 0; i + 1 < file.cues.size(); ++i) {
        if (file.cues[i].endMs > file.cues[i + 1].startMs) {
            file.cues[i].endMs = file.cues[i + 1].startMs;
            ++file.shortenedCues;
        }
    }
}

}  // namespace

void joinCuesStartingTogether(std::vector<Cue>& cues) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        if (kept > 0 && cues[kept - 1].startMs == cues[i].startMs) {
            Cue& joined = cues[kept - 1];
            joined.text += u"<br>";
            joined.text += cues[i].text;
            joined.endMs = std::max(joined.endMs, cues[i].endMs);
        } else {
            if (kept != i) cues[kept] = std::move(cues[i]);
            ++kept;
        }
    }
    cues.resize(kept);
}

CaptionFormat captionFormatOfContent(std::string_view bytes) {
    const std::u16string text = decodeText(bytes, ByteCodePage());
    return formatOfText(splitLines(text));
}

CaptionFormat captionFormatOfPath(std::string_view path) {
    const std::size_t dot = path.find_last_of(".");
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot))
        return CaptionFormat::unknown;
    std::string extension;
    for (const char c : path.substr(dot + 1)) extension.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    if (extension == "smi" || extension == "sami") return CaptionFormat::sami;
    if (extension == "srt") return CaptionFormat::subRip;
    if (extension == "vtt") return CaptionFormat::webVtt;
    return CaptionFormat::unknown;
}

bool isCueTimingLine(std::u16string_view line) { return timingOf(line).has_value(); }

CueFile readCueFile(std::string_view bytes, const CodePageConverter& codePage) {
    std::u16string text = decodeText(bytes, codePage);
    // A zero character would end a caption text early. It stands for a character
    // lost, as WebVTT reads it; deleting it could make a broken timing line whole.
    std::replace(text.begin(), text.end(), u'\0', u'\uFFFD');
    const Lines lines = splitLines(text);
    CueFile file;
    file.format = formatOfText(lines);
    if (file.format != CaptionFormat::subRip && file.format != CaptionFormat::webVtt) return file;
    CueReader(file, file.format == CaptionFormat::webVtt ? CueSyntax::webVtt : CueSyntax::subRip).read(lines);
    orderCues(file);
    return file;
}

}  // namespace zav
