#include "formats/sami_writer.h"

namespace zav {

void SamiWriter::writeSamiFile(std::string&) {}

}  // namespace zav
