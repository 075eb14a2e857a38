// Import SAMI on any bytes, with the tolerant reader for files made elsewhere: it
// stays inside the data (the sanitizers watch), builds a consistent document the
// same way every time, reports what it built, and Export SAMI carries that document
// to the reader of the program's own files with its classes and texts intact.
#include "core/caption_document.h"
#include "core/sami_writer.h"
#include "core/sami_import.h"
#include "core/sami_markup.h"
#include "core/sami_tolerant_reader.h"
#include "tests/native/iconv_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "sami_tolerant_reader_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define CHECK(condition) checkAt(condition, __LINE__)

const zav::test::IconvCodePage cp1252;

zav::CaptionDocument readTolerant(const std::string& bytes) {
    zav::CaptionDocument document;
    zav::SamiDocumentTarget target(document, cp1252);
    zav::readTolerantSami(bytes, cp1252, target);
    CHECK(target.refusedRows == 0);
    return document;
}

void checkReport(const zav::SamiImportReport& report, const zav::CaptionDocument& document) {
    CHECK(document.isConsistent());
    CHECK(report.languages == document.languageCount());
    CHECK(report.rows == document.rowCount());
    int captions = 0;
    for (const zav::LanguageClass& language : document.languages()) {
        for (const std::u16string& text : language.texts()) captions += !text.empty();
    }
    CHECK(report.captions == captions);
    CHECK(report.cutCaptions >= 0 && report.cutCaptions <= captions);
}

// Texts have no line breaks and, unless cut, no white space at either end.
void checkTexts(const zav::CaptionDocument& document) {
    for (const zav::LanguageClass& language : document.languages()) {
        for (const std::u16string& text : language.texts()) {
            for (const char16_t c : text) CHECK(!zav::sami::isLineBreak(c));
            if (text.empty() || text.size() == zav::kMaxCaptionText) continue;
            CHECK(!zav::sami::isSpace(text.front()) && !zav::sami::isSpace(text.back()));
        }
    }
}

// Exported and read back by the reader of the program's own files, the document
// keeps its classes and, in the rows that have a time, its texts as the code page
// writes them.
void checkExportedBack(const zav::CaptionDocument& document) {
    const std::string exported = zav::samiFileBytes(document, cp1252);
    zav::CaptionDocument back;
    zav::SamiDocumentTarget target(back, cp1252);
    const zav::SamiImportReport report = zav::importSamiFile(exported, cp1252, target);
    CHECK(report.ownLayout);
    CHECK(back.languageCount() == document.languageCount());
    for (int language = 0; language < document.languageCount(); ++language)
        CHECK(back.languages()[language].className() == document.languages()[language].className());
    int backRow = 0;
    for (int row = 0; row < document.rowCount(); ++row) {
        if (document.times()[row].startMs == zav::kNoTime) continue;
        CHECK(backRow < back.rowCount());
        for (int language = 0; language < document.languageCount(); ++language) {
            const std::u16string written = cp1252.fromAnsi(cp1252.toAnsi(document.text(language, row)));
            CHECK(back.text(language, backRow) == written);
        }
        ++backRow;
    }
    CHECK(backRow == back.rowCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    zav::CaptionDocument imported;
    zav::SamiDocumentTarget target(imported, cp1252);
    checkReport(zav::importSamiFile(bytes, cp1252, target), imported);

    const zav::CaptionDocument document = readTolerant(bytes);
    CHECK(document.isConsistent());
    checkTexts(document);
    const std::string written = zav::samiFileBytes(document, cp1252);
    CHECK(zav::samiFileBytes(readTolerant(bytes), cp1252) == written);
    checkExportedBack(document);
    return 0;
}
