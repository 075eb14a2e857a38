#include "core/language_name.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <cctype>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

TEST(ClassNameFromTyped, TrailingBlanksAndControlCharactersGo) {
    EXPECT_EQ(classNameFromTyped(u"French   ", cp1252), "French");
    EXPECT_EQ(classNameFromTyped(u"  Deutsch\t\r\n\x1f ", cp1252), "  Deutsch");
    EXPECT_EQ(classNameFromTyped(u"Fran\u00e7ais", cp1252), "Fran\xe7" "ais");
    EXPECT_EQ(classNameFromTyped(u"Hi!", cp1252), "Hi!");  // "!" is the first byte above the blanks
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

    // A converter that gives a character alone other bytes than within the text: the
    // name is then cut by bytes.
    struct PiecewiseUpper final : CodePageConverter {
        std::string toAnsi(std::u16string_view text) const override {
            std::string bytes(text.begin(), text.end());
            if (bytes.size() == 1) bytes[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(bytes[0])));
            return bytes;
        }
        std::u16string fromAnsi(std::string_view text) const override { return {text.begin(), text.end()}; }
    };
    EXPECT_EQ(classNameFromTyped(forty, PiecewiseUpper()), std::string(29, 'n'));
}

TEST(ClassNameFromTyped, MultiByteNamesKeepWholeCharacters) {
    const test::IconvCodePage shiftJis("CP932");
    // Fifteen different two-byte characters are 30 bytes: the first 14 fit into 29.
    const std::u16string typed =
        u"\u65e5\u672c\u8a9e\u306e\u5b57\u5e55\u3092\u4f5c\u308b\u6642\u9593\u3068\u8a00\u8449\u96c6";
    ASSERT_EQ(typed.size(), 15u);
    const auto name = classNameFromTyped(typed, shiftJis);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->size(), 28u);
    EXPECT_EQ(shiftJis.fromAnsi(*name), typed.substr(0, 14));
    // One byte before them shifts the boundary: 1 + 14 * 2 = 29 exactly.
    const auto shifted = classNameFromTyped(u"a" + typed, shiftJis);
    ASSERT_TRUE(shifted);
    EXPECT_EQ(shifted->size(), 29u);
    EXPECT_EQ(shiftJis.fromAnsi(*shifted), u"a" + typed.substr(0, 14));
}

TEST(ClassNameFromTyped, ASurrogatePairAtTheLimitIsKeptOrDroppedWhole) {
    // In UTF-8 (code page 65001) the pair is one four-byte character.
    const test::IconvCodePage utf8("UTF-8");
    const std::u16string face = u"\xD83D\xDE00";
    // 25 + 4 = 29 bytes: the pair fits, the 'b' after it does not.
    EXPECT_EQ(classNameFromTyped(std::u16string(25, u'a') + face + u"b", utf8),
              std::string(25, 'a') + "\xF0\x9F\x98\x80");
    // 28 + 4 = 32 bytes: the pair goes whole, not its first byte with it.
    EXPECT_EQ(classNameFromTyped(std::u16string(28, u'a') + face, utf8), std::string(28, 'a'));
    // 4 + 24 + 2 = 30 bytes: the pair at the start stays whole, the "é" goes.
    EXPECT_EQ(classNameFromTyped(face + std::u16string(24, u'a') + u"\u00e9", utf8),
              "\xF0\x9F\x98\x80" + std::string(24, 'a'));
}

TEST(AddedLanguage, UsesTheNameTwiceAndTheFixedCode) {
    const LanguageClass language = addedLanguage("French");
    EXPECT_EQ(language.className(), "French");
    EXPECT_EQ(language.displayName(), "French");
    EXPECT_EQ(language.langCode(), "ZAV-CC");
    EXPECT_TRUE(language.texts().empty());
}

}  // namespace
}  // namespace zav
