#include "core/sami_writer.h"

#include <cmath>
#include <cstdio>

namespace zav {
namespace {

// The text up to its first zero byte, as a stream writes a C string.
std::string_view untilZero(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

void addLine(std::string& out, std::string_view line) {
    out += line;
    out += '\n';
}

}  // namespace

void addSamiExtension(std::string& path) {
    constexpr std::string_view extension = ".smi";
    const bool hasIt = path.size() >= extension.size() &&
                       path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
    if (!hasIt) path += extension;
}

std::string samiStartText(double ms) {
    if (!std::isfinite(ms)) return "0";
    const double whole = std::trunc(ms);
    if (whole == 0) return "0";  // also -0.5, which must not come out as "-0"
    if (std::fabs(whole) < 9.0e18) return std::to_string(static_cast<long long>(whole));
    // Beyond a 64-bit integer every double is already whole: its exact digits.
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", whole);
    return digits;
}

std::string samiFileBytes(const CaptionDocument& document, const CodePageConverter& codePage) {
    std::string text;
    addLine(text, "<SAMI>");
    addLine(text, "<HEAD>");
    addLine(text, "   <SAMIParam>");
    addLine(text, "   </SAMIParam>");
    addLine(text, "   <STYLE type=\"text/css\"><!--");
    for (const LanguageClass& language : document.languages()) {
        std::string line = "\t.";
        line += language.className();
        line += " { name:";
        line += language.displayName();
        line += "; lang:";
        line += language.langCode();
        line += ";  samitype:CC; }";
        addLine(text, line);
    }
    addLine(text, "   --></STYLE>");
    addLine(text, "</HEAD>");
    addLine(text, "<BODY>");
    for (int row = 0; row < document.rowCount(); ++row) {
        const double ms = document.times()[row].startMs;
        if (ms == kNoTime) continue;
        addLine(text, "<SYNC start=" + samiStartText(ms) + ">");
        for (const LanguageClass& language : document.languages()) {
            std::string line = "<P class=";
            line += language.className();
            line += '>';
            if (static_cast<std::size_t>(row) < language.texts().size())
                line += untilZero(codePage.toAnsi(language.texts()[row]));
            addLine(text, line);
        }
    }
    addLine(text, "</BODY>");
    addLine(text, "</SAMI>");
    return textModeOutput(text);
}

std::string textModeOutput(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

}  // namespace zav
