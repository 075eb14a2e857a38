// Import SAMI's choice of reader: the program's own files go to the reader made
// for them, quirks and all; on exported files both readers agree.
#include "core/caption_listing.h"
#include "core/sami_writer.h"
#include "core/sami_import.h"
#include "core/sami_tolerant_reader.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <random>
#include <string>

namespace zav {
namespace {

using namespace std::string_literals;

const test::IconvCodePage cp1252;

const std::string kOwnHead =
    "<SAMI>\r\n<HEAD>\r\n   <SAMIParam>\r\n   </SAMIParam>\r\n   <STYLE type=\"text/css\"><!--\r\n";

std::string ownFile(const std::string& body) {
    return kOwnHead + "\t.ENUSCC { name:US English; lang:en-us;  samitype:CC; }\r\n   --></STYLE>\r\n</HEAD>\r\n"
                      "<BODY>\r\n" + body + "</BODY>\r\n</SAMI>\r\n";
}

struct Imported {
    CaptionDocument document;
    SamiImportReport report;
};

Imported importFile(const std::string& bytes) {
    Imported result;
    SamiDocumentTarget target(result.document, cp1252);
    result.report = importSamiFile(bytes, cp1252, target);
    return result;
}

TEST(OwnLayout, TheFirstFiveExportedLinesDecide) {
    const std::string lf = textModeInput(kOwnHead);
    std::string mixed = kOwnHead;
    mixed.erase(mixed.find("\r\n<HEAD>"), 1);
    const struct {
        std::string bytes;
        bool own;
    } cases[] = {
        {kOwnHead, true},
        {lf, true},
        {mixed, true},
        {ownFile("<SYNC start=1>\r\n"), true},
        {kOwnHead + "   --></STYLE>\r\n</HEAD>\r\n<BODY>\r\n<SYNC start=-5>", true},
        {ownFile("<P class=ENUSCC>before any SYNC\r\n"), false},
        {ownFile("<SYNC start=1>\r\n<P class=ENUSCC>a\rb\r\n"), false},
        {ownFile("") + "\r\n", false},
        {kOwnHead.substr(0, kOwnHead.size() - 2), false},
        {"\xEF\xBB\xBF" + kOwnHead, false},
        {"<sami>" + kOwnHead.substr(6), false},
        {"<SAMI>\r<HEAD>\r" + kOwnHead.substr(16), false},
        {"<SAMI>\r\n<HEAD>\r\n  <SAMIParam>" + kOwnHead.substr(30), false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isOwnSamiLayout(c.bytes), c.own) << c.bytes;
    EXPECT_EQ(isOwnSamiLayout(samiFileBytes(CaptionDocument(), cp1252)), true);
}

TEST(OwnLayout, KeepsTheQuirksOfItsReader) {
    // In the layout Export SAMI writes, the second text of a class replaces the first,
    // and the rest of the line is the text, tags and all.
    const std::string body = "<SYNC start=1000>\r\n<P class=ENUSCC>first\r\n<P class=ENUSCC>one</P>two\r\n";
    const Imported own = importFile(ownFile(body));
    EXPECT_TRUE(own.report.ownLayout);
    EXPECT_EQ(captionListing(own.document, cp1252), "ENUSCC\ten-us\t1000\tone</P>two\n");

    // The same file with a hand-made header goes to the tolerant reader, and so does
    // the exported header over a body edited elsewhere.
    std::string handMade = ownFile(body);
    handMade.replace(0, 6, "<sami>");
    const Imported tolerant = importFile(handMade);
    EXPECT_FALSE(tolerant.report.ownLayout);
    EXPECT_EQ(captionListing(tolerant.document, cp1252), "ENUSCC\ten-us\t1000\tfirst<br>one\n");
    const Imported edited =
        importFile(ownFile("<SYNC start=1000>\r\n<P class=ENUSCC>\r\non the next line\r\n<P class=\"ENUSCC\">quoted\r\n"));
    EXPECT_FALSE(edited.report.ownLayout);
    EXPECT_EQ(captionListing(edited.document, cp1252), "ENUSCC\ten-us\t1000\ton the next line<br>quoted\n");
}

TEST(OwnLayout, ReportsWhatTheTextsBecame) {
    // The second text of a class replaces the first; a long one is cut.
    const Imported imported = importFile(ownFile("<SYNC start=1>\r\n<P class=ENUSCC>" + std::string(300, 'x') +
                                                 "\r\n<P class=ENUSCC>short\r\n<SYNC start=2>\r\n<P class=ENUSCC>" +
                                                 std::string(300, 'y') + "\r\n<SYNC start=3>\r\n"));
    EXPECT_TRUE(imported.report.ownLayout);
    EXPECT_EQ(imported.report.languages, 1);
    EXPECT_EQ(imported.report.rows, 3);
    EXPECT_EQ(imported.report.captions, 2);
    EXPECT_EQ(imported.report.cutCaptions, 1);

    // SYNC tags without any class: no row can be added, and nothing breaks.
    const Imported classless = importFile(kOwnHead + "   --></STYLE>\r\n</HEAD>\r\n<BODY>\r\n<SYNC start=1>\r\n"
                                                     "<SYNC start=2>\r\n</BODY>\r\n</SAMI>\r\n");
    EXPECT_TRUE(classless.report.ownLayout);
    EXPECT_EQ(classless.report.rows, 0);
    EXPECT_EQ(classless.document.languageCount(), 0);
}

// Documents whose names and texts both readers can read back from an export: class
// names are CSS names, unique ignoring case in their part before a space (which both
// readers drop: "US English" comes back as the class US); names hold no ":", ";",
// braces or quotes; texts hold no tags and no blanks at either end. Characters
// beyond ASCII stand between ASCII ones, so the exported bytes are never valid UTF-8,
// which the tolerant reader would take for UTF-8.
class DocumentGenerator {
public:
    explicit DocumentGenerator(unsigned seed) : random_(seed) {}

    CaptionDocument next() {
        CaptionDocument document;
        std::vector<std::string> used;
        const int languages = pick(4);
        for (int i = 0; i < languages; ++i) {
            std::string first = className();
            std::string folded = first;
            for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (std::find(used.begin(), used.end(), folded) != used.end()) continue;
            used.push_back(folded);
            const std::string name = pick(3) == 0 ? first + " " + words(kNameWords, 1) : first;
            document.appendLanguage(LanguageClass(name, words(kNameWords, pick(4)), kCodes[pick(6)]));
        }
        const int rows = document.languages().empty() ? 0 : pick(9);
        for (int row = 0; row < rows; ++row) {
            document.appendRow();
            document.setStartTime(row, time(), cp1252);
            for (int language = 0; language < document.languageCount(); ++language) {
                if (pick(5) >= 2) document.setText(language, row, cp1252.fromAnsi(text()));
            }
        }
        return document;
    }

private:
    static constexpr const char* kNameWords[] = {"US", "English", "Fran\347ais", "x-1", "(CC)", "Big.Name"};
    static constexpr const char* kCodes[] = {"", "en-us", "fr-FR", "de", "x-klingon", "EN_US"};
    static constexpr const char* kTextWords[] = {"Hello,",    "world", "caf\xE9", "&amp;", "a>b",  "\xBD", "\"quoted\"",
                                                 "it's", "x&nbsp;y", "1.5",    "<",     "-->", "\2005"};

    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    template <std::size_t N>
    std::string words(const char* const (&list)[N], int count) {
        std::string result;
        for (int i = 0; i < count; ++i) result += (i ? " " : "") + std::string(list[pick(N)]);
        return result;
    }

    std::string className() {
        static const std::string first = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        static const std::string rest = first + "0123456789-_";
        std::string name(1, first[pick(static_cast<int>(first.size()))]);
        for (int i = pick(10); i > 0; --i) name += rest[pick(static_cast<int>(rest.size()))];
        return name;
    }

    double time() {
        switch (pick(5)) {
        case 0: return kNoTime;
        case 1: return 0;
        case 2: return -pick(5000);
        case 3: return pick(10000000) + pick(1000) / 1000.0;
        default: return pick(10000000);
        }
    }

    std::string text() {
        std::string result = kTextWords[pick(std::size(kTextWords))];
        for (int i = pick(6); i > 0; --i) result += (pick(4) ? " " : "  ") + std::string(kTextWords[pick(std::size(kTextWords))]);
        return result;
    }

    std::mt19937 random_;
};

std::string describe(const CaptionDocument& document) {
    std::string description;
    for (const LanguageClass& language : document.languages())
        description += language.className() + "|" + language.displayName() + "|" + language.langCode() + "\n";
    for (const TimeEntry& entry : document.times()) description += millisecondsText(entry.startMs) + " ";
    return description + "\n" + captionListing(document, cp1252);
}

TEST(ReadersAgree, OnExportedFiles) {
    DocumentGenerator generator(20240611);
    for (int n = 0; n < 500; ++n) {
        const std::string bytes = samiFileBytes(generator.next(), cp1252);
        CaptionDocument own, tolerant;
        SamiDocumentTarget ownTarget(own, cp1252), tolerantTarget(tolerant, cp1252);
        readSami(textModeInput(bytes), cp1252, ownTarget);
        readTolerantSami(bytes, cp1252, tolerantTarget);
        ASSERT_EQ(describe(tolerant), describe(own)) << bytes;

        // What the import gives is exported the same again.
        const Imported imported = importFile(bytes);
        const std::string again = samiFileBytes(imported.document, cp1252);
        EXPECT_EQ(samiFileBytes(importFile(again).document, cp1252), again);
    }
}

}  // namespace
}  // namespace zav
