#pragma once
// The class rules of a SAMI STYLE section, read the way other programs write them:
// ".NAME { name: ...; lang: ...; }" with keys in any case, values bare or quoted,
// one or several rules per line or one rule over several lines, with or without the
// "<!-- -->" around them. Rules for elements ("P { ... }"), "#id" rules and every
// other key are passed over.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav::sami {

struct ClassRule {
    std::u16string className;
    std::optional<std::u16string> displayName;  // the "name" key, when the rule has one
    std::optional<std::u16string> langCode;     // the "lang" key, when the rule has one
};

// The class rules of the section's content, in order. A rule for several selectors
// (".A, .B { ... }") gives one rule per class.
std::vector<ClassRule> classRules(std::u16string_view styleContent);

}  // namespace zav::sami
