// Import Text script: a plain text split into captions.

#include "app/main_window.h"

namespace zav {

LRESULT MainWindow::onImportTextScript(WPARAM, LPARAM) { return 0; }

}  // namespace zav
