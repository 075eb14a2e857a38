#pragma once
// Save Transcript As and Open Transcript: the transcript window's text in a file,
// its line breaks stored as CR CR LF.

#include <windows.h>

#include <string>

namespace zav {

// Each does nothing without a transcript window (the menu offers the commands only
// while one is open). Message boxes are owned by owner. Each gives the path of the
// file saved or opened, empty when none was.
std::wstring saveTranscriptAs(HWND transcript, HWND owner);
std::wstring openTranscript(HWND transcript, HWND owner);

}  // namespace zav
