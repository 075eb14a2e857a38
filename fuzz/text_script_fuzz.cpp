// The text script split on any file: the first byte chooses the caption length,
// the rest is the file. The pieces must follow one another, cover the text up to
// its trailing spaces, hold no more than N characters besides the spaces before a
// word that opens the next piece, and agree with the steps read literally.
#include "core/caption_document.h"
#include "core/text_script.h"
#include "core/transcript_text.h"
#include "tests/native/iconv_code_page.h"
#include "tests/native/stepwise_split.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const zav::test::IconvCodePage cp1252;

using zav::test::stepwiseSplit;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int n = zav::kMinCaptionLength + data[0] % (zav::kMaxCaptionLength - zav::kMinCaptionLength + 1);
    std::string text = zav::textModeRead(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    const std::vector<std::u16string> captions = zav::scriptCaptions(text, n, cp1252);

    zav::cleanScriptText(text);
    for (const char c : text) {
        if (c < 0x20 || c > 0x7F) std::abort();
    }
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();

    const std::vector<zav::ScriptPiece> pieces = zav::splitScriptText(text, n);
    if (pieces.size() != captions.size()) std::abort();
    std::size_t next = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const zav::ScriptPiece& piece = pieces[i];
        if (piece.start != next || piece.length == 0) std::abort();
        next = piece.start + piece.length;
        // Past N there may only be the blanks before the next piece's first word.
        for (std::size_t at = piece.start + static_cast<std::size_t>(n); at < next; ++at) {
            if (trimmed[at] != ' ' && trimmed[at] != '\x7F') std::abort();
        }
        const std::string expected = trimmed.substr(piece.start, std::min(piece.length, zav::kMaxCaptionText));
        if (captions[i] != std::u16string(expected.begin(), expected.end())) std::abort();
    }
    if (next != trimmed.size()) std::abort();

    const std::vector<zav::ScriptPiece> steps = stepwiseSplit(trimmed, static_cast<std::size_t>(n));
    if (steps.size() != pieces.size()) std::abort();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].start != pieces[i].start || steps[i].length != pieces[i].length) std::abort();
    }
    return 0;
}
