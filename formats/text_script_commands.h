#pragma once
// Import Text script: a plain text split into captions of the current language.

#include "captions/caption_editor.h"

namespace zav {

// Asks for the file and the caption length, then puts the pieces into the current
// language's rows from row 0 on, adding rows as needed; times and other languages
// stay. A cancelled dialog or a file that cannot be read changes nothing.
void importTextScript(CaptionEditor& editor);

}  // namespace zav
