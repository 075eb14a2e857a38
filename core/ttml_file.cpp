#include "core/ttml_file.h"

#include "core/caption_document.h"
#include "core/cue_text.h"
#include "core/text_encoding.h"
#include "core/ttml_time.h"
#include "core/xml_reader.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace zav {
namespace {

constexpr std::int64_t kIndefinite = std::numeric_limits<std::int64_t>::max();
// A p split by the times of its spans gives at most this many cues; beyond it the
// spans' own times are not followed (all of the p shows for all of its time).
constexpr std::size_t kMaxSplits = 64;

bool isXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool isTtml(const XmlNode& node, std::u16string_view local) {
    return !node.isText && node.name.is(kTtmlNamespace, local);
}

std::vector<std::u16string_view> tokens(std::u16string_view text) {
    std::vector<std::u16string_view> out;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isXmlSpace(text[at])) ++at;
        const std::size_t start = at;
        while (at < text.size() && !isXmlSpace(text[at])) ++at;
        if (at > start) out.push_back(text.substr(start, at - start));
    }
    return out;
}

// Each of italic, bold and underline: -1 not said, 0 off, 1 on.
struct Style {
    signed char italic = -1;
    signed char bold = -1;
    signed char underline = -1;
    bool operator==(const Style& o) const { return italic == o.italic && bold == o.bold && underline == o.underline; }
};

Style over(Style base, Style top) {
    if (top.italic >= 0) base.italic = top.italic;
    if (top.bold >= 0) base.bold = top.bold;
    if (top.underline >= 0) base.underline = top.underline;
    return base;
}

// The tts: attributes of the element itself.
Style inlineStyle(const XmlNode& node) {
    Style style;
    if (const std::u16string* value = node.attribute(kTtmlStylingNamespace, u"fontStyle")) {
        const std::u16string_view v = tokens(*value).empty() ? u"" : tokens(*value)[0];
        if (v == u"italic" || v == u"oblique" || v == u"reverseOblique") style.italic = 1;
        if (v == u"normal") style.italic = 0;
    }
    if (const std::u16string* value = node.attribute(kTtmlStylingNamespace, u"fontWeight")) {
        const std::u16string_view v = tokens(*value).empty() ? u"" : tokens(*value)[0];
        if (v == u"bold") style.bold = 1;
        if (v == u"normal") style.bold = 0;
    }
    if (const std::u16string* value = node.attribute(kTtmlStylingNamespace, u"textDecoration")) {
        for (const std::u16string_view v : tokens(*value)) {
            if (v == u"underline") style.underline = 1;
            if (v == u"noUnderline" || v == u"none") style.underline = 0;
        }
    }
    return style;
}

// Style and region elements by xml:id, resolved once each.
class Styles {
public:
    explicit Styles(const XmlDocument& document) : doc_(document) {
        for (std::size_t i = 0; i < document.nodes.size(); ++i) {
            const XmlNode& node = document.nodes[i];
            const std::u16string* id = node.isText ? nullptr : node.attribute(kXmlNamespace, u"id");
            if (!id) continue;
            if (isTtml(node, u"style")) styles_.emplace(*id, static_cast<int>(i));
            if (isTtml(node, u"region")) regions_.emplace(*id, static_cast<int>(i));
        }
    }

    // What the element says itself: the styles it references, in order, then its
    // tts: attributes.
    Style specified(const XmlNode& node, int depth = 0) {
        Style style;
        if (const std::u16string* refs = node.attribute(u"", u"style")) {
            for (const std::u16string_view ref : tokens(*refs)) style = over(style, resolve(std::u16string(ref), depth + 1));
        }
        return over(style, inlineStyle(node));
    }

    // A region's style: what it references, its nested style elements, its own
    // attributes. Nothing for an unknown region.
    std::optional<Style> region(const std::u16string& id) {
        const auto found = regions_.find(id);
        if (found == regions_.end()) return std::nullopt;
        if (const auto done = resolvedRegions_.find(id); done != resolvedRegions_.end()) return done->second;
        const XmlNode& node = doc_.nodes[found->second];
        Style style = specified(node);
        for (const int child : node.children) {
            if (isTtml(doc_.nodes[child], u"style")) style = over(style, specified(doc_.nodes[child]));
        }
        style = over(style, inlineStyle(node));
        resolvedRegions_.emplace(id, style);
        return style;
    }

private:
    Style resolve(const std::u16string& id, int depth) {
        if (depth > kMaxStyleChain) return {};
        if (const auto done = resolved_.find(id); done != resolved_.end()) return done->second;
        const auto found = styles_.find(id);
        if (found == styles_.end() || !inProgress_.insert(id).second) return {};  // unknown, or a cycle
        const Style style = specified(doc_.nodes[found->second], depth);
        inProgress_.erase(id);
        resolved_.emplace(id, style);
        return style;
    }

