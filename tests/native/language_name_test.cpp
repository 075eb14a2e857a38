#include "core/language_name.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

TEST(ClassNameFromTyped, TrailingBlanksAndControlCharactersGo) {
    EXPECT_EQ(classNameFromTyped(u"French   ", cp1252), "French");
    EXPECT_EQ(classNameFromTyped(u"  Deutsch\t\r\n\x1f ", cp1252), "  Deutsch");
    EXPECT_EQ(classNameFromTyped(u"Fran\u00e7ais", cp1252), "Fran\xe7" "ais");
}

TEST(ClassNameFromTyped, NothingLeftIsRefused) {
    EXPECT_FALSE(classNameFromTyped(u"", cp1252));
    EXPECT_FALSE(classNameFromTyped(u"     ", cp1252));
    EXPECT_FALSE(classNameFromTyped(u" \t\x01 ", cp1252));
}

TEST(ClassNameFromTyped, LongNamesAreCutTo29Bytes) {
    const std::u16string forty(40, u'n');
    EXPECT_EQ(classNameFromTyped(forty, cp1252), std::string(29, 'n'));
    // Only the first 99 characters are read: the trailing 'x' is never seen, so the
    // blanks before it are trimmed.
    const std::u16string typed = u"a" + std::u16string(98, u' ') + u"x";
    EXPECT_EQ(classNameFromTyped(typed, cp1252), "a");
}

TEST(ClassNameFromTyped, MultiByteNamesKeepWholeCharacters) {
    const test::IconvCodePage shiftJis("CP932");
    // Fifteen two-byte characters are 30 bytes: 14 of them fit into 29.
    const std::u16string typed(15, u'\u65e5');
    const auto name = classNameFromTyped(typed, shiftJis);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->size(), 28u);
    EXPECT_EQ(shiftJis.fromAnsi(*name), std::u16string(14, u'\u65e5'));
    // One byte before them shifts the boundary: 1 + 14 * 2 = 29 exactly.
    const auto shifted = classNameFromTyped(u"a" + typed, shiftJis);
    ASSERT_TRUE(shifted);
    EXPECT_EQ(shifted->size(), 29u);
}

TEST(AddedLanguage, UsesTheNameTwiceAndTheFixedCode) {
    const LanguageClass language = addedLanguage("French");
    EXPECT_EQ(language.className(), "French");
    EXPECT_EQ(language.displayName(), "French");
    EXPECT_EQ(language.langCode(), "ZAV-CC");
    EXPECT_TRUE(language.texts.empty());
}

}  // namespace
}  // namespace zav
