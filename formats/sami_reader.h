#pragma once
// Reads a SAMI file into the caption panel's document, replacing every language and
// row: the file's style classes become the languages (with their combo box entries),
// its SYNC tags the rows and its P lines their texts.

#include "captions/caption_panel.h"

#include <windows.h>

#include <string>

namespace zav {

class SamiReader {
public:
    // combo: the language combo box; owner: the window that owns the reader's boxes.
    SamiReader(CaptionPanel& panel, HWND combo, HWND owner) : panel_(panel), combo_(combo), owner_(owner) {}

    // ansiPath: the file's path in the ANSI code page. The file is read whole
    // before anything changes: one that cannot be read is reported with "Error,
    // can't open SAMI file." and leaves the document, rows and languages as they
    // were. Otherwise every row and language is deleted and the file's replace them.
    void readSamiFile(const std::string& ansiPath);

private:
    CaptionPanel& panel_;
    HWND combo_;
    HWND owner_;
};

}  // namespace zav
