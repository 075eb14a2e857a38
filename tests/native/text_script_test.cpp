// The text script import's core: the caption length typed, the cleaning and the
// split into pieces at word boundaries.
#include "core/text_script.h"

#include "core/caption_document.h"
#include "tests/native/iconv_code_page.h"
#include "tests/native/stepwise_split.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <ostream>
#include <vector>

namespace zav {
bool operator==(const ScriptPiece& a, const ScriptPiece& b) { return a.start == b.start && a.length == b.length; }
std::ostream& operator<<(std::ostream& out, const ScriptPiece& piece) {
    return out << "{" << piece.start << ", " << piece.length << "}";
}
}  // namespace zav

namespace {

using zav::ScriptPiece;

const zav::test::IconvCodePage cp1252;

std::vector<std::u16string> captions(const std::string& text, int n) { return zav::scriptCaptions(text, n, cp1252); }

std::u16string u16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The reference split, after trailing spaces are left out as the import does.
std::vector<ScriptPiece> stepwiseSplit(std::string text, std::size_t n) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return zav::test::stepwiseSplit(text, n);
}

TEST(TextScriptLength, TypedTextReadsLikeTheDecimalConversion) {
    EXPECT_EQ(zav::typedCaptionLength("30abc"), 30);
    EXPECT_EQ(zav::typedCaptionLength("  +42"), 42);
    EXPECT_EQ(zav::typedCaptionLength("-30"), -30);
    EXPECT_EQ(zav::typedCaptionLength("thirty"), 0);
    EXPECT_EQ(zav::typedCaptionLength(""), 0);
    // 49 nines do not overflow; they stay far above the range.
    EXPECT_EQ(zav::checkCaptionLength(zav::typedCaptionLength(std::string(49, '9'))), zav::CaptionLengthCheck::tooLong);
    EXPECT_EQ(zav::checkCaptionLength(zav::typedCaptionLength("-" + std::string(48, '9'))),
              zav::CaptionLengthCheck::tooShort);
}

TEST(TextScriptLength, BoundsThemselvesAreAccepted) {
    EXPECT_EQ(zav::checkCaptionLength(24), zav::CaptionLengthCheck::tooShort);
    EXPECT_EQ(zav::checkCaptionLength(0), zav::CaptionLengthCheck::tooShort);
    EXPECT_EQ(zav::checkCaptionLength(25), zav::CaptionLengthCheck::accepted);
    EXPECT_EQ(zav::checkCaptionLength(200), zav::CaptionLengthCheck::accepted);
    EXPECT_EQ(zav::checkCaptionLength(201), zav::CaptionLengthCheck::tooLong);
}

TEST(TextScriptCleaning, ControlAndHighBytesBecomeSpaces) {
    std::string text = "a\tb\nc\rd\x01" "e\x7F" "f\x80g\xE9h\xFF";
    zav::cleanScriptText(text);
    EXPECT_EQ(text, "a b c d e\x7F" "f g h ");
}

TEST(TextScriptWords, WordRunsToTheSpaceAndReachesPastIt) {
    const std::string text = "  ab\x7F" "c  d";
    auto word = zav::nextPlainWord(text, 0);
    ASSERT_TRUE(word);
    EXPECT_EQ(word->start, 2u);
    EXPECT_EQ(word->reach, 7u);  // just after the space that ends "ab\x7Fc"
    word = zav::nextPlainWord(text, word->reach);
    ASSERT_TRUE(word);
    EXPECT_EQ(word->start, 8u);
    EXPECT_EQ(word->reach, 9u);  // runs into the end of the text
    EXPECT_FALSE(zav::nextPlainWord(text, 9));
    // A DEL does not start a word.
    EXPECT_FALSE(zav::nextPlainWord(std::string("\x7F \x7F"), 0));
}

TEST(TextScriptSplit, WorkedSentence) {
    const std::string sentence = "The quick brown fox jumps over the lazy dog.";
    ASSERT_EQ(sentence.size(), 44u);
    const std::vector<std::u16string> expected{u"The quick brown fox ", u"jumps over the lazy dog."};
    EXPECT_EQ(captions(sentence, 25), expected);
    // A final line end (CR LF read as LF) or several change nothing.
    EXPECT_EQ(captions(sentence + "\n", 25), expected);
    EXPECT_EQ(captions(sentence + "\n\n  \n", 25), expected);
}

TEST(TextScriptSplit, EmptyAndBlankTextsGiveNoPiece) {
    EXPECT_TRUE(captions("", 25).empty());
    EXPECT_TRUE(captions("\n\n \t\n", 25).empty());
    EXPECT_TRUE(captions("\xE9\xE8\x01", 25).empty());
}

TEST(TextScriptSplit, LongWordsAreCutEveryN) {
    const std::string sixty(60, 'x');
    EXPECT_EQ(captions(sixty, 25), (std::vector<std::u16string>{u16(std::string(25, 'x')), u16(std::string(25, 'x')),
                                                                  u16(std::string(10, 'x'))}));
    // A 30-letter word and its space: 25 letters, then the last five.
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty.push_back(static_cast<char>('a' + i % 26));
    const auto pieces = captions(thirty + " end", 25);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], u16(thirty.substr(0, 25)));
    EXPECT_EQ(pieces[1], u16(thirty.substr(25) + " end"));
}

