#pragma once
// Export SAMI and Import SAMI.

#include "captions/caption_editor.h"

namespace zav {

// Export SAMI: the Save dialog, Sort By Time, then every timed row in every language
// written to the chosen file (".smi" appended when the name does not end so).
void exportSami(CaptionEditor& editor);

// Import SAMI: the Open dialog, then the chosen file replaces the document.
void importSami(CaptionEditor& editor);

}  // namespace zav
