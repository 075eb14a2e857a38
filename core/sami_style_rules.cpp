#include "core/sami_style_rules.h"

#include "core/sami_markup.h"

namespace zav::sami {
namespace {

void blankOut(std::u16string& text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < text.size(); ++i) text[i] = u' ';
}

// The content with the HTML comment markers around the rules and the CSS comments
// inside them turned into spaces.
std::u16string withoutComments(std::u16string_view content) {
    std::u16string text(content);
    for (const std::u16string_view marker : {std::u16string_view(u"<!--"), std::u16string_view(u"-->"),
                                             std::u16string_view(u"<--")}) {
        for (std::size_t at = text.find(marker); at != std::u16string::npos; at = text.find(marker, at))
            blankOut(text, at, at + marker.size());
    }
    for (std::size_t at = text.find(u"/*"); at != std::u16string::npos; at = text.find(u"/*", at)) {
        const std::size_t close = text.find(u"*/", at + 2);
        const std::size_t end = close == std::u16string::npos ? text.size() : close + 2;
        blankOut(text, at, end);
    }
    return text;
}

std::u16string valueOf(std::u16string_view text) { return std::u16string(trimSpaces(unquote(trimSpaces(text)))); }

// Reads "key: value; key: value" into the rule.
void readDeclarations(std::u16string_view block, ClassRule& rule) {
    while (!block.empty()) {
        const std::size_t semicolon = block.find(u';');
        const std::u16string_view declaration = block.substr(0, semicolon);
        block = semicolon == std::u16string_view::npos ? std::u16string_view() : block.substr(semicolon + 1);
        const std::size_t colon = declaration.find(u':');
        if (colon == std::u16string_view::npos) continue;
        const std::u16string_view key = trimSpaces(declaration.substr(0, colon));
        if (sameName(key, "name")) {
            rule.displayName = valueOf(declaration.substr(colon + 1));
        } else if (sameName(key, "lang")) {
            rule.langCode = valueOf(declaration.substr(colon + 1));
        }
    }
}

// The class names a selector list names: each selector that starts with ".".
std::vector<std::u16string> classesOf(std::u16string_view selectors) {
    std::vector<std::u16string> classes;
    while (!selectors.empty()) {
        const std::size_t comma = selectors.find(u',');
        const std::u16string_view selector = trimSpaces(selectors.substr(0, comma));
        selectors = comma == std::u16string_view::npos ? std::u16string_view() : selectors.substr(comma + 1);
        if (selector.empty() || selector.front() != u'.') continue;
        std::size_t end = 1;
        while (end < selector.size() && isClassNameChar(selector[end])) ++end;
        if (end > 1) classes.emplace_back(selector.substr(1, end - 1));
    }
    return classes;
}

}  // namespace

std::vector<ClassRule> classRules(std::u16string_view styleContent) {
    const std::u16string text = withoutComments(styleContent);
    const std::u16string_view css = text;
    std::vector<ClassRule> rules;
    std::size_t position = 0;
    while (position < css.size()) {
        const std::size_t open = css.find(u'{', position);
        if (open == std::u16string_view::npos) break;
        const std::size_t close = css.find(u'}', open + 1);
        const std::size_t blockEnd = close == std::u16string_view::npos ? css.size() : close;
        std::u16string_view selectors = css.substr(position, open - position);
        const std::size_t strayClose = selectors.rfind(u'}');
        if (strayClose != std::u16string_view::npos) selectors.remove_prefix(strayClose + 1);
        for (std::u16string& className : classesOf(selectors)) {
            ClassRule rule;
            rule.className = std::move(className);
            readDeclarations(css.substr(open + 1, blockEnd - open - 1), rule);
            rules.push_back(std::move(rule));
        }
        position = blockEnd + 1;
    }
    return rules;
}

}  // namespace zav::sami
