#include "tests/native/iconv_code_page.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace zav::test {
namespace {

// Converts the bytes, replacing what the target cannot hold by '?' (as the system's
// conversion uses a default character) and skipping undecodable input bytes.
std::string convert(const std::string& from, const std::string& to, const char* data, std::size_t size,
                    const char* replacement, std::size_t replacementSize, std::size_t unitSize) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open " + from + " -> " + to);
    std::string out;
    std::vector<char> buffer(size * 4 + 16);
    char* in = const_cast<char*>(data);
    std::size_t inLeft = size;
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (result == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            const std::size_t skip = inLeft < unitSize ? inLeft : unitSize;
            in += skip;
            inLeft -= skip;
            out.append(replacement, replacementSize);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

IconvCodePage::IconvCodePage(std::string codePage) : codePage_(std::move(codePage)) {}

std::string IconvCodePage::toAnsi(std::u16string_view text) const {
    return convert("UTF-16LE", codePage_, reinterpret_cast<const char*>(text.data()), text.size() * 2, "?", 1, 2);
}

std::u16string IconvCodePage::fromAnsi(std::string_view text) const {
    static const char question[2] = {'?', 0};
    const std::string bytes = convert(codePage_, "UTF-16LE", text.data(), text.size(), question, 2, 1);
    std::u16string result(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return result;
}

}  // namespace zav::test