    const XmlDocument& doc_;
    std::unordered_map<std::u16string, int> styles_;
    std::unordered_map<std::u16string, int> regions_;
    std::unordered_map<std::u16string, Style> resolved_;
    std::unordered_map<std::u16string, Style> resolvedRegions_;
    std::unordered_set<std::u16string> inProgress_;
};

// What an element passes on to its content.
struct Context {
    std::int64_t begin = 0;
    std::int64_t end = kIndefinite;
    const std::u16string* language = nullptr;
    bool preserve = false;
    Style inherited;
    Style region;
};

std::int64_t plus(std::int64_t a, std::int64_t b) { return a >= kIndefinite - b ? kIndefinite : a + b; }

// A piece of a p's content: a run of text or a line break, with what it inherits.
struct Piece {
    bool lineBreak;
    std::u16string_view text;
    Style style;
    bool preserve;
    std::int64_t begin;
    std::int64_t end;
};

// One character of a caption with its style; '\n' breaks the line.
struct Unit {
    char16_t c;
    Style style;
    bool collapsible;  // a blank that white-space handling may drop
};

// The units of the pieces, white space handled as xml:space says.
std::vector<Unit> unitsOf(const std::vector<const Piece*>& pieces) {
    std::vector<Unit> units;
    const auto trimEnd = [&] {
        while (!units.empty() && units.back().collapsible) units.pop_back();
    };
    for (const Piece* piece : pieces) {
        if (piece->lineBreak) {
            trimEnd();
            units.push_back({u'\n', {}, false});
            continue;
        }
        for (const char16_t c : piece->text) {
            if (piece->preserve) {
                units.push_back({c == u'\n' ? u'\n' : isXmlSpace(c) ? u' ' : c, piece->style, false});
            } else if (!isXmlSpace(c)) {
                units.push_back({c, piece->style, false});
            } else if (!units.empty() && units.back().c != u'\n' && !units.back().collapsible) {
                units.push_back({u' ', piece->style, true});
            }
        }
    }
    trimEnd();
    while (!units.empty() && units.back().c == u'\n') units.pop_back();
    const auto first = std::find_if(units.begin(), units.end(), [](const Unit& u) { return u.c != u'\n'; });
    units.erase(units.begin(), first);
    return units;
}

// The document text of the units: <i>, <b> and <u> opened and closed as the style
// changes, always properly nested, and closed at the end.
std::u16string samiTextOf(const std::vector<Unit>& units) {
    static const char16_t kTags[] = {u'i', u'b', u'u'};
    std::u16string text;
    std::u16string plain;
    std::vector<char16_t> open;
    const auto wanted = [](const Style& style, char16_t tag) {
        return (tag == u'i' ? style.italic : tag == u'b' ? style.bold : style.underline) == 1;
    };
    const auto flush = [&] {
        text += samiTextOfPlain(plain);
        plain.clear();
    };
    // The style of the next character from each unit on: a tag that ends before a
    // line break is closed on its own line.
    std::vector<Style> nextStyle(units.size() + 1);
    for (std::size_t i = units.size(); i-- > 0;) nextStyle[i] = units[i].c == u'\n' ? nextStyle[i + 1] : units[i].style;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const Unit& unit = units[i];
        const Style& style = nextStyle[i];
        const auto stale = std::find_if(open.begin(), open.end(), [&](char16_t tag) { return !wanted(style, tag); });
        const bool opens = std::any_of(std::begin(kTags), std::end(kTags), [&](char16_t tag) {
            return wanted(style, tag) && std::find(open.begin(), open.end(), tag) == open.end();
        });
        if (stale != open.end() || (opens && unit.c != u'\n')) {
            flush();
            const auto kept = static_cast<std::size_t>(stale - open.begin());
            while (open.size() > kept) {
                text += std::u16string(u"</") + open.back() + u">";
                open.pop_back();
            }
            for (const char16_t tag : kTags) {
                if (unit.c != u'\n' && wanted(style, tag) && std::find(open.begin(), open.end(), tag) == open.end()) {
                    text += std::u16string(u"<") + tag + u">";
                    open.push_back(tag);
                }
            }
        }
        if (unit.c == u'\n') {
            flush();
            text += u"<br>";
        } else {
            plain.push_back(unit.c);
        }
    }
    flush();
    while (!open.empty()) {
        text += std::u16string(u"</") + open.back() + u">";
        open.pop_back();
    }
    return text;
}

