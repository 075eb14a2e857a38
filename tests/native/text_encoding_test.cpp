#include "core/text_encoding.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

struct Detection {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::u16string decoded;
};

class EncodingDetection : public ::testing::TestWithParam<Detection> {};

TEST_P(EncodingDetection, DecidesAndDecodes) {
    const Detection& c = GetParam();
    const test::IconvCodePage codePage;
    EXPECT_EQ(detectTextEncoding(c.bytes), c.encoding);
    EXPECT_EQ(decodeText(c.bytes, codePage), c.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, EncodingDetection,
    ::testing::Values(
        Detection{"empty", "", TextEncoding::Ansi, u""},
        Detection{"ascii_is_ansi", "Hello", TextEncoding::Ansi, u"Hello"},
        Detection{"latin1_is_ansi", "caf\xE9", TextEncoding::Ansi, u"caf\u00E9"},
        Detection{"utf8_without_mark", "caf\xC3\xA9", TextEncoding::Utf8, u"caf\u00E9"},
        Detection{"utf8_mark", "\xEF\xBB\xBFHi", TextEncoding::Utf8Bom, u"Hi"},
        Detection{"utf8_mark_only", "\xEF\xBB\xBF", TextEncoding::Utf8Bom, u""},
        Detection{"utf16le", std::string("\xFF\xFEH\0\xE9\0", 6), TextEncoding::Utf16Le, u"H\u00E9"},
        Detection{"utf16be", std::string("\xFE\xFF\0H\x4E\x2D", 6), TextEncoding::Utf16Be, u"H\u4E2D"},
        Detection{"utf16le_odd_byte_dropped", std::string("\xFF\xFEH\0X", 5), TextEncoding::Utf16Le, u"H"},
        Detection{"overlong_is_ansi", "\xC0\xAF", TextEncoding::Ansi, u"\u00C0\u00AF"},
        Detection{"encoded_surrogate_is_ansi", "\xED\xA0\x80", TextEncoding::Ansi, u"\u00ED\u00A0\u20AC"},
        Detection{"truncated_sequence_is_ansi", "ab\xE4\xB8", TextEncoding::Ansi, u"ab\u00E4\u00B8"},
        Detection{"four_byte_utf8", "\xF0\x9F\x98\x80", TextEncoding::Utf8, u"\U0001F600"},
        Detection{"first_four_byte_utf8", "\xF0\x90\x80\x80", TextEncoding::Utf8, u"\xD800\xDC00"},
        Detection{"overlong_two_byte_is_ansi", "\xC1\xBF", TextEncoding::Ansi, u"\u00C1\u00BF"},
        Detection{"overlong_four_byte_is_ansi", "\xF0\x8F\xBF\xBF", TextEncoding::Ansi, u"\u00F0?\u00BF\u00BF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8Conversion, RoundTripsEveryPlaneAndReplacesLoneSurrogates) {
    const std::u16string text = u"A\u00E9\u4E2D\U0001F600\u0000z";
    EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(text)), text);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xDC00), u'x'}), "\xEF\xBF\xBDx");
    EXPECT_EQ(utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
}

}  // namespace
}  // namespace zav
