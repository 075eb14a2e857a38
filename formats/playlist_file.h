#pragma once
// Writes the bytes of an ASX playlist to a file named by its UTF-16 path.

#include <string>

namespace zav {

// Creates the file or truncates it and writes the bytes as they are (they carry
// their own CR LF line ends). False when the file could not be created or not
// all of it could be written.
bool writePlaylistFile(const std::wstring& path, const std::string& bytes);

}  // namespace zav
