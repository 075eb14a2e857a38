#include "formats/sami_writer.h"

#include "core/sami_format.h"
#include "win/ansi_code_page.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

namespace zav {

bool SamiWriter::writeSamiFile(std::string& ansiPath) {
    // A path the code page could not spell arrives empty, and must not become ".smi".
    if (!ansiPath.empty()) addSamiExtension(ansiPath);
    // The bytes already carry the CR LF line ends of text mode.
    const bool written = writeFileBytes(ansiPath, samiFileBytes(document_, ansiCodePage()));
    // A file that could not be written whole is reported like one that could not be
    // opened: the user must not take a cut-off file for the saved captions.
    if (!written) showMessage(owner_, L"Error, can't Save SAMI file.");
    return written;
}

}  // namespace zav
