// The transport commands of the main window: the loop's two refresh steps, play and
// pause, stop, steps, seeking, mute, volume and rate.

#include "app/main_window.h"
#include "resources/resource_ids.h"

namespace zav {

void MainWindow::refreshPlayerState() {}
void MainWindow::refreshPosition() {}
void MainWindow::togglePlayPause() {}
void MainWindow::stepBack() {}
void MainWindow::stepForward() {}
void MainWindow::stopPlayback() {}
void MainWindow::toggleMute() {}
void MainWindow::rateUp() {}
void MainWindow::rateDown() {}
void MainWindow::endMute() {}

LRESULT MainWindow::onPlayButton(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onStop(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onMute(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onRateUp(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onRateDown(WPARAM, LPARAM) { return 0; }

LRESULT MainWindow::onTransportScroll(WPARAM, LPARAM) {
    // Requests that name neither slider (INSERT in a caption row) only return the
    // focus to the selected caption.
    captionPanel_.focusSelectedRow();
    return 0;
}

}  // namespace zav
