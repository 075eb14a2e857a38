#include "formats/sami_writer.h"

#include "win/modal_ui.h"
#include "win/ansi_code_page.h"
#include "core/sami_format.h"

namespace zav {

bool SamiWriter::writeSamiFile(std::string& ansiPath) {
    addSamiExtension(ansiPath);
    const std::string bytes = samiFileBytes(document_, ansiCodePage());
    // The bytes already carry the CR LF line ends of text mode, so they are written
    // as they are. Created or truncated, with no sharing restriction.
    HANDLE file = CreateFileA(ansiPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    if (written) {
        DWORD count = 0;
        written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size();
        written = CloseHandle(file) && written;
    }
    // A file that could not be written whole is reported like one that could not be
    // opened: the user must not take a cut-off file for the saved captions.
    if (!written) modalUi().messageBox(owner_, L"Error, can't Save SAMI file.", L"", MB_OK);
    return written;
}

}  // namespace zav
