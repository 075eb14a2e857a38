// The SAMI reader on any bytes: it stays inside the data (the sanitizers watch),
// builds a consistent document the same way every time, and what it built can be
// written and read again.
#include "core/sami_writer.h"
#include "core/sami_own_reader.h"
#include "tests/native/iconv_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "sami_reader_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define CHECK(condition) checkAt(condition, __LINE__)

const zav::test::IconvCodePage cp1252;

struct Read {
    zav::CaptionDocument document;
    int refused = 0;
};

Read read(const std::string& bytes) {
    Read result;
    zav::SamiDocumentTarget target(result.document, cp1252);
    zav::readSami(zav::textModeInput(bytes), cp1252, target);
    result.refused = target.refusedRows;
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Read first = read(bytes);
    const zav::CaptionDocument& document = first.document;
    CHECK(document.isConsistent());
    // Start times are always numbers: a sort by time needs them ordered.
    for (const zav::TimeEntry& entry : document.times()) CHECK(entry.startMs == entry.startMs);

    // Reading is deterministic, and the document it gives can be exported and read.
    const std::string written = zav::samiFileBytes(document, cp1252);
    CHECK(zav::samiFileBytes(read(bytes).document, cp1252) == written);
    const Read again = read(written);
    CHECK(again.document.isConsistent());
    return 0;
}
