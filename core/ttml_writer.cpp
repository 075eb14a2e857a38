#include "core/ttml_writer.h"

#include "core/cue_writer.h"
#include "core/text_encoding.h"

namespace zav {
namespace {

const char* const kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<tt xmlns=\"http://www.w3.org/ns/ttml\" xmlns:ttp=\"http://www.w3.org/ns/ttml#parameter\""
    " xmlns:tts=\"http://www.w3.org/ns/ttml#styling\" ttp:timeBase=\"media\""
    " ttp:contentProfiles=\"http://www.w3.org/ns/ttml/profile/imsc1.1/text\" xml:lang=\"";

const char* const kStyleAndLayout =
    "\">\r\n"
    "  <head>\r\n"
    "    <styling>\r\n"
    "      <style xml:id=\"caption\" tts:color=\"white\" tts:backgroundColor=\"#000000C0\""
    " tts:fontFamily=\"proportionalSansSerif\" tts:textAlign=\"center\"/>\r\n"
    "    </styling>\r\n"
    "    <layout>\r\n"
    "      <region xml:id=\"bottom\" tts:origin=\"10% 10%\" tts:extent=\"80% 80%\" tts:displayAlign=\"after\"/>\r\n"
    "    </layout>\r\n"
    "  </head>\r\n"
    "  <body region=\"bottom\" style=\"caption\">\r\n";

const char* const kTail = "  </body>\r\n</tt>\r\n";

bool isAllowed(char16_t c) { return (c >= 0x20 || c == u'\t') && c != 0xFFFE && c != 0xFFFF; }

// The counts of open <i>, <b> and <u> tags.
struct Styling {
    int italic = 0;
    int bold = 0;
    int underline = 0;
    bool plain() const { return italic == 0 && bold == 0 && underline == 0; }
    void apply(std::u16string_view tag) {
        const bool closing = !tag.empty() && tag[0] == u'/';
        int* count = nullptr;
        const std::u16string_view name = tag.substr(closing ? 1 : 0);
        if (name == u"i") count = &italic;
        if (name == u"b") count = &bold;
        if (name == u"u") count = &underline;
        if (!count) return;
        if (!closing) ++*count;
        if (closing && *count > 0) --*count;
    }
    std::string spanStart() const {
        std::string span = "<span";
        if (italic > 0) span += " tts:fontStyle=\"italic\"";
        if (bold > 0) span += " tts:fontWeight=\"bold\"";
        if (underline > 0) span += " tts:textDecoration=\"underline\"";
        return span + ">";
    }
};

// A line of cueLinesOf in WebVTT syntax: its text is escaped already, so every "<"
// starts one of the tags <i>, <b>, <u> or their end tags.
void appendLine(std::u16string_view line, Styling& styling, std::string& out) {
    std::u16string run;
    const auto flush = [&] {
        if (run.empty()) return;
        const std::string text = utf16ToUtf8(run);
        out += styling.plain() ? text : styling.spanStart() + text + "</span>";
        run.clear();
    };
    for (std::size_t at = 0; at < line.size(); ++at) {
        const std::size_t close = line[at] == u'<' ? line.find(u'>', at) : std::u16string_view::npos;
        if (close != std::u16string_view::npos) {
            flush();
            styling.apply(line.substr(at + 1, close - at - 1));
            at = close;
        } else if (line[at] != u'<' && isAllowed(line[at])) {
            run.push_back(line[at]);
        }
    }
    flush();
}

void appendCues(const CaptionDocument& document, int language, const std::string& divStart, std::string& out) {
    out += "    " + divStart + "\r\n";
    for (const Cue& cue : documentCues(document, language)) {
        const std::vector<std::u16string> lines = cueLinesOf(cue.text, CueSyntax::webVtt);
        if (lines.empty()) continue;
        out += "      <p begin=\"" + cueTimestamp(cue.startMs, CueSyntax::webVtt) + "\" end=\"" +
               cueTimestamp(cue.endMs, CueSyntax::webVtt) + "\">";
        Styling styling;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) out += "<br/>";
            appendLine(lines[i], styling, out);
        }
        out += "</p>\r\n";
    }
    out += "    </div>\r\n";
}

bool isTagCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

std::string ttmlLanguageCode(const LanguageClass& language) {
    const std::string& code = language.langCode();
    bool tag = !code.empty() && ((code[0] >= 'a' && code[0] <= 'z') || (code[0] >= 'A' && code[0] <= 'Z'));
    for (const char c : code) tag = tag && isTagCharacter(c);
    return tag ? code : "und";
}

std::string ttmlFileBytes(const CaptionDocument& document, int language) {
    const bool exists = language >= 0 && language < document.languageCount();
    std::string out = kHead + (exists ? ttmlLanguageCode(document.languages()[language]) : std::string("und"));
    out += kStyleAndLayout;
    appendCues(document, language, "<div>", out);
    return out + kTail;
}

std::string ttmlFileBytesAllLanguages(const CaptionDocument& document) {
    std::string shared = document.languageCount() > 0 ? ttmlLanguageCode(document.languages()[0]) : "und";
    for (const LanguageClass& language : document.languages()) {
        if (ttmlLanguageCode(language) != shared) shared = "mul";
    }
    std::string out = kHead + shared + kStyleAndLayout;
    for (int language = 0; language < document.languageCount(); ++language)
        appendCues(document, language, "<div xml:lang=\"" + ttmlLanguageCode(document.languages()[language]) + "\">", out);
    return out + kTail;
}

void addTtmlExtension(std::string& path) {
    const std::string extension = ".ttml";
    const bool hasIt = path.size() >= extension.size() &&
                       path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
    if (!hasIt) path += extension;
}

}  // namespace zav
