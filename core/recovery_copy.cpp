#include "core/recovery_copy.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace zav {
namespace {

constexpr std::string_view kFirstLine = "ZAV Caption recovery copy 1";

void appendHex(std::string& out, unsigned value, int digits) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

// Escapes shared by texts and names; false when c is not one of them.
bool appendControlEscape(std::string& out, unsigned c) {
    switch (c) {
    case '\\': out += "\\\\"; return true;
    case '\t': out += "\\t"; return true;
    case '\r': out += "\\r"; return true;
    case '\n': out += "\\n"; return true;
    default: break;
    }
    if (c >= 0x20 && c != 0x7F) return false;
    out += "\\u";
    appendHex(out, c, 4);
    return true;
}

void appendText(std::string& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (appendControlEscape(out, c)) continue;
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += utf16ToUtf8(text.substr(i, 2));
            ++i;
        } else if (high || low) {
            out += "\\u";
            appendHex(out, c, 4);
        } else {
            out += utf16ToUtf8(text.substr(i, 1));
        }
    }
}

void appendBytes(std::string& out, std::string_view bytes) {
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (appendControlEscape(out, c)) continue;
        if (c >= 0x80) {
            out += "\\x";
            appendHex(out, c, 2);
        } else {
            out += ch;
        }
    }
}

void appendLine(std::string& out, std::string_view key, std::u16string_view value) {
    out.append(key.data(), key.size());
    out += ' ';
    appendText(out, value);
    out += '\n';
}

