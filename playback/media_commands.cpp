// Opening media: Open Media and Open Producer Movie.

#include "playback/media_commands.h"

#include "playback/open_media_dialog.h"
#include "resources/resource_ids.h"
#include "win/error_report.h"
#include "win/file_io.h"
#include "win/handles.h"
#include "win/modal_ui.h"
#include "win/module.h"

namespace zav {
namespace {

// The longest path the Producer export keeps (260 units with the terminating zero).
constexpr size_t kMaxProducerMoviePath = 259;

// The player takes an empty path as it takes any other.
HRESULT putUrl(IWMPPlayer4* player, const std::wstring& path) {
    if (!player) return E_POINTER;
    return player->put_URL(makeBstr(path).get());
}

// A movie belongs to a Producer project when its folder holds some entry whose name
// ends in "_files". A name without any folder is not examined. The pattern is built
// on the UTF-16 path itself, so that a folder name with characters outside the ANSI
// code page, or a double-byte character whose second byte is a backslash, is
// searched as it is named.
bool isInProducerProject(const std::wstring& moviePath) {
    const size_t lastBackslash = moviePath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos) return true;
    return firstMatchingEntry(moviePath.substr(0, lastBackslash + 1) + L"*_files").has_value();
}

}  // namespace

HRESULT openMediaPath(Transport& transport, CaptionPanel& captions, const std::wstring& path) {
    const HRESULT result = putUrl(transport.player(), path);
    if (result == S_OK) {
        transport.startOpening(path);
        captions.focusSelectedRow();
        ComPtr<IWMPClosedCaption> closedCaption;
        if (SUCCEEDED(transport.player()->get_closedCaption(closedCaption.put())) && closedCaption)
            closedCaption->put_SAMIFileName(makeBstr(L"nolock0013.smi").get());
    }
    return result;
}

void openMedia(Transport& transport, CaptionPanel& captions, HWND owner) {
    const std::optional<std::wstring> path = OpenMediaDialog().run(owner);
    if (!path) return;
    ReportErrorCode(openMediaPath(transport, captions, *path));
}

void openProducerMovie(Transport& transport, HWND owner) {
    std::wstring path;
    for (;;) {
        if (modalUi().dialogBox(Module::instance(), IDD_OPEN_PRODUCER_MOVIE, owner, OkCancelDialogProc, 0) == 0)
            return;
        if (std::optional<std::wstring> chosen = OpenMediaDialog().run(owner)) {
            path = std::move(*chosen);
            break;
        }
    }
    // The Producer export writes beside this path later; one it could not hold
    // whole is refused rather than cut to a different folder.
    if (path.size() > kMaxProducerMoviePath) {
        showMessage(owner, L"The path of the movie is too long.");
        return;
    }
    transport.setProducerMoviePath(path);
    if (!isInProducerProject(path)) {
        showMessage(owner,
                    L"The movie you selected is not part of a Producer Project.  Please select a movie "
                    L"within a producer project folder.");
        return;
    }
    if (putUrl(transport.player(), path) != S_OK) {
        showMessage(owner, L"Could not play the WMV movie.");
        return;
    }
    transport.startOpening(path);
}

}  // namespace zav
