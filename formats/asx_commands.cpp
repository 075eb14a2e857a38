// The Create ASX wizard.

#include "app/main_window.h"

namespace zav {

LRESULT MainWindow::onCreateAsx(WPARAM, LPARAM) { return 0; }

}  // namespace zav
