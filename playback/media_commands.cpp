// Opening media: Open Media and Open Producer Movie.

#include "win/error_report.h"
#include "app/main_window.h"
#include "win/modal_ui.h"
#include "win/module.h"
#include "playback/open_media_dialog.h"
#include "resources/resource_ids.h"

namespace zav {
namespace {

// The longest path the Producer export keeps (260 units with the terminating zero).
constexpr size_t kMaxProducerMoviePath = 259;

HRESULT putUrl(IWMPPlayer4* player, BSTR path) {
    if (!player) return E_POINTER;
    // The player takes an empty path as it takes any other.
    BSTR empty = nullptr;
    if (!path) path = empty = SysAllocString(L"");
    const HRESULT result = player->put_URL(path);
    SysFreeString(empty);
    return result;
}

// A movie belongs to a Producer project when its folder holds some entry whose name
// ends in "_files". A name without any folder is not examined. The pattern is built
// on the UTF-16 path itself, so that a folder name with characters outside the ANSI
// code page, or a double-byte character whose second byte is a backslash, is
// searched as it is named.
bool isInProducerProject(const std::wstring& moviePath) {
    const size_t lastBackslash = moviePath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos) return true;
    const std::wstring pattern = moviePath.substr(0, lastBackslash + 1) + L"*_files";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace

LRESULT MainWindow::onOpenMedia(WPARAM, LPARAM) {
    OpenMediaDialog dialog;
    if (dialog.run(hwnd()) != IDOK) return 0;
    const HRESULT result = putUrl(player(), dialog.mediaPath());
    if (result == S_OK) {
        mediaState_ = 1;
        isPlaying_ = true;
        SetDlgItemTextW(transportPanel_, IDC_PLAY, L"Pause");
        captionPanel_.focusSelectedRow();
        ComPtr<IWMPClosedCaption> closedCaption;
        if (SUCCEEDED(player()->get_closedCaption(closedCaption.put())) && closedCaption) {
            BSTR name = SysAllocString(L"nolock0013.smi");
            closedCaption->put_SAMIFileName(name);
            SysFreeString(name);
        }
    }
    ReportErrorCode(result);
    return 0;
}

LRESULT MainWindow::onOpenProducerMovie(WPARAM, LPARAM) {
    std::wstring path;
    for (;;) {
        if (modalUi().dialogBox(Module::instance(), IDD_OPEN_PRODUCER_MOVIE, hwnd(), OkCancelDialogProc, 0) == 0)
            return 0;
        OpenMediaDialog dialog;
        if (dialog.run(hwnd()) != IDOK) continue;
        path = dialog.mediaPathText();
        break;
    }
    // The Producer export writes beside this path later; one it could not hold
    // whole is refused rather than cut to a different folder.
    if (path.size() > kMaxProducerMoviePath) {
        modalUi().messageBox(hwnd(), L"The path of the movie is too long.", L"", MB_OK);
        return 0;
    }
    producerMoviePath_ = path;
    if (!isInProducerProject(producerMoviePath_)) {
        modalUi().messageBox(hwnd(),
                             L"The movie you selected is not part of a Producer Project.  Please select a movie "
                             L"within a producer project folder.",
                             L"", MB_OK);
        return 0;
    }
    BSTR url = SysAllocStringLen(path.data(), static_cast<UINT>(path.size()));
    const HRESULT result = putUrl(player(), url);
    SysFreeString(url);
    if (result != S_OK) {
        modalUi().messageBox(hwnd(), L"Could not play the WMV movie.", L"", MB_OK);
        return 0;
    }
    mediaState_ = 1;
    isPlaying_ = true;
    SetDlgItemTextW(transportPanel_, IDC_PLAY, L"Pause");
    return 0;
}

}  // namespace zav
