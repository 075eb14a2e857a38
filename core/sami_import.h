#pragma once
// Import SAMI: the program's own files are read by the reader made for them
// (sami_own_reader.h), with all its quirks, so that an exported file comes back exactly;
// every other file, an export edited elsewhere included, by the tolerant reader
// (sami_tolerant_reader.h). The report tells
// the caller which reader ran and what the file gave.

#include "core/code_page.h"
#include "core/sami_own_reader.h"

#include <string_view>

namespace zav {

struct SamiImportReport {
    bool ownLayout = false;  // read by the reader of the program's own files
    int languages = 0;       // languages added to the target
    int rows = 0;            // rows added to the target
    int captions = 0;        // texts that are not empty once the import is done
    int cutCaptions = 0;     // of those, the ones cut to the document's text limit
};

// True when the data is laid out line for line as Export SAMI writes it, with CR LF
// line ends as on disk or LF as text mode reads them: the five lines it writes first
// (up to the STYLE opener), its class lines and the end of the head, then in the body
// only "<SYNC start=" digits ">" lines and, after them, "<P class=" lines of a
// declared class, each with its text up to the line end; then the end of the body
// and of the file. The data may stop after any line. A file edited elsewhere
// (another case, quoted values, text on a line of its own) leaves the layout and
// goes to the tolerant reader, which reads what the reader of the program's own
// files would lose. Linear in the size of the data.
bool isOwnSamiLayout(std::string_view fileBytes) noexcept;

// Reads the file's bytes, as they lie on disk, into the target (a document without
// languages and rows) with the reader that suits them.
SamiImportReport importSamiFile(std::string_view fileBytes, const CodePageConverter& codePage,
                                SamiImportTarget& target);

}  // namespace zav
