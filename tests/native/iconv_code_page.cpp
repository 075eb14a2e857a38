#include "tests/native/iconv_code_page.h"

#include <stdexcept>

namespace zav::test {

IconvCodePage::IconvCodePage(const std::string& codePage) : converter_(cli::IconvCodePage::open(codePage)) {
    if (!converter_) throw std::runtime_error("iconv does not know the code page " + codePage);
}

}  // namespace zav::test
