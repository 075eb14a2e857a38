// Export to Producer: the caption file and the playlist of a Producer project.

#include "app/main_window.h"

namespace zav {

LRESULT MainWindow::onExportToProducer(WPARAM, LPARAM) { return 0; }

}  // namespace zav
