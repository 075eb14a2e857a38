#pragma once
// Reads a SAMI file into the caption editor's document, replacing every language and
// row: the file's style classes become the languages (with their combo box entries),
// its SYNC tags the rows and its P lines their texts.

#include "captions/caption_editor.h"
#include "core/sami_import.h"

#include <string>

namespace zav {

class SamiReader {
public:
    explicit SamiReader(CaptionEditor& editor) : editor_(editor) {}

    // ansiPath: the file's path in the ANSI code page. The file is read whole
    // before anything changes: one that cannot be read is reported with "Error,
    // can't open SAMI file." and leaves the document, rows and languages as they
    // were. Otherwise every row and language is deleted and the file's replace them.
    // A file in the layout Export SAMI writes is read by the reader made for it; any
    // other by the tolerant reader, and when that finds no caption the document
    // stays and a message says so. Captions cut to the text limit are counted in
    // one message after the import.
    void readSamiFile(const std::string& ansiPath);

private:
    SamiImportReport readOwnLayout(const std::string& bytes);

    CaptionEditor& editor_;
};

}  // namespace zav
