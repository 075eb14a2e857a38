#pragma once
// Opening media: Open Media and Open Producer Movie.

#include "captions/caption_panel.h"
#include "playback/transport.h"

#include <windows.h>

#include <string>

namespace zav {

// Open Media: dialog 201, then the path goes to the player, which starts playing;
// the focus goes back to the selected caption. A failing call shows its code.
void openMedia(Transport& transport, CaptionPanel& captions, HWND owner);

// Hands the film at path to the player as Open Media does once its dialog is
// answered; the player's result (failures are not shown).
HRESULT openMediaPath(Transport& transport, CaptionPanel& captions, const std::wstring& path);

// Open Producer Movie: the explanation (dialog 203) and dialog 201 until a movie is
// chosen or the explanation is cancelled; a movie inside a Producer project (a
// "*_files" entry beside it) is remembered for the export and played.
void openProducerMovie(Transport& transport, HWND owner);

}  // namespace zav
