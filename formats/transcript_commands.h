#pragma once
// Save Transcript As and Open Transcript: the transcript window's text in a file,
// its line breaks stored as CR CR LF.

#include <windows.h>

namespace zav {

// Each does nothing without a transcript window (the menu offers the commands only
// while one is open). Message boxes are owned by owner.
void saveTranscriptAs(HWND transcript, HWND owner);
void openTranscript(HWND transcript, HWND owner);

}  // namespace zav
