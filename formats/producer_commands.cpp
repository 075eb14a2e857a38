// Export to Producer: the caption file and the playlist of a Producer project.

#include "formats/producer_commands.h"

#include "core/asx_playlist.h"
#include "formats/sami_commands.h"
#include "win/ansi_code_page.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

#include <string>
#include <vector>

namespace zav {
namespace {

void showNotPartOfAProject(HWND owner) {
    showMessage(owner,
            L"The movie you have opened is not part of a Producer Project.  Please select a movie within a producer "
            L"project folder.");
}

// The name of the first entry of the folder whose name ends in "_files"; false
// when there is none. Any such entry is taken, a plain file as well as a folder.
bool findProjectEntry(const std::u16string& pattern, std::u16string& entry) {
    const std::optional<std::wstring> found = firstMatchingEntry(toWide(pattern));
    if (found) entry = fromWide(*found);
    return found.has_value();
}

bool spelledInAnsi(std::u16string_view path, std::string& ansi) {
    ansi = ansiCodePage().toAnsi(path);
    return ansiCodePage().fromAnsi(ansi) == path;
}

// The SAMI writer opens its file by a path in the ANSI code page. A project entry
// whose path that code page cannot spell is reached through its short name, so that
// the file cannot land in some similarly spelt other folder; false when neither works.
bool ansiSamiPath(const std::u16string& entryPath, std::string& ansi) {
    const std::u16string samiPath = entryPath + u'\\' + std::u16string(kProducerSamiFileName);
    if (spelledInAnsi(samiPath, ansi)) return true;
    const std::wstring wide = toWide(entryPath);
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return false;
    std::vector<wchar_t> shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return false;
    const std::u16string shortSami =
        fromWide(std::wstring(shortPath.data(), length)) + u'\\' + std::u16string(kProducerSamiFileName);
    return spelledInAnsi(shortSami, ansi);
}

}  // namespace

void exportToProducer(const CaptionDocument& document, const std::wstring& producerMoviePath, HWND owner) {
    // Without a Producer movie, or with a bare file name, no project folder is known.
    const std::u16string moviePath = fromWide(producerMoviePath);
    const std::u16string_view folder = producerMovieFolder(moviePath);
    if (folder.empty()) {
        showNotPartOfAProject(owner);
        return;
    }
    // Paths the project's 260-byte buffers could not hold whole are refused rather
    // than cut to a different place.
    const wchar_t* const tooLong = L"The path of the Producer project folder is too long.";
    const std::u16string pattern = producerSearchPattern(folder);
    if (pattern.size() > kMaxProducerPath) {
        showMessage(owner, tooLong);
        return;
    }
    std::u16string entry;
    if (!findProjectEntry(pattern, entry)) {
        showNotPartOfAProject(owner);
        return;
    }
    const std::u16string samiPath = producerFilePath(folder, entry, kProducerSamiFileName);
    const std::u16string playlistPath = producerFilePath(folder, entry, kProducerPlaylistFileName);
    std::string ansiPath;
    if (playlistPath.size() > kMaxProducerPath ||
        ansiCodePage().toAnsi(playlistPath).size() > kMaxProducerPath) {
        showMessage(owner, tooLong);
        return;
    }
    if (!ansiSamiPath(std::u16string(folder) + entry, ansiPath)) {
        showMessage(owner, L"The path of the Producer project folder cannot be written in the system's code page.");
        return;
    }

    // The document goes out as it stands: neither sorted nor with unstored edits.
    const bool samiWritten = saveSamiFile(document, toWide(ansiCodePage().fromAnsi(ansiPath)), owner);

    if (!writeFileBytes(toWide(playlistPath), asxPlaylist(kProducerMovieName, kProducerSamiName))) {
        showMessage(owner, L"Could not open 0Media.asx for writing ");
        return;
    }
    // A SAMI file the writer could not save has had its own message; the export
    // is then not announced as done.
    if (samiWritten)
        showMessage(owner, L"0MM0.smi and 0MM0.asx have been exported to your producer project directory.");
}

}  // namespace zav