TEST(TextScriptSplit, WordWhoseSpaceFillsThePieceIsCut) {
    const std::string w24(24, 'w');
    auto pieces = captions("ab " + w24 + " z", 25);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], u16("ab " + std::string(22, 'w')));
    EXPECT_EQ(pieces[1], u16("ww z"));
    // One letter shorter, the word opens the next piece whole.
    const std::string w23(23, 'w');
    pieces = captions("ab " + w23 + " z", 25);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], u"ab ");
    EXPECT_EQ(pieces[1], u16(w23 + " "));
    EXPECT_EQ(pieces[2], u"z");
}

TEST(TextScriptSplit, SpacesBetweenWordsStayInTheEarlierPiece) {
    // Blank lines count as one space each; the run stays before the word that opens
    // the next piece, so the piece grows past N.
    const std::string text = "first words" + std::string(30, '\n') + "next";
    const auto pieces = captions(text, 25);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], u16("first words" + std::string(30, ' ')));
    EXPECT_EQ(pieces[1], u"next");
    // Spaces count toward the length: "cccc" and its space reach 23 and stay, "dddd"
    // would reach 31 and opens the next piece, leaving 27 characters before it.
    EXPECT_EQ(captions("aaaa     bbbb     cccc     dddd", 25),
              (std::vector<std::u16string>{u"aaaa     bbbb     cccc     ", u"dddd"}));
    EXPECT_EQ(captions("aaaa     bbbb     ccccccc  dddd", 25),
              (std::vector<std::u16string>{u"aaaa     bbbb     ", u"ccccccc  dddd"}));
}

TEST(TextScriptSplit, AccentedLettersSeparateWords) {
    EXPECT_EQ(captions("caf\xE9" "au lait", 25), (std::vector<std::u16string>{u"caf au lait"}));
    const std::string text = std::string(20, 'a') + "\xE9" + std::string(20, 'b');
    EXPECT_EQ(captions(text, 25), (std::vector<std::u16string>{u16(std::string(20, 'a') + " "), u16(std::string(20, 'b'))}));
}

TEST(TextScriptSplit, PiecesAreCutToTheCaptionCapacity) {
    // With N = 200 a long word gives pieces of exactly 200 characters.
    auto pieces = captions(std::string(450, 'q'), 200);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), zav::kMaxCaptionText);
    EXPECT_EQ(pieces[1].size(), zav::kMaxCaptionText);
    EXPECT_EQ(pieces[2], u16(std::string(50, 'q')));
    // Hundreds of blank lines inside one piece.
    pieces = captions("top" + std::string(500, '\n') + "bottom", 25);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], u16("top" + std::string(zav::kMaxCaptionText - 3, ' ')));
    EXPECT_EQ(pieces[1], u"bottom");
}

TEST(TextScriptSplit, LeadingSpacesAndDelsFollowTheSteps) {
    // Leading blanks before a long word fill a piece of their own.
    auto pieces = zav::splitScriptText(std::string(30, ' ') + std::string(30, 'x'), 25);
    EXPECT_EQ(pieces, stepwiseSplit(std::string(30, ' ') + std::string(30, 'x'), 25));
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].length, 25u);
    // A cut that lands among a word's DELs reads on to the next word.
    const std::string dels = std::string(10, 'y') + std::string(40, '\x7F') + " tail";
    EXPECT_EQ(zav::splitScriptText(dels, 25), stepwiseSplit(dels, 25));
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZAV_ADDRESS_SANITIZER 1
#endif
#endif

// Without the guard a length of 0 would cut empty pieces forever, so the split runs
// in a child held to ten seconds and 1 GiB: a loop fails the test instead of hanging it.
// (AddressSanitizer reserves far more address space than that, so it keeps the time limit alone.)
TEST(TextScriptSplitDeathTest, LengthsBelowOneCountAsOne) {
    const std::string text = "ab c";
    const std::vector<ScriptPiece> ones{{0, 1}, {1, 1}, {2, 1}, {3, 1}};
    ASSERT_EQ(zav::splitScriptText(text, 1), ones);
    for (const int n : {0, -5, INT_MIN}) {
        EXPECT_EXIT(
            {
                alarm(10);
#ifndef ZAV_ADDRESS_SANITIZER
                rlimit memory;
                memory.rlim_cur = memory.rlim_max = rlim_t(1) << 30;
                setrlimit(RLIMIT_AS, &memory);
#endif
                std::exit(zav::splitScriptText(text, n) == ones ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << "N = " << n;
    }
}

TEST(TextScriptSplit, AgreesWithTheStepsOnRandomTexts) {
    std::mt19937 random(20240611);
    const char alphabet[] = {'a', 'b', ' ', ' ', '\x7F', '.', 'Z'};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 400);
        // Long runs of one character make long words, long DEL runs and blank stretches.
        while (static_cast<int>(text.size()) < length) {
            const char c = alphabet[random() % sizeof alphabet];
            text.append(random() % 6 == 0 ? random() % 90 : 1, c);
        }
        const int n = 1 + static_cast<int>(random() % 60);
        ASSERT_EQ(zav::splitScriptText(text, n), stepwiseSplit(text, static_cast<std::size_t>(n)))
            << "N = " << n << ", text \"" << text << "\"";
    }
}

}  // namespace