std::string numberText(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// --- reading ---------------------------------------------------------------

struct Unreadable {
    std::string reason;
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

unsigned hexAt(std::string_view s, std::size_t at, std::size_t digits) {
    if (at + digits > s.size()) throw Unreadable{"an escape is cut short"};
    unsigned value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int v = hexValue(s[at + i]);
        if (v < 0) throw Unreadable{"a bad escape"};
        value = value * 16 + static_cast<unsigned>(v);
    }
    return value;
}

// Resolves one escape at s[at] (the backslash); gives the unit and moves at past it.
unsigned unescape(std::string_view s, std::size_t& at, bool bytes) {
    if (at + 1 >= s.size()) throw Unreadable{"an escape is cut short"};
    const char kind = s[at + 1];
    at += 2;
    switch (kind) {
    case '\\': return '\\';
    case 't': return '\t';
    case 'r': return '\r';
    case 'n': return '\n';
    case 'u': at += 4; return hexAt(s, at - 4, 4);
    case 'x':
        if (!bytes) break;
        at += 2;
        return hexAt(s, at - 2, 2);
    default: break;
    }
    throw Unreadable{"a bad escape"};
}

std::u16string readText(std::string_view s) {
    std::u16string text;
    std::size_t at = 0;
    while (at < s.size()) {
        std::size_t run = at;
        while (run < s.size() && s[run] != '\\') ++run;
        if (run > at) {
            const std::string_view plain = s.substr(at, run - at);
            if (!isValidUtf8(plain)) throw Unreadable{"text that is not UTF-8"};
            text += utf8ToUtf16(plain);
            at = run;
        }
        if (at < s.size()) text += static_cast<char16_t>(unescape(s, at, false));
    }
    return text;
}

std::string readBytes(std::string_view s) {
    std::string bytes;
    std::size_t at = 0;
    while (at < s.size()) {
        if (s[at] == '\\') {
            bytes += static_cast<char>(unescape(s, at, true));
        } else {
            bytes += s[at++];
        }
    }
    return bytes;
}

std::vector<std::string_view> splitTabs(std::string_view s) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = s.find('\t', start);
        parts.push_back(s.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

double readNumber(std::string_view s) {
    const std::string text(s);
    if (text.empty() || text.size() > 40) throw Unreadable{"a bad number"};
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        throw Unreadable{"a bad number"};
    return value;
}

int readInteger(std::string_view s) {
    const double value = readNumber(s);
    // The range first: a cast of a number beyond it would be undefined.
    if (!(value >= -1 && value <= 1e9) || value != std::floor(value)) throw Unreadable{"a bad number"};
    return static_cast<int>(value);
}

// The lines of the copy, with their CR LF or LF ends taken off.
std::vector<std::string_view> linesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class CopyReader {
public:
    RecoveryReadResult read(std::string_view bytes) {
        RecoveryReadResult result;
        const std::vector<std::string_view> lines = linesOf(bytes);
        std::size_t number = 0;
        try {
            if (lines.empty() || lines[0] != kFirstLine) throw Unreadable{"not a recovery copy"};
            bool ended = false;
            for (number = 1; number < lines.size() && !ended; ++number) ended = readLine(lines[number], result);
            --number;
            if (!ended) {
                number = 0;
                throw Unreadable{"the copy is cut short"};
            }
            finish();
        } catch (const Unreadable& error) {
            // number is the line being read (0: the copy as a whole).
            result.problem = number > 0 ? "line " + std::to_string(number + 1) + ": " + error.reason : error.reason;
            return result;
        }
        result.copy = std::move(copy_);
        return result;
    }

private:
    // False until the last line.
    bool readLine(std::string_view line, RecoveryReadResult& result) {
        const std::size_t space = line.find(' ');
        const std::string_view key = line.substr(0, space);
        const std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        if (key == "end") return true;
        if (key == "saved") {
            copy_.savedAt = readBytes(value);
        } else if (key == "media") {
            copy_.mediaPath = readText(value);
        } else if (key == "current") {
            copy_.document.currentLanguage = readInteger(value);
        } else if (key == "selected") {
            copy_.document.selectedRow = readInteger(value);
        } else if (key == "top") {
            copy_.document.topRow = readInteger(value);
        } else if (key == "language") {
            readLanguage(value);
        } else if (key == "row") {
            readRow(value);
        } else if (key == "transcript") {
            copy_.transcriptMode = true;
            copy_.transcriptText = readText(value);
        } else if (key == "transcript-name") {
            copy_.transcriptName = readText(value);
        } else {
            ++result.skippedLines;
        }
        return false;
    }

    void readLanguage(std::string_view value) {
        if (!times_.empty()) throw Unreadable{"a language after the rows"};
        const std::vector<std::string_view> parts = splitTabs(value);
        if (parts.size() != 3) throw Unreadable{"a language without its three names"};
        DocumentState::Language language;
        language.className = readBytes(parts[0]);
        language.displayName = readBytes(parts[1]);
        language.langCode = readBytes(parts[2]);
        copy_.document.languages.push_back(std::move(language));
        texts_.emplace_back();
    }

    void readRow(std::string_view value) {
        const std::vector<std::string_view> parts = splitTabs(value);
        if (texts_.empty()) throw Unreadable{"a row before any language"};
        if (parts.size() != texts_.size() + 1) throw Unreadable{"a row with another number of texts"};
        times_.push_back(readNumber(parts[0]));
        for (std::size_t l = 0; l < texts_.size(); ++l) {
            std::u16string text = readText(parts[l + 1]);
            texts_[l].push_back(text.empty() ? nullptr : std::make_shared<const std::u16string>(std::move(text)));
        }
    }

    void finish() {
        // A name belongs to a transcript: without one it means nothing.
        if (!copy_.transcriptMode) copy_.transcriptName.clear();
        DocumentState& state = copy_.document;
        state.times = std::make_shared<const std::vector<double>>(std::move(times_));
        for (std::size_t l = 0; l < texts_.size(); ++l)
            state.languages[l].texts = std::make_shared<const std::vector<SharedText>>(std::move(texts_[l]));
        const int languages = static_cast<int>(state.languages.size());
        if (state.currentLanguage < 0 || state.currentLanguage >= std::max(languages, 1))
            throw Unreadable{"the shown language names none"};
        if (state.selectedRow < -1 || state.selectedRow >= state.rowCount()) state.selectedRow = -1;
        if (state.topRow < 0 || state.topRow >= std::max(state.rowCount(), 1)) state.topRow = 0;
    }

    RecoveryCopy copy_;
    std::vector<double> times_;
    std::vector<std::vector<SharedText>> texts_;
};

}  // namespace

std::string recoveryCopyBytes(const RecoveryCopy& copy) {
    const DocumentState& state = copy.document;
    std::string out(kFirstLine);
    out += "\nsaved ";
    appendBytes(out, copy.savedAt);
    out += '\n';
    appendLine(out, "media", copy.mediaPath);
    out += "current " + std::to_string(state.currentLanguage) + "\nselected " + std::to_string(state.selectedRow) +
           "\ntop " + std::to_string(state.topRow) + '\n';
    for (const DocumentState::Language& language : state.languages) {
        out += "language ";
        appendBytes(out, language.className);
        out += '\t';
        appendBytes(out, language.displayName);
        out += '\t';
        appendBytes(out, language.langCode);
        out += '\n';
    }
    if (!state.languages.empty()) {
        for (int row = 0; row < state.rowCount(); ++row) {
            out += "row " + numberText((*state.times)[static_cast<std::size_t>(row)]);
            for (std::size_t l = 0; l < state.languages.size(); ++l) {
                out += '\t';
                appendText(out, state.text(static_cast<int>(l), row));
            }
            out += '\n';
        }
    }
    if (copy.transcriptMode) {
        appendLine(out, "transcript", copy.transcriptText);
        appendLine(out, "transcript-name", copy.transcriptName);
    }
    out += "end\n";
    return out;
}

RecoveryReadResult readRecoveryCopy(std::string_view bytes) { return CopyReader().read(bytes); }

int recoveryCaptionCount(const DocumentState& document) {
    int count = 0;
    for (int row = 0; row < document.rowCount(); ++row) {
        for (std::size_t l = 0; l < document.languages.size(); ++l) {
            if (!document.text(static_cast<int>(l), row).empty()) {
                ++count;
                break;
            }
        }
    }
    return count;
}

bool sameRecoveryContent(const RecoveryCopy& a, const RecoveryCopy& b) {
    return a.document.sameDocument(b.document) && a.document.currentLanguage == b.document.currentLanguage &&
           a.document.selectedRow == b.document.selectedRow && a.mediaPath == b.mediaPath &&
           a.transcriptMode == b.transcriptMode && a.transcriptText == b.transcriptText &&
           a.transcriptName == b.transcriptName;
}

}  // namespace zav
