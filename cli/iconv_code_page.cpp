#include "cli/iconv_code_page.h"

#include <cerrno>

namespace zav::cli {
namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// Converts the bytes; input that cannot be converted is skipped one unit at a time
// (unitSize bytes) and replaced by the replacement bytes.
std::string convert(iconv_t descriptor, const char* data, std::size_t size, std::string_view replacement,
                    std::size_t unitSize) {
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(size);
    char buffer[16384];
    char* in = const_cast<char*>(data);
    std::size_t inLeft = size;
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(descriptor, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            const std::size_t skip = inLeft < unitSize ? inLeft : unitSize;
            in += skip;
            inLeft -= skip;
            out += replacement;
        }
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(descriptor, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
    return out;
}

}  // namespace

std::unique_ptr<IconvCodePage> IconvCodePage::open(const std::string& name) {
    const iconv_t toAnsi = iconv_open(name.c_str(), "UTF-16LE");
    if (toAnsi == kNoDescriptor) return nullptr;
    const iconv_t fromAnsi = iconv_open("UTF-16LE", name.c_str());
    if (fromAnsi == kNoDescriptor) {
        iconv_close(toAnsi);
        return nullptr;
    }
    return std::unique_ptr<IconvCodePage>(new IconvCodePage(toAnsi, fromAnsi));
}

IconvCodePage::IconvCodePage(iconv_t toAnsi, iconv_t fromAnsi) : toAnsi_(toAnsi), fromAnsi_(fromAnsi) {
    learnSingleBytePage();
}

void IconvCodePage::learnSingleBytePage() {
    std::u16string fromByte(256, u'?');
    std::string toByte(65536, '\0');
    for (int byte = 0; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        char* inPtr = &in;
        std::size_t inLeft = 1;
        char out[8];
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        iconv(fromAnsi_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(fromAnsi_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            if (errno == EINVAL) return;  // the lead byte of a longer character
            continue;                     // no character of the code page
        }
        if (sizeof out - outLeft != 2) return;
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                (static_cast<unsigned char>(out[1]) << 8));
        fromByte[byte] = unit;
        if (toByte[unit] == '\0') toByte[unit] = static_cast<char>(byte);
    }
    singleByte_ = true;
    fromByte_ = std::move(fromByte);
    toByte_ = std::move(toByte);
}

IconvCodePage::~IconvCodePage() {
    iconv_close(toAnsi_);
    iconv_close(fromAnsi_);
}

std::string IconvCodePage::toAnsi(std::u16string_view text) const {
    if (singleByte_) {
        std::string bytes(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char byte = toByte_[text[i]];
            bytes[i] = byte != '\0' || text[i] == u'\0' ? byte : '?';
        }
        return bytes;
    }
    return convert(toAnsi_, reinterpret_cast<const char*>(text.data()), text.size() * 2, "?", 2);
}

std::u16string IconvCodePage::fromAnsi(std::string_view text) const {
    if (singleByte_) {
        std::u16string result(text.size(), u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) result[i] = fromByte_[static_cast<unsigned char>(text[i])];
        return result;
    }
    const std::string bytes = convert(fromAnsi_, text.data(), text.size(), std::string_view("?\0", 2), 1);
    std::u16string result(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return result;
}

}  // namespace zav::cli
