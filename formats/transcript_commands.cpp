// Transcript files: New Transcript File, Open Transcript and Save Transcript As.

#include "app/main_window.h"

namespace zav {

LRESULT MainWindow::onNewTranscriptFile(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onSaveTranscriptAs(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onOpenTranscript(WPARAM, LPARAM) { return 0; }

}  // namespace zav
