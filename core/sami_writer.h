#pragma once
// The bytes of a SAMI caption file as Export SAMI writes them: a fixed header, one
// style class per language and a SYNC block for every timed row, each line ended by
// CR LF as text mode writes it. No byte-order mark and no escaping.

#include "core/caption_document.h"
#include "core/code_page.h"

#include <string>

namespace zav {

// Appends ".smi" unless the path already ends in exactly that (byte-wise and
// case-sensitive, so "movie.SMI" becomes "movie.SMI.smi").
void addSamiExtension(std::string& path);

// A start time as a SYNC line gives it: cut toward zero to a whole number, in plain
// decimal digits with a sign only when negative.
std::string samiStartText(double ms);

// The whole file: rows in document order, rows without a time left out together with
// their texts, caption texts converted through the code page.
std::string samiFileBytes(const CaptionDocument& document, const CodePageConverter& codePage);

// What text-mode output puts on disk for the text: every LF becomes CR LF.
std::string textModeOutput(std::string_view text);

}  // namespace zav
