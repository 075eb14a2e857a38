// The caption checks on any document: rows with any start time (negative, huge, not
// a number) and any text, in two languages. The sanitizers watch the arithmetic; the
// problems name rows and languages that exist, in order, and each language's check
// alone finds what the whole document's check finds for it. The bytes also go
// through the settings text, which must read back as written.
#include "core/caption_checks.h"
#include "core/cue_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "caption_checks_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define CHECK(condition) checkAt(condition, __LINE__)

// Each row: a flag byte (bit 0: a time follows as 8 bytes of a double), then a
// length byte and that many UTF-16 units for each language.
zav::CaptionDocument documentOf(const std::uint8_t* data, std::size_t size) {
    zav::CaptionDocument document;
    document.appendLanguage(zav::LanguageClass("EnCC", "English", "en"));
    document.appendLanguage(zav::LanguageClass("FrCC", "French", "fr"));
    std::size_t at = 0;
    while (at < size && document.rowCount() < 200) {
        const std::uint8_t flags = data[at++];
        zav::TimeEntry time;
        if ((flags & 1) && at + 8 <= size) {
            std::memcpy(&time.startMs, data + at, 8);
            at += 8;
        }
        document.appendRow(time, {});
        const int row = document.rowCount() - 1;
        for (int language = 0; language < 2 && at < size; ++language) {
            const std::size_t declared = data[at++];
            const std::size_t units = std::min(declared, (size - at) / 2);
            std::u16string text;
            for (std::size_t i = 0; i < units; ++i, at += 2)
                text += static_cast<char16_t>(data[at] | data[at + 1] << 8);
            document.setText(language, row, text);
        }
    }
    return document;
}

bool sameProblem(const zav::CheckProblem& a, const zav::CheckProblem& b) {
    return a.kind == b.kind && a.row == b.row && a.language == b.language && a.startMs == b.startMs &&
           a.value == b.value && a.limit == b.limit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zav::CheckSettings settings =
        zav::parseCheckSettings(std::string_view(reinterpret_cast<const char*>(data), size));
    CHECK(zav::parseCheckSettings(zav::checkSettingsText(settings)) == settings);

    const zav::CaptionDocument document = documentOf(data, size);
    const zav::CheckReport all = zav::checkDocument(document, settings.limits);
    std::size_t next = 0;
    for (int language = 0; language < document.languageCount(); ++language) {
        const zav::CheckReport one = zav::checkLanguage(document, language, settings.limits);
        for (const zav::CheckProblem& problem : one.problems) {
            CHECK(next < all.problems.size() && sameProblem(problem, all.problems[next++]));
            CHECK(problem.row >= 0 && problem.row < document.rowCount() && problem.language == language);
            CHECK(problem.startMs >= -1 && problem.startMs <= zav::kMaxCueMs);
        }
    }
    CHECK(next == all.problems.size());
    for (int row = 0; row < document.rowCount(); ++row) {
        const std::u16string& text = document.text(0, row);
        const zav::RowMeasure measure = zav::measureRow(document, row, text, settings.limits);
        CHECK(measure.text.longestLine <= measure.text.characters && measure.text.lines <= measure.text.characters);
        CHECK(measure.durationMs >= -1 && measure.charactersPerSecond >= 0);
    }
    return 0;
}
