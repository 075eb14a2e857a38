#pragma once
// The Create ASX wizard: a movie, its SAMI file and the playlist that binds them.

#include <windows.h>

namespace zav {

// Runs the wizard's pages and file dialogs over owner and writes the playlist.
void createAsx(HWND owner);

}  // namespace zav
