#pragma once
// The language commands: the language combo box (control 247), Add Language (248),
// Delete Language (249) and the document part of New Caption File. The combo box
// lists the languages in document order; its selected entry is currentLanguage.
// Message boxes are owned by the editor's owner, the main window.

#include "captions/caption_editor.h"
#include "core/caption_document.h"

namespace zav {

// Selection change of the combo box: stores the edit boxes into the language that
// was current, shows the selected one, then focusSelectedRow. A selection that
// names no language changes nothing.
void switchLanguage(CaptionEditor& editor);

// Add Language: runs dialog 235; a created language is appended with one empty text
// per row and gets an entry at the end of the combo box. It becomes current only
// when no entry was selected (after the last language was deleted). Ends with
// focusSelectedRow. True when a language was added.
bool addLanguage(CaptionEditor& editor);

// Appends the language and its combo box entry, without selecting it; the file
// readers build their languages with this. Returns the new index.
int appendLanguage(CaptionEditor& editor, LanguageClass record);

// Removes one language. The edit boxes are stored first, so typing in a language
// that stays is kept. The last language takes every row with it; otherwise
// language 0 becomes current and is shown. An index that names no language shows
// "Cannot Delete Language, invalid index".
bool deleteLanguage(CaptionEditor& editor, int index);

// Delete Language (249): deleteLanguage with the combo box's selected entry, then
// focusSelectedRow.
void deleteSelectedLanguage(CaptionEditor& editor);

// Every row, then every language from the last down, as New Transcript File and the
// imports empty the document.
void removeAllLanguages(CaptionEditor& editor);

// New Caption File's reset of the document: no rows and languages, then the one
// language "US English" with twelve empty rows, row 0 selected (and focused) with
// the time 0. Message boxes are owned by the editor's owner, or by the panel's
// parent when it has none.
void resetCaptionDocument(CaptionEditor& editor);

}  // namespace zav
