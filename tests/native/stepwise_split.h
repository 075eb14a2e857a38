#pragma once
// The text script split exactly as its steps read, on nextPlainWord alone and
// without the scanner's shortcuts: the reference the tests and the fuzzer hold the
// real split to.

#include "core/text_script.h"

#include <string>
#include <vector>

namespace zav::test {

inline std::vector<ScriptPiece> stepwiseSplit(const std::string& text, std::size_t n) {
    std::vector<ScriptPiece> pieces;
    std::size_t start = 0, scan = 0;
    while (const auto word = nextPlainWord(text, scan)) {
        if (word->reach - start < n) {
            scan = word->reach;
            continue;
        }
        if (word->reach - word->start < n) {
            pieces.push_back({start, word->start - start});
            start = word->start;
            scan = word->reach;
        } else {
            pieces.push_back({start, n});
            start += n;
            scan = start;
        }
        if (scan >= text.size()) break;
    }
    if (start < text.size()) pieces.push_back({start, text.size() - start});
    return pieces;
}

}  // namespace zav::test
