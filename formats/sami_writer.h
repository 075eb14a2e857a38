#pragma once
// Writes the caption document as a SAMI file.

#include "core/caption_document.h"

#include <windows.h>

#include <string>

namespace zav {

class SamiWriter {
public:
    // owner: the window that owns the writer's message box.
    SamiWriter(const CaptionDocument& document, HWND owner) : document_(document), owner_(owner) {}

    // ansiPath: the file's path in the ANSI code page; ".smi" is appended when it
    // does not already end so. False, after the writer's own message box, when the
    // file could not be written whole.
    bool writeSamiFile(std::string& ansiPath);

private:
    const CaptionDocument& document_;
    HWND owner_;
};

}  // namespace zav