class TtmlReader {
public:
    TtmlReader(const XmlDocument& document, TtmlFile& file) : doc_(document), file_(file), styles_(document) {
        const XmlNode& tt = document.nodes[document.root];
        const auto parameter = [&](std::u16string_view name) { return tt.attribute(kTtmlParameterNamespace, name); };
        timing_ = ttmlTiming(parameter(u"frameRate"), parameter(u"frameRateMultiplier"), parameter(u"subFrameRate"),
                             parameter(u"tickRate"));
    }

    void read() {
        const XmlNode& tt = doc_.nodes[doc_.root];
        Context context;
        context.language = &kNone;
        context = described(tt, context);
        for (const int child : tt.children) {
            if (isTtml(doc_.nodes[child], u"body")) container(doc_.nodes[child], context);
        }
        for (TtmlLanguage& language : file_.languages) {
            orderCues(language.cues);
            file_.shortenedCues += language.cues.shortenedCues;
            file_.cutTexts += language.cues.cutTexts;
        }
    }

private:
    // Language, white space, region and style as the element says them.
    Context described(const XmlNode& node, Context context) {
        if (const std::u16string* language = node.attribute(kXmlNamespace, u"lang")) context.language = language;
        if (const std::u16string* space = node.attribute(kXmlNamespace, u"space")) context.preserve = *space == u"preserve";
        if (const std::u16string* region = node.attribute(u"", u"region")) {
            if (const std::optional<Style> style = styles_.region(*region)) context.region = *style;
        }
        context.inherited = over(context.inherited, styles_.specified(node));
        return context;
    }

    // The element's context, or nothing when it never shows: its times cannot be
    // read or contradict each other (counted), or they fall outside its parent's.
    std::optional<Context> enter(const XmlNode& node, const Context& parent) {
        const std::u16string* beginText = node.attribute(u"", u"begin");
        const std::u16string* endText = node.attribute(u"", u"end");
        const std::u16string* durText = node.attribute(u"", u"dur");
        const std::optional<std::int64_t> begin = beginText ? ttmlTimeMs(*beginText, timing_) : 0;
        const std::optional<std::int64_t> end = endText ? ttmlTimeMs(*endText, timing_) : kIndefinite;
        const std::optional<std::int64_t> dur = durText ? ttmlTimeMs(*durText, timing_) : kIndefinite;
        if (!begin || !end || !dur || (endText && *end <= *begin) || (durText && *dur == 0)) {
            ++file_.malformedCues;
            return std::nullopt;
        }
        Context context = described(node, parent);
        context.begin = plus(parent.begin, *begin);
        context.end = std::min({endText ? plus(parent.begin, *end) : kIndefinite, plus(context.begin, *dur), parent.end});
        if (context.begin > kMaxCueMs || context.begin >= context.end) return std::nullopt;
        return context;
    }

    void container(const XmlNode& node, const Context& parent) {
        const std::optional<Context> context = enter(node, parent);
        if (!context) return;
        for (const int child : node.children) {
            const XmlNode& element = doc_.nodes[child];
            if (isTtml(element, u"div")) container(element, *context);
            if (isTtml(element, u"p")) paragraph(element, *context);
        }
    }

    void collect(const XmlNode& node, const Context& context, std::vector<Piece>& pieces) {
        for (const int child : node.children) {
            const XmlNode& element = doc_.nodes[child];
            const Style style = over(context.region, context.inherited);
            if (element.isText) {
                pieces.push_back({false, element.text, style, context.preserve, context.begin, context.end});
            } else if (isTtml(element, u"br")) {
                if (const std::optional<Context> inner = enter(element, context))
                    pieces.push_back({true, {}, style, false, inner->begin, inner->end});
            } else if (isTtml(element, u"span")) {
                if (const std::optional<Context> inner = enter(element, context)) collect(element, *inner, pieces);
            }
        }
    }

