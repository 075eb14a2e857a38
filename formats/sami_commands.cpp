// Export SAMI and Import SAMI.

#include "app/main_window.h"

namespace zav {

LRESULT MainWindow::onExportSami(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onImportSami(WPARAM, LPARAM) { return 0; }

}  // namespace zav
