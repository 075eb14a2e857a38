#pragma once
// The ASX playlist that binds a movie to its SAMI caption file, and the path
// arithmetic of the Create ASX wizard and the Producer export.

#include <cstddef>
#include <string>
#include <string_view>

namespace zav {

// The five lines of the playlist, each ended by CR LF, exactly as they go on disk.
// The names are written as they are, without escaping.
std::string asxPlaylist(std::string_view movieName, std::string_view samiName);

// The part of a path after its last backslash; the whole path when it has none.
// Working on the UTF-16 path keeps a double-byte character whose second byte is a
// backslash in the ANSI code page whole.
std::u16string_view fileNameOf(std::u16string_view path);

// The path with ".asx" appended unless it already ends in exactly ".asx"
// (case-sensitive: "list.ASX" becomes "list.ASX.asx").
std::u16string withAsxExtension(std::u16string_view path);

// The longest path, in characters or bytes, that the Producer export writes to:
// its path buffers hold 260 with the terminating zero.
constexpr std::size_t kMaxProducerPath = 259;

// The names the Producer export uses inside the project folder.
constexpr std::string_view kProducerMovieName = "0MM0.wmv";
constexpr std::string_view kProducerSamiName = "0MM0.smi";
constexpr std::u16string_view kProducerSamiFileName = u"0MM0.smi";
constexpr std::u16string_view kProducerPlaylistFileName = u"0Media.asx";

// The folder of a Producer movie, up to and including its last backslash; empty
// when the path has no backslash (no folder is known then).
std::u16string_view producerMovieFolder(std::u16string_view moviePath);

// The search pattern for the project entry beside the movie: folder + "*_files".
std::u16string producerSearchPattern(std::u16string_view folder);

// folder + entry + "\" + name: the path of a file inside the project entry.
std::u16string producerFilePath(std::u16string_view folder, std::u16string_view entry, std::u16string_view name);

}  // namespace zav
