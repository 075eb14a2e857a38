// The main window's side of the recovery copies: what a copy holds, putting one
// back, the tick that drives them and the Recovery Copies command.

#include "app/main_window.h"

#include "core/document_history.h"
#include "formats/recovery_settings_dialog.h"
#include "playback/media_commands.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/window_text.h"

#include <algorithm>
#include <string>

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

// The editor's revision, where the user is, the rows in view as their boxes show
// them (typing not yet stored is only ever there), the film and the transcript.
std::wstring MainWindow::recoveryFingerprint() const {
    const CaptionDocument& document = captionPanel_.document();
    std::wstring key = std::to_wstring(editor_.revision()) + L' ' + std::to_wstring(captionPanel_.selectedRow()) +
                       L' ' + std::to_wstring(captionPanel_.topRow()) + L' ' +
                       std::to_wstring(document.currentLanguage()) + L' ' + std::to_wstring(document.rowCount()) +
                       L'\n' + transport_.mediaPath() + L'\n';
    const int end = std::min(captionPanel_.topRow() + CaptionPanel::kVisibleRows, document.rowCount());
    for (int row = std::max(captionPanel_.topRow(), 0); row < end; ++row)
        key += toWide(captionPanel_.shownText(row)) + L'\n';
    if (transcriptWindow_) key += L"transcript\n" + windowText(transcriptWindow_) + L'\n' + transcriptName_;
    return key;
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
