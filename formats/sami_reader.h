#pragma once
// Reads a SAMI file into the caption editor's document, replacing every language and
// row: the file's style classes become the languages (with their combo box entries),
// its SYNC tags the rows and its P lines their texts.

#include "captions/caption_editor.h"

#include <string>

namespace zav {

class SamiReader {
public:
    explicit SamiReader(CaptionEditor& editor) : editor_(editor) {}

    // ansiPath: the file's path in the ANSI code page. The file is read whole
    // before anything changes: one that cannot be read is reported with "Error,
    // can't open SAMI file." and leaves the document, rows and languages as they
    // were. Otherwise every row and language is deleted and the file's replace them.
    void readSamiFile(const std::string& ansiPath);

private:
    CaptionEditor& editor_;
};

}  // namespace zav
