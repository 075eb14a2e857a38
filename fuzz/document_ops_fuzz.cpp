// A byte-driven sequence of document operations, checked against a plain model of
// rows and languages after every step.
#include "core/caption_document.h"
#include "core/language_name.h"
#include "tests/native/iconv_code_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte() {
        if (!size) return 0;
        --size;
        return *data++;
    }
    std::u16string text() {
        const std::size_t length = byte() % 240;
        std::u16string result;
        for (std::size_t i = 0; i < length && size; ++i) {
            const std::uint8_t b = byte();
            result += b < 8 ? char16_t(0xD800 + b) : b < 16 ? char16_t(u' ') : char16_t(b);
        }
        return result;
    }
};

// Names the failing condition before aborting, so a crash report says which.
void checkAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "document_ops_fuzz.cpp:%d: check failed\n", line);
    std::abort();
}
#define check(condition) checkAt((condition), __LINE__)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const zav::test::IconvCodePage cp1252;
    Reader in{data, size};
    zav::CaptionDocument document;
    // The model: texts[language][row].
    std::vector<std::vector<std::u16string>> model;
    while (in.size) {
        const int rows = document.rowCount();
        const int languages = document.languageCount();
        switch (in.byte() % 9) {
        case 0:
            check(document.appendRow() == (languages > 0));
            if (languages) for (auto& texts : model) texts.emplace_back();
            break;
        case 1: {
            const int row = int(in.byte()) - 2;
            const bool removed = document.removeRow(row);
            check(removed == (row >= 0 && row < rows));
            if (removed) for (auto& texts : model) texts.erase(texts.begin() + row);
            break;
        }
        case 2: {
            const std::u16string typed = in.text();
            const auto name = zav::classNameFromTyped(typed, cp1252);
            if (name) {
                check(!name->empty() && name->size() <= zav::kMaxClassName);
                // A prefix of what was typed; blanks end it only where the cut fell.
                std::u16string read = typed.substr(0, zav::kMaxTypedClassName);
                read = read.substr(0, read.find(u'\0'));
                const std::string full = cp1252.toAnsi(read);
                check(full.compare(0, name->size(), *name) == 0);
                if (name->size() < zav::kMaxClassName - 1) check(static_cast<unsigned char>(name->back()) > 32);
                document.appendLanguage(zav::addedLanguage(*name));
                model.emplace_back(rows);
            }
            break;
        }
        case 3: {
            const int index = int(in.byte() % 8) - 1;
            const bool removed = document.removeLanguage(index);
            check(removed == (index >= 0 && index < languages));
            if (removed) {
                model.erase(model.begin() + index);
                if (model.empty()) model.clear();
            }
            break;
        }
        case 4:
            if (rows && languages) {
                const int language = in.byte() % languages, row = in.byte() % rows;
                const std::u16string text = in.text();
                document.setText(language, row, text);
                model[language][row] = zav::captionTextOf(text);
                check(document.text(language, row).size() <= zav::kMaxCaptionText);
            }
            break;
        case 5:
            if (rows) {
                double ms = 0;
                std::uint8_t bytes[sizeof ms];
                for (auto& b : bytes) b = in.byte();
                std::memcpy(&ms, bytes, sizeof ms);
                const int row = in.byte() % rows;
                document.setStartTime(row, ms, cp1252);
                check(std::memcmp(&document.times()[row].startMs, &ms, sizeof ms) == 0);
            }
            break;
        case 6:
            document.clearAllTimes();
            for (const auto& entry : document.times()) check(entry.startMs == -1 && entry.timeText.empty());
            break;
        case 7:
            if (languages) document.setCurrentLanguage(in.byte() % languages);
            break;
        case 8:
            document.removeAllRows();
            for (auto& texts : model) texts.clear();
            break;
        }
        check(document.isConsistent());
        check(static_cast<int>(model.size()) == document.languageCount());
        for (int l = 0; l < document.languageCount(); ++l) check(model[l] == document.languages()[l].texts());
    }
    return 0;
}
