#include "formats/sami_commands.h"

#include "captions/timing_commands.h"
#include "formats/file_dialogs.h"
#include "formats/sami_reader.h"
#include "formats/sami_writer.h"

#include <commdlg.h>

namespace zav {

void exportSami(CaptionEditor& editor) {
    const auto path = askForFile({L"SAMI file\0*.smi\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true});
    if (!path) return;
    sortByTime(editor);
    // A path the code page cannot spell is empty and fails as a file that cannot be
    // opened.
    std::string ansiPath = ansiPathOf(*path);
    SamiWriter(editor.document(), editor.owner()).writeSamiFile(ansiPath);
}

void importSami(CaptionEditor& editor) {
    const auto path =
        askForFile({L"SAMI Script\0*.smi\0", L"Open Caption SAMI File", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, false});
    if (!path) return;
    // A path the code page cannot spell reads as a file that does not exist. The
    // reader empties the document only once the file has been read.
    SamiReader(editor).readSamiFile(ansiPathOf(*path));
}

}  // namespace zav
