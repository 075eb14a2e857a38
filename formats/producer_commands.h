#pragma once
// Export to Producer: the caption file "0MM0.smi" and the playlist "0Media.asx" of
// the Producer project beside the movie chosen with Open Producer Movie.

#include "core/caption_document.h"

#include <windows.h>

#include <string>

namespace zav {

// Writes the document as it stands (neither sorted nor with unstored edits) into the
// project's "*_files" entry; message boxes are owned by owner.
void exportToProducer(const CaptionDocument& document, const std::wstring& producerMoviePath, HWND owner);

}  // namespace zav
