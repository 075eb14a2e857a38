// The SubRip and WebVTT reader on any bytes: it stays inside the data (the
// sanitizers watch), its cues keep their promises, the documents built from them are
// consistent, and what is written from them reads back as written.
#include "core/cue_document.h"
#include "core/cue_writer.h"
#include "tests/native/iconv_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "cue_reader_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define CHECK(condition) checkAt(condition, __LINE__)

const zav::test::IconvCodePage cp1252;

bool sameCues(const std::vector<zav::Cue>& a, const std::vector<zav::Cue>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].startMs != b[i].startMs || a[i].endMs != b[i].endMs || a[i].text != b[i].text) return false;
    }
    return true;
}

void checkCues(const zav::CueFile& file) {
    const std::vector<zav::Cue>& cues = file.cues;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        CHECK(cues[i].startMs >= 0 && cues[i].endMs <= zav::kMaxCueMs && cues[i].startMs <= cues[i].endMs);
        CHECK(!cues[i].text.empty() && cues[i].text.size() <= zav::kMaxCaptionText);
        CHECK(cues[i].text.find(u'\0') == std::u16string::npos);
        if (i + 1 < cues.size()) {
            // One cue for each start: cues that start together are joined.
            CHECK(cues[i].endMs <= cues[i + 1].startMs && cues[i].endMs > cues[i].startMs);
        }
    }
}

// The SubRip file written from the document reads back whole: no block is malformed
// or overlaps, and its cues are the document's (fewer only where decoded entities
// leave a caption that shows nothing).
void checkSubRip(const zav::CaptionDocument& document) {
    const std::vector<zav::Cue> written = zav::documentCues(document, 0);
    const zav::CueFile back = zav::readCueFile(zav::subRipFileBytes(document, 0), cp1252);
    CHECK(back.malformedBlocks == 0 && back.shortenedCues == 0);
    std::size_t at = 0;
    for (const zav::Cue& cue : back.cues) {
        while (at < written.size() && written[at].startMs != cue.startMs) ++at;
        CHECK(at < written.size() && written[at].endMs == cue.endMs);
    }
}

// WebVTT escapes its text, so the file written reads back as the same file.
void checkWebVtt(const zav::CaptionDocument& document) {
    const std::string written = zav::webVttFileBytes(document, 0);
    const zav::CueFile back = zav::readCueFile(written, cp1252);
    CHECK(back.malformedBlocks == 0 && back.shortenedCues == 0);
    zav::CaptionDocument again;
    if (!zav::replaceWithCues(again, back, cp1252)) {
        CHECK(zav::documentCues(document, 0).empty());
        return;
    }
    // Escaping for the document may lengthen a text past its limit; then it is cut.
    if (back.cutTexts == 0) CHECK(zav::webVttFileBytes(again, 0) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const zav::CueFile file = zav::readCueFile(bytes, cp1252);
    checkCues(file);
    CHECK(sameCues(zav::readCueFile(bytes, cp1252).cues, file.cues));

    zav::CaptionDocument document;
    if (!zav::replaceWithCues(document, file, cp1252)) {
        CHECK(file.cues.empty() && document.languageCount() == 0);
        return 0;
    }
    CHECK(document.isConsistent());
    checkSubRip(document);
    checkWebVtt(document);

    // The cues as a second language beside the first.
    zav::CaptionDocument twice = document;
    CHECK(zav::addCueLanguage(twice, file, zav::LanguageClass("Second", "Second", "xx"), cp1252) == 1);
    CHECK(twice.isConsistent());
    CHECK(twice.languages()[1].texts() == twice.languages()[0].texts());
    return 0;
}