    void paragraph(const XmlNode& node, const Context& parent) {
        const std::optional<Context> context = enter(node, parent);
        if (!context) return;
        std::vector<Piece> pieces;
        collect(node, *context, pieces);
        std::vector<std::int64_t> times{context->begin, context->end};
        for (const Piece& piece : pieces) {
            if (times.size() > kMaxSplits + 1) break;
            if (piece.begin > context->begin) times.push_back(piece.begin);
            if (piece.end < context->end) times.push_back(piece.end);
        }
        const bool split = times.size() <= kMaxSplits + 1;
        if (!split) times = {context->begin, context->end};
        std::sort(times.begin(), times.end());
        times.erase(std::unique(times.begin(), times.end()), times.end());
        CueFile& cues = languageCues(*context->language);
        const std::size_t first = cues.cues.size();
        for (std::size_t i = 0; i + 1 < times.size(); ++i) {
            std::vector<const Piece*> shown;
            for (const Piece& piece : pieces) {
                if (!split || (piece.begin <= times[i] && piece.end >= times[i + 1])) shown.push_back(&piece);
            }
            bool cut = false;
            std::u16string text = cutSamiText(samiTextOf(unitsOf(shown)), cut);
            if (text.empty()) continue;
            const std::int64_t start = times[i];
            // Without an end the caption stays, as an end from another tool's converter says.
            const std::int64_t end = times[i + 1] != kIndefinite ? std::min(times[i + 1], kMaxCueMs)
                                     : start < kOpenCueEndMs      ? kOpenCueEndMs
                                                                  : kMaxCueMs;
            if (end <= start) continue;
            if (cues.cues.size() > first && cues.cues.back().endMs == start && cues.cues.back().text == text) {
                cues.cues.back().endMs = end;  // the same text on both sides of a span's time
                continue;
            }
            if (cut) ++cues.cutTexts;
            cues.cues.push_back(Cue{start, end, std::move(text)});
        }
    }

    CueFile& languageCues(const std::u16string& code) {
        const auto found = languageIndex_.find(code);
        if (found != languageIndex_.end()) return file_.languages[found->second].cues;
        languageIndex_.emplace(code, file_.languages.size());
        file_.languages.push_back(TtmlLanguage{utf16ToUtf8(code), CueFile{}});
        file_.languages.back().cues.format = CaptionFormat::ttml;
        return file_.languages.back().cues;
    }

    static const std::u16string kNone;
    const XmlDocument& doc_;
    TtmlFile& file_;
    Styles styles_;
    TtmlTiming timing_;
    std::unordered_map<std::u16string, std::size_t> languageIndex_;
};

const std::u16string TtmlReader::kNone;

// Names in a DFXP draft's namespaces read as the same names in TTML's.
void adoptDraftNamespaces(XmlDocument& document) {
    const auto adopt = [](std::u16string& uri) {
        const std::u16string_view current = currentTtmlNamespace(uri);
        if (current != uri) uri = current;
    };
    for (XmlNode& node : document.nodes) {
        adopt(node.name.namespaceUri);
        for (XmlAttribute& attribute : node.attributes) adopt(attribute.name.namespaceUri);
    }
}

}  // namespace

std::u16string_view currentTtmlNamespace(std::u16string_view uri) {
    for (const std::u16string_view draft : {u"http://www.w3.org/2006/10/ttaf1", u"http://www.w3.org/2006/04/ttaf1"}) {
        if (uri.substr(0, draft.size()) != draft) continue;
        const std::u16string_view rest = uri.substr(draft.size());
        if (rest.empty()) return kTtmlNamespace;
        if (rest == u"#styling" || rest == u"#style") return kTtmlStylingNamespace;
        if (rest == u"#parameter") return kTtmlParameterNamespace;
    }
    return uri;
}

TtmlFile readTtmlFile(std::string_view bytes) {
    TtmlFile file;
    XmlDocument document = readXml(bytes);
    adoptDraftNamespaces(document);
    if (!document.ok()) {
        file.error = document.error;
        file.errorLine = document.errorLine;
        return file;
    }
    const XmlNode& root = document.nodes[document.root];
    if (!root.name.is(kTtmlNamespace, u"tt")) {
        file.error = "the root element is not <tt> of TTML";
        file.errorLine = root.line;
        return file;
    }
    TtmlReader(document, file).read();
    // A language whose p elements showed nothing has no cue: it is left out.
    file.languages.erase(std::remove_if(file.languages.begin(), file.languages.end(),
                                        [](const TtmlLanguage& language) { return language.cues.cues.empty(); }),
                         file.languages.end());
    return file;
}

std::string ttmlErrorText(const TtmlFile& file) { return "line " + std::to_string(file.errorLine) + ": " + file.error; }

}  // namespace zav
