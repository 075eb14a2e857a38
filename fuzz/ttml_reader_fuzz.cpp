// The TTML reader and the XML reader under it on any bytes: they stay inside the
// data (the sanitizers watch) and refuse or read without running deep; what they
// read keeps the cue promises; the documents built from it are consistent; and the
// TTML written from them is well-formed and reads back with the same cue times.
#include "core/cue_writer.h"
#include "core/ttml_document.h"
#include "core/ttml_writer.h"
#include "core/xml_reader.h"
#include "tests/native/iconv_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "ttml_reader_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define CHECK(condition) checkAt(condition, __LINE__)

const zav::test::IconvCodePage cp1252;

void checkCues(const zav::CueFile& file) {
    CHECK(!file.cues.empty());
    for (std::size_t i = 0; i < file.cues.size(); ++i) {
        const zav::Cue& cue = file.cues[i];
        CHECK(cue.startMs >= 0 && cue.startMs <= cue.endMs && cue.endMs <= zav::kMaxCueMs);
        CHECK(!cue.text.empty() && cue.text.size() <= zav::kMaxCaptionText);
        if (i + 1 < file.cues.size()) CHECK(cue.endMs <= file.cues[i + 1].startMs);
    }
}

// The file written for the language is XML the reader takes, and its cues start
// where the document's do.
void checkWritten(const zav::CaptionDocument& document, int language) {
    const std::string bytes = zav::ttmlFileBytes(document, language);
    CHECK(zav::readXml(bytes).ok());
    const zav::TtmlFile back = zav::readTtmlFile(bytes);
    CHECK(back.ok() && back.malformedCues == 0 && back.shortenedCues == 0);
    const std::vector<zav::Cue> written = zav::documentCues(document, language);
    std::size_t at = 0;
    for (const zav::TtmlLanguage& read : back.languages) {
        for (const zav::Cue& cue : read.cues.cues) {
            while (at < written.size() && written[at].startMs != cue.startMs) ++at;
            CHECK(at < written.size() && written[at].endMs == cue.endMs);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const zav::XmlDocument xml = zav::readXml(bytes);
    CHECK(xml.ok() == (xml.root == 0) && (xml.ok() || (xml.errorLine >= 1 && xml.nodes.empty())));
    const zav::TtmlFile file = zav::readTtmlFile(bytes);
    CHECK(file.ok() || (file.languages.empty() && file.errorLine >= 1));
    if (!xml.ok()) CHECK(!file.ok());
    for (const zav::TtmlLanguage& language : file.languages) checkCues(language.cues);

    zav::CaptionDocument document;
    if (!zav::replaceWithTtml(document, file, cp1252)) {
        CHECK(document.languageCount() == 0 && !file.hasCues());
        return 0;
    }
    CHECK(document.isConsistent());
    CHECK(document.languageCount() == static_cast<int>(file.languages.size()));
    for (int language = 0; language < document.languageCount(); ++language) checkWritten(document, language);
    CHECK(zav::readTtmlFile(zav::ttmlFileBytesAllLanguages(document)).ok());

    CHECK(zav::addTtmlLanguages(document, file, cp1252) == static_cast<int>(file.languages.size()));
    CHECK(document.isConsistent());
    return 0;
}
