// The main window's side of the recovery copies: what a copy holds, putting one
// back, the tick that drives them and the Recovery Copies command.

#include "app/main_window.h"

#include "core/document_history.h"
#include "formats/recovery_settings_dialog.h"
#include "playback/media_commands.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/window_text.h"

namespace zav {
namespace {

constexpr UINT kRecoveryTickMs = 1000;

}  // namespace

RecoveryCopy MainWindow::recoveryContent() const {
    RecoveryCopy copy;
    copy.document = *editor_.currentState();
    copy.mediaPath = fromWide(transport_.mediaPath());
    if (transcriptWindow_) {
        copy.transcriptMode = true;
        copy.transcriptText = fromWide(windowText(transcriptWindow_));
        copy.transcriptName = fromWide(transcriptName_);
    }
    return copy;
}

void MainWindow::restoreRecoveryCopy(const RecoveryCopy& copy) {
    if (copy.transcriptMode) {
        SendMessageW(hwnd(), WM_COMMAND, IDM_NEW_TRANSCRIPT_FILE, 0);
        if (transcriptWindow_) SetWindowTextW(transcriptWindow_, toWide(copy.transcriptText).c_str());
        transcriptName_ = toWide(copy.transcriptName);
    } else {
        if (transcriptWindow_) SendMessageW(hwnd(), WM_COMMAND, IDM_NEW_CAPTION_FILE, 0);
        editor_.change(L"Restore Recovery Copy", [&] {
            editor_.replaceDocument(documentOf(copy.document, editor_.codePage()));
            captionPanel_.showRowsFrom(copy.document.topRow);
            if (copy.document.selectedRow >= 0) captionPanel_.selectRow(copy.document.selectedRow);
        });
    }
    // The film comes back when its file is still there.
    const std::wstring media = toWide(copy.mediaPath);
    if (!media.empty() && GetFileAttributesW(media.c_str()) != INVALID_FILE_ATTRIBUTES)
        openMediaPath(transport_, captionPanel_, media);
}

void MainWindow::startRecovery() {
    recovery_.start(hwnd());
    // Without a recovery folder there is nothing to tick or offer.
    if (recovery_.copyPath().empty()) return;
    SetTimer(hwnd(), kRecoveryTimer, kRecoveryTickMs, nullptr);
    // Asked once the window shows, from the message loop.
    PostMessageW(hwnd(), kOfferRecoveryMessage, 0, 0);
}

void MainWindow::quitConfirmed() {
    recovery_.endCleanly();
    DestroyWindow(hwnd());
}

LRESULT MainWindow::onTimer(WPARAM wParam, LPARAM) {
    if (wParam == kRecoveryTimer) recovery_.tick();
    return 0;
}

LRESULT MainWindow::onOfferRecovery(WPARAM, LPARAM) {
    recovery_.offerRestore();
    return 0;
}

LRESULT MainWindow::onRecoverySettings(WPARAM, LPARAM) {
    if (const std::optional<RecoveryChoice> choice = RecoverySettingsDialog(recovery_.choice()).run(hwnd()))
        recovery_.setChoice(*choice);
    return 0;
}

}  // namespace zav
