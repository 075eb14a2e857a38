#pragma once
// Export SAMI and Import SAMI, the commands over the core's SAMI writer
// (core/sami_writer.h) and readers (core/sami_import.h).

#include "captions/caption_editor.h"
#include "core/caption_document.h"

#include <windows.h>

#include <string>

namespace zav {

// Export SAMI: the Save dialog, Sort By Time, then every timed row in every language
// written to the chosen file (".smi" appended when the name does not end so).
void exportSami(CaptionEditor& editor);

// Import SAMI: the Open dialog, then the chosen file replaces the document.
void importSami(CaptionEditor& editor);

// Writes the document as a SAMI file at path. ".smi" is appended when the name, as
// the code page spells it, does not end in exactly that; a name the code page cannot
// spell is not written. False, after "Error, can't Save SAMI file.", when the file
// could not be written whole.
bool saveSamiFile(const CaptionDocument& document, const std::wstring& path, HWND owner);

// Reads the SAMI file at path in place of the document. The file is read whole and
// its document built aside before anything changes; one that cannot be read is
// reported with "Error, can't open SAMI file." and changes nothing. A file in the
// layout Export SAMI writes is read by the reader made for it and replaces the
// document whatever it holds; any other by the tolerant reader, and when that finds
// no caption the document stays and a message says so. Rows the file has before any
// language are refused, each with the panel's message; captions cut to the text
// limit are counted in one message after the import.
void readSamiFile(CaptionEditor& editor, const std::wstring& path);

}  // namespace zav
